#pragma once
// Which step rows the fixed value-editor slots over a grid show: 7 slots over the main grid,
// 6 shared by the sensor set grids; slot s covers the s-th visible step row.

#include <algorithm>

#include "actions/StepRecord.h"

namespace actions {

inline constexpr int kMainSlots = 7;
inline constexpr int kSetSlots = 6;

inline int SlotCount(int list) {
  return list == kMainList ? kMainSlots : kSetSlots;
}

// The number of slots that show a step when the grid's top visible row is `topRow` (the
// grid has a header row, the steps and one empty row); the slots after it are hidden.
inline int ShownSlotCount(int list, int topRow, int stepCount) {
  const int top = std::max(topRow, 1);
  const int rowCount = stepCount + 2;
  return std::clamp(rowCount - top - 1, 0, SlotCount(list));
}

// Rows of a list's grid: the header, the steps and, while the list has room, the empty row
// where the next step is appended. A full list has no empty row.
inline int GridRowCount(int stepCount) {
  return 1 + stepCount + (stepCount < kMaxSteps ? 1 : 0);
}

// The step row that slot `slot` (1-based) shows.
inline int SlotRow(int topRow, int slot) {
  return std::max(topRow, 1) - 1 + slot;
}

}  // namespace actions
