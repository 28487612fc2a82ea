#include "actions/ListEditing.h"

#include "actions/ActionKind.h"
#include "actions/ValueRules.h"

namespace actions {

bool InsertIntoList(ListDocument& doc, int list, int row, int value, ActionKind kind) {
  if (list < 1 || list > kListCount || !IsValidKind(static_cast<std::uint8_t>(kind))) return false;
  const int n = doc.StepCount(list);
  if (n >= kMaxSteps || row < 1 || row > n + 1) return false;
  StepList& records = doc.List(list);
  for (int r = n; r >= row; --r) records[r + 1] = records[r];
  StepRecord& step = records[row];
  step.Kind = static_cast<std::uint8_t>(kind);
  step.Value = ClampToLimits(kind, row, value);
  if (row > 1) {
    step.BothSet = records[row - 1].BothSet;
    step.LeftSet = records[row - 1].LeftSet;
    step.RightSet = records[row - 1].RightSet;
  } else {
    step.BothSet = step.LeftSet = step.RightSet = 0;
  }
  for (int r = row + 1; r <= n + 1; ++r)
    if (records[r].kind() == ActionKind::GoToStep && records[r].Value >= row) ++records[r].Value;
  return true;
}

bool InsertStepIntoList(ListDocument& doc, int list, int row, const StepRecord& record) {
  if (!InsertIntoList(doc, list, row, record.Value, record.kind())) return false;
  StepRecord& step = doc.List(list)[row];
  step.BothSet = record.BothSet;
  step.LeftSet = record.LeftSet;
  step.RightSet = record.RightSet;
  return true;
}

StepRecord DeleteFromList(ListDocument& doc, int list, int row) {
  if (list < 1 || list > kListCount) return kSentinel;
  const int n = doc.StepCount(list);
  if (row < 1 || row > n) return kSentinel;
  StepList& records = doc.List(list);
  StepRecord removed = records[row];
  for (int r = row; r < n; ++r) records[r] = records[r + 1];
  records[n] = records[0];
  for (int r = row; r <= n - 1; ++r)
    if (records[r].kind() == ActionKind::GoToStep && records[r].Value > row) --records[r].Value;
  return removed;
}

void ClearList(ListDocument& doc, int list) {
  StepList& records = doc.List(list);
  for (int r = 1; r < kRecordsPerList; ++r) records[r] = records[0];
}

}  // namespace actions
