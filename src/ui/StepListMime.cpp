// What a list model gives to and takes from a drag: a palette tile's kind, the "+" tile's set,
// and a step dragged by its number. Drops run the same commands as the grids' own drops.

#include <QDataStream>
#include <QIODevice>
#include <QMimeData>
#include <algorithm>

#include "actions/ActionKind.h"
#include "ui/StepListModel.h"

namespace ui {

namespace {
using actions::ActionKind;

QString Mime(const char* type) {
  return QString::fromLatin1(type);
}

// A small number carried as its decimal text; -1 when the payload is not one.
int NumberIn(const QMimeData* data, const char* type) {
  bool ok = false;
  const int number = data->data(Mime(type)).toInt(&ok);
  return ok ? number : -1;
}

struct StepRows {
  int list = 0;
  QList<int> rows;
};

// Payload of moved steps: the list number, then the 1-based rows.
QByteArray Encode(const StepRows& steps) {
  QByteArray payload;
  QDataStream out(&payload, QIODevice::WriteOnly);
  out << qint32(steps.list) << qint32(steps.rows.size());
  for (int row : steps.rows) out << qint32(row);
  return payload;
}

StepRows Decode(const QByteArray& payload) {
  QDataStream in(payload);
  qint32 list = 0, count = 0;
  in >> list >> count;
  StepRows steps;
  if (in.status() != QDataStream::Ok || count < 0 || count > actions::kMaxSteps) return steps;
  steps.list = list;
  for (int i = 0; i < count; ++i) {
    qint32 row = 0;
    in >> row;
    if (in.status() != QDataStream::Ok) return {};
    steps.rows << row;
  }
  return steps;
}
}  // namespace

QStringList StepListModel::mimeTypes() const {
  return {Mime(kActionKindMime), Mime(kSensorSetMime), Mime(kStepRowsMime)};
}

QMimeData* StepListModel::TileMime(ActionKind kind) {
  auto* data = new QMimeData;
  data->setData(Mime(kActionKindMime), QByteArray::number(static_cast<int>(kind)));
  return data;
}

QMimeData* StepListModel::SetMime(actions::SensorSetIndex set) {
  auto* data = new QMimeData;
  data->setData(Mime(kSensorSetMime), QByteArray::number(set));
  return data;
}

QMimeData* StepListModel::mimeData(const QModelIndexList& indexes) const {
  StepRows steps{list_, {}};
  for (const QModelIndex& index : indexes)
    if (index.isValid() && index.model() == this && !steps.rows.contains(StepRow(index)))
      steps.rows << StepRow(index);
  if (steps.rows.isEmpty()) return nullptr;
  std::sort(steps.rows.begin(), steps.rows.end());
  auto* data = new QMimeData;
  data->setData(Mime(kStepRowsMime), Encode(steps));
  return data;
}

// Where a drop lands, as the lists count rows: on a cell its row, between rows the row
// after, anywhere else after the last step.
static int TargetRow(int row, const QModelIndex& parent, int stepCount) {
  if (parent.isValid()) return parent.row() + 1;
  return row >= 0 ? row + 1 : stepCount + 1;
}

bool StepListModel::canDropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                    const QModelIndex& parent) const {
  (void)column;
  if (data == nullptr || (action != Qt::CopyAction && action != Qt::MoveAction)) return false;
  const int n = StepCount();
  const int target = TargetRow(row, parent, n);
  if (data->hasFormat(Mime(kActionKindMime))) {
    const int kind = NumberIn(data, kActionKindMime);
    if (kind < 0 || !actions::IsValidKind(static_cast<std::uint8_t>(kind))) return false;
    return n < actions::kMaxSteps && (list_ == actions::kMainList || kind != int(ActionKind::GoToStep));
  }
  if (data->hasFormat(Mime(kSensorSetMime))) {
    const int set = NumberIn(data, kSensorSetMime);
    return list_ == actions::kMainList && Lists().AdvancedMode && set >= 0 &&
           set < actions::kSensorSetCount && parent.isValid() && parent.column() >= kBothColumn &&
           parent.column() < columnCount() && target <= n;
  }
  if (data->hasFormat(Mime(kStepRowsMime))) {
    const StepRows steps = Decode(data->data(Mime(kStepRowsMime)));
    // A step moves inside its own list, one at a time.
    return steps.list == list_ && steps.rows.size() == 1 && steps.rows.front() >= 1 &&
           steps.rows.front() <= n;
  }
  return false;
}

bool StepListModel::dropMimeData(const QMimeData* data, Qt::DropAction action, int row, int column,
                                 const QModelIndex& parent) {
  if (!canDropMimeData(data, action, row, column, parent)) return false;
  const int target = TargetRow(row, parent, StepCount());
  if (data->hasFormat(Mime(kActionKindMime)))
    return InsertTile(target, static_cast<ActionKind>(NumberIn(data, kActionKindMime))).Changed;
  if (data->hasFormat(Mime(kSensorSetMime))) {
    // Even a set the cell already has counts as dropped: the drop was taken.
    AssignSet(target, parent.column(), static_cast<actions::SensorSetIndex>(NumberIn(data, kSensorSetMime)));
    return true;
  }
  return DropSteps(data->data(Mime(kStepRowsMime)), target);
}

bool StepListModel::DropSteps(const QByteArray& payload, int target) {
  const StepRows steps = Decode(payload);
  return MoveStep(steps.rows.front(), target).Changed;
}

}  // namespace ui
