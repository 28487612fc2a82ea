#pragma once
// The eleven picture buttons of the main window. Each is four picture slots on top of each
// other: normal (always shown), highlight (shown while hovered; the only clickable one),
// pressed (from mouse-down until the command starts) and the cover (shown while the button
// is disabled; it lies on top and takes the mouse).

#include <array>

#include "app/core/LayoutNumbers.h"
#include "ui/Commands.h"

namespace ui {

enum ButtonTag {
  kGoButton = 1,
  kClearButton = 2,
  kTestButton = 3,
  kOpenButton = 4,
  kSaveButton = 5,
  kQuitButton = 6,
  kDeleteButton = 7,
  kCopyButton = 8,
  kCutButton = 9,
  kPasteButton = 10,
  kUndoButton = 11,
};
inline constexpr int kButtonCount = 11;

struct PictureButton {
  int Tag;
  Command Action;                         // the command that the button triggers
  int Normal, Highlight, Pressed, Cover;  // picture slots
  int HelpText;
  bool StartsEnabled;
  bool IsEditButton() const { return Tag >= kDeleteButton; }
};

// In tag order: index = tag - 1.
inline constexpr std::array<PictureButton, kButtonCount> kPictureButtons = {{
    {kGoButton, Command::Go, 42, 43, 44, 45, 444, false},
    {kClearButton, Command::Clear, 46, 47, 48, 49, 445, false},
    {kTestButton, Command::Test, 50, 51, 52, 53, 446, true},
    {kOpenButton, Command::Open, 54, 55, 56, 57, 447, true},
    {kSaveButton, Command::Save, 58, 59, 60, 61, 448, false},
    {kQuitButton, Command::Quit, 62, 63, 64, 65, 449, true},
    {kDeleteButton, Command::Delete, 22, 23, 24, 25, 450, false},
    {kCopyButton, Command::Copy, 26, 27, 28, 29, 450, false},
    {kCutButton, Command::Cut, 30, 31, 32, 33, 450, false},
    {kPasteButton, Command::Paste, 34, 35, 36, 37, 450, false},
    {kUndoButton, Command::Undo, 38, 39, 40, 41, 451, false},
}};

inline constexpr const PictureButton& ButtonOf(int tag) {
  return kPictureButtons[tag - 1];
}
inline constexpr bool IsButtonTag(int tag) {
  return tag >= 1 && tag <= kButtonCount;
}
// The tag of the button that triggers the command; 0 for View, which has none.
inline constexpr int ButtonTagOf(Command command) {
  for (const PictureButton& button : kPictureButtons)
    if (button.Action == command) return button.Tag;
  return 0;
}

static_assert([] {
  for (int i = 0; i < kButtonCount; ++i)
    if (kPictureButtons[i].Tag != i + 1 ||
        kPictureButtons[i].Normal != app::kFirstButtonSlot + 4 * ((i + 5) % 11) ||
        kPictureButtons[i].Highlight != kPictureButtons[i].Normal + 1 ||
        kPictureButtons[i].Cover != kPictureButtons[i].Normal + 3)
      return false;
  return true;
}());

// Slots wired to the background's mouse move (hide the highlights, blank help), and those
// that move the window when dragged.
// The three edit button slots among them are the disabled covers of Delete, Copy and Paste.
inline constexpr std::array<int, 9> kBackgroundMoveSlots = {app::kBackgroundSlot,
                                                            app::kBottomStripSlot,
                                                            app::kRightStripSlot,
                                                            app::kCornerSlot,
                                                            app::kStepListFrameSlot,
                                                            app::kSensorSetFrameSlot,
                                                            kPictureButtons[kDeleteButton - 1].Cover,
                                                            kPictureButtons[kCopyButton - 1].Cover,
                                                            kPictureButtons[kPasteButton - 1].Cover};
inline constexpr std::array<int, 6> kWindowDragSlots = {app::kBackgroundSlot, app::kBottomStripSlot,
                                                        app::kRightStripSlot, app::kTitleSlot,
                                                        app::kTopRightSlot,   app::kRightColumnFrameSlot};

}  // namespace ui
