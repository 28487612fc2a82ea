// The editing commands of one list model: each tells the views which rows come, go, move or
// change before and after the lists' own command does the work.

#include <algorithm>

#include "actions/ActionKind.h"
#include "actions/ValueRules.h"
#include "ui/StepListModel.h"

namespace ui {

namespace {
using actions::ActionKind;
using actions::EditKey;
using actions::EditResult;
using actions::kMainList;
}  // namespace

void StepListModel::RowsFromChanged(int row) {
  const int last = StepCount();
  if (row < 1 || row > last) return;
  emit dataChanged(index(row - 1, 0), index(last - 1, columnCount() - 1));
}

EditResult StepListModel::InsertRows(int row, int count, const std::function<EditResult()>& change) {
  if (count <= 0) return change();
  beginInsertRows({}, row - 1, row + count - 2);
  const EditResult result = change();
  endInsertRows();
  RowsFromChanged(row + count);
  return result;
}

EditResult StepListModel::RemoveRows(int top, int bottom, const std::function<EditResult()>& change) {
  beginRemoveRows({}, top - 1, bottom - 1);
  const EditResult result = change();
  endRemoveRows();
  RowsFromChanged(top);
  return result;
}

EditResult StepListModel::InsertTile(int row, ActionKind kind) {
  const int n = StepCount();
  const bool refused = !actions::IsValidKind(static_cast<std::uint8_t>(kind)) || n >= actions::kMaxSteps ||
                       (kind == ActionKind::GoToStep && list_ != kMainList);
  if (refused) return Lists().DropTile(list_, row, kind);  // refuses, but the list becomes current
  row = std::clamp(row, 1, n + 1);
  return InsertRows(row, 1, [&] { return Lists().DropTile(list_, row, kind); });
}

EditResult StepListModel::AssignSet(int row, int column, actions::SensorSetIndex set) {
  // Only the advanced main list has set columns.
  if (list_ != kMainList || column < kBothColumn || column >= columnCount()) return {};
  const EditResult result = Lists().AssignSet(row, column, set);
  if (result.Changed) {
    const QModelIndex cell = index(row - 1, column);
    emit dataChanged(cell, cell);
    emit dataChanged(index(row - 1, 0), index(row - 1, kActionColumn));  // the spoken sets
  }
  return result;
}

EditResult StepListModel::MoveStep(int from, int to) {
  const int n = StepCount();
  if (from < 1 || from > n) return {};
  const int target = std::clamp(to, 1, n);
  if (target == from) {
    // Taken out and put back: the step takes the sets of its predecessor all the same.
    const EditResult result = Lists().MoveRow(list_, from, to);
    RowsFromChanged(from);
    return result;
  }
  // Qt counts the destination before the row is taken out.
  beginMoveRows({}, from - 1, from - 1, {}, target > from ? target : target - 1);
  const EditResult result = Lists().MoveRow(list_, from, to);
  endMoveRows();
  RowsFromChanged(std::min(from, target));
  return result;
}

int StepListModel::PastedCount(int top) const {
  const actions::Clipboard& clip = Lists().Clip();
  const int n = StepCount();
  if (clip.Empty() || top < 1 || n >= actions::kMaxSteps) return 0;
  int count = 0;
  for (const actions::StepRecord& entry : clip.Entries()) {
    if (entry.kind() == ActionKind::GoToStep && list_ != kMainList) continue;
    if (n + count >= actions::kMaxSteps) break;
    ++count;
  }
  return count;
}

EditResult StepListModel::PasteRows(int top) {
  const int row = std::min(top, StepCount() + 1);
  return InsertRows(row, PastedCount(top), [&] { return Lists().Paste(list_, top); });
}

EditResult StepListModel::KeyCommand(EditKey key, int top, int bottom) {
  const int n = StepCount();
  bottom = std::min(bottom, n);
  const bool rowsSelected = top >= 1 && top <= bottom;
  switch (key) {
    case EditKey::Paste:
      return PasteRows(top);
    case EditKey::Undo:
      return group_.Undo();
    case EditKey::Copy:
      return Lists().KeyCommand(list_, key, top, bottom);
    case EditKey::Cut:
    case EditKey::Delete:
      if (!rowsSelected) return {};
      return RemoveRows(top, bottom, [&] { return Lists().KeyCommand(list_, key, top, bottom); });
  }
  return {};
}

bool StepListModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  if (role != Qt::EditRole && role != ValueRole) return false;
  if (!checkIndex(index, CheckIndexOption::IndexIsValid) || index.column() != kActionColumn) return false;
  const int row = StepRow(index);
  const actions::StepRecord& step = Lists().Step(list_, row);
  int number = 0;
  if (value.typeId() == QMetaType::QString) {
    const actions::SlotLimits limits = actions::LimitsFor(step.kind(), row);
    number = actions::ParseText(value.toString().toStdString(), limits.Decimals, limits.Min, limits.Max,
                                Lists().Format);
  } else {
    bool ok = false;
    number = value.toInt(&ok);
    if (!ok) return false;
  }
  if (Lists().SetValue(list_, row, number).Changed) emit dataChanged(index.siblingAtColumn(0), index);
  return true;
}

void StepListModel::LimitShownValue(int row) {
  if (row < 1 || row > StepCount()) return;
  actions::StepRecord& step = Lists().Document().List(list_)[row];
  const std::int16_t limited = actions::ClampToLimits(step.kind(), row, step.Value);
  if (limited == step.Value) return;
  step.Value = limited;
  emit dataChanged(index(row - 1, 0), index(row - 1, kActionColumn));
}

}  // namespace ui
