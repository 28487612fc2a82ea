#pragma once
// The basic changes of one list: insert a step, insert a copy of a record, delete a step.
// Go-to targets behind the changed row follow the steps they point at.

#include "actions/ListDocument.h"

namespace actions {

// Inserts a step of `kind` with `value` before `row` (1..count+1; count+1 appends). The new
// step takes the sensor sets of the step above it (All at row 1). The value is limited to
// the kind's range at that row, as its value editor would show it. Refused (false) when the
// list is full, the row is outside 1..count+1, or the kind is unknown.
bool InsertIntoList(ListDocument& doc, int list, int row, int value, ActionKind kind);

// As InsertIntoList, but the new step keeps the sensor sets of `record`.
bool InsertStepIntoList(ListDocument& doc, int list, int row, const StepRecord& record);

// Removes step `row` (1..count) and returns it; a row outside that range returns the
// sentinel and changes nothing.
StepRecord DeleteFromList(ListDocument& doc, int list, int row);

// Empties one list: every record behind the sentinel becomes a copy of it.
void ClearList(ListDocument& doc, int list);

}  // namespace actions
