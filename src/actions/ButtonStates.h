#pragma once
// Which edit and command buttons are usable, recomputed after every change.

namespace actions {

struct ButtonStates {
  bool Delete = false, Copy = false, Cut = false, Paste = false;
  bool Go = false, Clear = false, Save = false;
  bool Undo = false;
  bool Test = true, Open = true, Quit = true;
  bool operator==(const ButtonStates&) const = default;
};

struct EditorState {
  int SelectionTop = 0;      // top selected grid row of the current list (0 is the header row)
  int CurrentStepCount = 0;  // steps of the current list; its empty row is count + 1
  int MainStepCount = 0;
  bool ClipboardEmpty = true;
  bool UndoAvailable = false;
};

inline ButtonStates ComputeButtonStates(const EditorState& s) {
  ButtonStates b;
  const bool onStep = s.SelectionTop >= 1 && s.SelectionTop <= s.CurrentStepCount;
  b.Delete = b.Copy = b.Cut = onStep;
  b.Paste = !s.ClipboardEmpty && s.SelectionTop >= 1;
  b.Go = b.Clear = b.Save = s.MainStepCount > 0;
  b.Undo = s.UndoAvailable;
  return b;
}

}  // namespace actions
