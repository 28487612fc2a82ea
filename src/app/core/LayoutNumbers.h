#pragma once
// The numbers of the main window's picture slots and of the layout records of its controls,
// by role. Slot s shows picture s + 180 and is placed by record s; the controls are placed by
// their own records (each + 90 in the advanced mode where present).

namespace app {

enum PictureSlotNumber : int {
  kBackgroundSlot = 1,   // the whole window's picture, stretched
  kBottomStripSlot = 2,  // moves with the help panel
  kRightStripSlot = 3,
  kCornerSlot = 4,  // bottom right; moves with the help panel
  kTitleSlot = 5,
  kTopRightSlot = 6,  // always hidden
  kPaletteFrameSlot = 7,
  kStepListFrameSlot = 8,
  kStepListPanelSlot = 9,
  kSensorSetFrameSlot = 10,
  kRightColumnFrameSlot = 11,
  kRightColumnShownSlot = 12,
  kRightColumnHiddenSlot = 13,  // always hidden
  kFirstTileSlot = 14,          // the eight palette tiles, 14 to 21
  kLastTileSlot = 21,
  kFirstButtonSlot = 22,  // eleven picture buttons of four slots each, 22 to 65
};

enum ControlLayoutRecord : int {
  kHyperHelpRecord = 66,
  kSerialPortLabel1Record = 67,
  kSerialPortLabel2Record = 68,
  kPortBoxRecord = 69,
  kSensorsEnabledRecord = 70,
  kSensorNotebookRecord = 71,
  kSensorActionPanelRecord = 72,
  kActionScrollBoxRecord = 73,
  kHelpMemoRecord = 74,
  kMainWindowRecord = 75,  // only its size counts
};

}  // namespace app
