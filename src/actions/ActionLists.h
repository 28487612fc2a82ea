#pragma once
// The action lists the user edits: the document, the undo ring, the clipboard and the
// program-wide editing state, with every editing command. Each command returns what it
// changed so the GUI can refresh only those grids.

#include <cstdint>
#include <filesystem>
#include <string>

#include "actions/ButtonStates.h"
#include "actions/Clipboard.h"
#include "actions/FileFormat.h"
#include "actions/ListDocument.h"
#include "actions/UndoRing.h"
#include "actions/ValueRules.h"

namespace actions {

struct EditResult {
  bool Changed = false;
  unsigned ListsChanged = 0;  // bit L-1 set when list L changed
  int Row = 0;                // the row inserted or changed, when one is

  bool Touches(int list) const { return (ListsChanged >> (list - 1)) & 1u; }
};

// The keys of the step grids' edit commands.
enum class EditKey { Delete, Copy, Cut, Paste, Undo };

// How the main window uses it: one table model per list wraps it and runs every command
// below, telling its views which rows came, went, moved or changed; the grids show the
// models' rows, each value editor shows a step with ShowValueInEditor and writes a change
// through SetValue (via its model); the buttons follow AutoEnableDisable.
class ActionLists {
 public:
  ActionLists() = default;

  // --- state ---
  ListDocument& Document() { return doc_; }
  const ListDocument& Document() const { return doc_; }
  int StepCount(int list) const { return doc_.StepCount(list); }
  const StepRecord& Step(int list, int row) const { return doc_.List(list)[row]; }
  // The value a step slot binds to (rows 1..255).
  std::int16_t* ValuePointer(int list, int row) { return &doc_.List(list)[row].Value; }

  bool AdvancedMode = false;
  int CurrentList = kMainList;
  bool Modified = false;
  NumberFormat Format;

  const Clipboard& Clip() const { return clipboard_; }
  bool CanUndo() const { return !undo_.Empty(); }
  int UndoDepth() const { return undo_.Size(); }

  // --- editing commands (each records an undo snapshot before it changes anything) ---

  // A palette tile dropped on `row` of `list` (header row -> 1, below the steps -> append).
  // A go-to step belongs to the main list only: dropping it on a sensor set does nothing.
  EditResult DropTile(int list, int row, ActionKind kind);
  // Double-click on a palette tile: appends the kind to the current list.
  EditResult AppendTile(ActionKind kind);
  // The "+" tile dropped on column 2 (Both), 3 (Left) or 4 (Right) of main-list step `row`.
  EditResult AssignSet(int row, int column, SensorSetIndex set);
  // A step dragged by its number cell from row `from` to row `to`.
  EditResult MoveRow(int list, int from, int to);
  // The grid keys over a selection of rows top..bottom of `list`.
  EditResult KeyCommand(int list, EditKey key, int top, int bottom);
  EditResult DeleteRows(int list, int top, int bottom);
  EditResult CopyRows(int list, int top, int bottom);
  EditResult CutRows(int list, int top, int bottom);
  EditResult Paste(int list, int top);
  EditResult Undo();
  // The Clear command: all six lists emptied, undoable.
  EditResult Clear();
  // Empties all six lists without an undo snapshot.
  void ClearAll();

  // A step's value editor has stored a new value; records the lists as they were before,
  // with `previousValue`, so that Undo brings it back.
  EditResult ValueChanged(int list, int row, std::int16_t previousValue);
  // Sets a step's value as its editor would (limited to its kind and row) and records it.
  EditResult SetValue(int list, int row, int value);

  void TakeUndoSnapshot();

  // Button states for the grid of CurrentList whose selection starts at `selectionTop`.
  ButtonStates AutoEnableDisable(int selectionTop) const;

  // --- files ---
  // Takes over the document when the bytes are a proper file for the current mode; then
  // Modified is false. Undo ring and clipboard are untouched. Otherwise nothing changes.
  LoadResult Load(std::span<const std::uint8_t> bytes);
  LoadResult LoadFile(const std::filesystem::path& path);
  DocumentBytes SaveBytes() const { return SaveDocument(doc_, AdvancedMode); }
  // Saves without ever leaving a half-written file; on success Modified is false and the
  // result empty, on failure the old file and Modified stay and the error text is returned.
  std::string SaveToPath(const std::filesystem::path& path);

 private:
  bool ValidList(int list) const { return list >= 1 && list <= kListCount; }
  static EditResult ChangedList(int list, int row = 0) { return EditResult{true, 1u << (list - 1), row}; }
  void TakeOver(const LoadResult& result);

  ListDocument doc_;
  UndoRing undo_;
  Clipboard clipboard_;
};

}  // namespace actions
