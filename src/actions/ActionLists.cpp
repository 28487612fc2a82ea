#include "actions/ActionLists.h"

#include <algorithm>

#include "actions/ActionKind.h"
#include "actions/ListEditing.h"

namespace actions {

namespace {
constexpr unsigned kAllLists = (1u << kListCount) - 1;
}

void ActionLists::TakeUndoSnapshot() {
  undo_.Take(doc_);
  Modified = true;
}

EditResult ActionLists::DropTile(int list, int row, ActionKind kind) {
  if (!ValidList(list) || !IsValidKind(static_cast<std::uint8_t>(kind))) return {};
  CurrentList = list;
  // The robot's sensor set reader has no go-to command.
  if (kind == ActionKind::GoToStep && list != kMainList) return {};
  const int n = doc_.StepCount(list);
  if (n >= kMaxSteps) return {};
  row = std::clamp(row, 1, n + 1);
  TakeUndoSnapshot();
  InsertIntoList(doc_, list, row, InfoOf(kind).defaultValue, kind);
  return ChangedList(list, row);
}

EditResult ActionLists::AppendTile(ActionKind kind) {
  return DropTile(CurrentList, doc_.StepCount(CurrentList) + 1, kind);
}

EditResult ActionLists::AssignSet(int row, int column, SensorSetIndex set) {
  if (row < 1 || row > doc_.StepCount(kMainList) || column < 2 || column > 4 || set >= kSensorSetCount)
    return {};
  TakeUndoSnapshot();
  StepRecord& step = doc_.List(kMainList)[row];
  (column == 2 ? step.BothSet : column == 3 ? step.LeftSet : step.RightSet) = set;
  return ChangedList(kMainList, row);
}

EditResult ActionLists::MoveRow(int list, int from, int to) {
  if (!ValidList(list)) return {};
  const int n = doc_.StepCount(list);
  if (from < 1 || from > n) return {};  // the empty last row does not move
  TakeUndoSnapshot();
  StepRecord moved = DeleteFromList(doc_, list, from);
  const int target = std::clamp(to, 1, n);
  InsertIntoList(doc_, list, target, moved.Value, moved.kind());
  return ChangedList(list, target);
}

EditResult ActionLists::KeyCommand(int list, EditKey key, int top, int bottom) {
  if (!ValidList(list)) return {};
  bottom = std::min(bottom, doc_.StepCount(list));
  const bool rowsSelected = top >= 1 && top <= bottom;
  switch (key) {
    case EditKey::Paste:
      return Paste(list, top);
    case EditKey::Undo:
      return Undo();
    case EditKey::Copy:
      return rowsSelected ? CopyRows(list, top, bottom) : EditResult{};
    case EditKey::Cut:
      return rowsSelected ? CutRows(list, top, bottom) : EditResult{};
    case EditKey::Delete:
      return rowsSelected ? DeleteRows(list, top, bottom) : EditResult{};
  }
  return {};
}

EditResult ActionLists::DeleteRows(int list, int top, int bottom) {
  if (!ValidList(list)) return {};
  bottom = std::min(bottom, doc_.StepCount(list));
  if (top < 1 || top > bottom) return {};
  TakeUndoSnapshot();
  for (int k = top; k <= bottom; ++k) DeleteFromList(doc_, list, top);
  return ChangedList(list, top);
}

EditResult ActionLists::CopyRows(int list, int top, int bottom) {
  if (!ValidList(list)) return {};
  bottom = std::min(bottom, doc_.StepCount(list));
  if (top < 1 || top > bottom) return {};
  clipboard_.Clear();
  for (int r = top; r <= bottom; ++r) clipboard_.Add(doc_.List(list)[r]);
  return {};
}

EditResult ActionLists::CutRows(int list, int top, int bottom) {
  if (!ValidList(list)) return {};
  bottom = std::min(bottom, doc_.StepCount(list));
  if (top < 1 || top > bottom) return {};
  TakeUndoSnapshot();
  clipboard_.Clear();
  for (int k = top; k <= bottom; ++k) clipboard_.Add(DeleteFromList(doc_, list, top));
  return ChangedList(list, top);
}

EditResult ActionLists::Paste(int list, int top) {
  if (!ValidList(list) || clipboard_.Empty()) return {};
  const int n = doc_.StepCount(list);
  if (top < 1 || n >= kMaxSteps) return {};
  top = std::min(top, n + 1);
  TakeUndoSnapshot();
  int row = top;
  for (const StepRecord& entry : clipboard_.Entries()) {
    // Go-to steps stay out of the sensor sets, whose reader has no go-to.
    if (entry.kind() == ActionKind::GoToStep && list != kMainList) continue;
    if (!InsertStepIntoList(doc_, list, row, entry)) break;  // full: the rest is dropped
    ++row;
  }
  return ChangedList(list, top);
}

EditResult ActionLists::Undo() {
  if (!undo_.Restore(doc_)) return {};
  return EditResult{true, kAllLists, 0};
}

EditResult ActionLists::Clear() {
  bool anySteps = false;
  for (int list = 1; list <= kListCount; ++list) anySteps = anySteps || doc_.StepCount(list) > 0;
  if (!anySteps) return {};
  TakeUndoSnapshot();
  ClearAll();
  return EditResult{true, kAllLists, 0};
}

void ActionLists::ClearAll() {
  for (int list = 1; list <= kListCount; ++list) ClearList(doc_, list);
}

EditResult ActionLists::ValueChanged(int list, int row, std::int16_t previousValue) {
  if (!ValidList(list) || row < 1 || row > doc_.StepCount(list)) return {};
  std::int16_t& value = doc_.List(list)[row].Value;
  if (value == previousValue) return {};  // nothing to undo, nothing unsaved
  const std::int16_t current = value;
  value = previousValue;
  TakeUndoSnapshot();
  value = current;
  return ChangedList(list, row);
}

EditResult ActionLists::SetValue(int list, int row, int newValue) {
  if (!ValidList(list) || row < 1 || row > doc_.StepCount(list)) return {};
  StepRecord& step = doc_.List(list)[row];
  const std::int16_t previous = step.Value;
  step.Value = ClampToLimits(step.kind(), row, newValue);
  return ValueChanged(list, row, previous);
}

ButtonStates ActionLists::AutoEnableDisable(int selectionTop) const {
  EditorState state;
  state.SelectionTop = selectionTop;
  state.CurrentStepCount = ValidList(CurrentList) ? doc_.StepCount(CurrentList) : 0;
  state.MainStepCount = doc_.StepCount(kMainList);
  state.ClipboardEmpty = clipboard_.Empty();
  state.UndoAvailable = CanUndo();
  return ComputeButtonStates(state);
}

void ActionLists::TakeOver(const LoadResult& result) {
  if (!result.ok()) return;
  doc_ = result.Document;
  Modified = false;
}

LoadResult ActionLists::Load(std::span<const std::uint8_t> bytes) {
  LoadResult result = LoadDocument(bytes, AdvancedMode);
  TakeOver(result);
  return result;
}

LoadResult ActionLists::LoadFile(const std::filesystem::path& path) {
  LoadResult result = LoadDocumentFile(path, AdvancedMode);
  TakeOver(result);
  return result;
}

std::string ActionLists::SaveToPath(const std::filesystem::path& path) {
  DocumentBytes bytes = SaveBytes();
  std::string error = WriteFileAtomically(path, bytes);
  if (error.empty()) {
    doc_.PrepareForSave(AdvancedMode);
    Modified = false;
  }
  return error;
}

}  // namespace actions
