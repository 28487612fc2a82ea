#include <gtest/gtest.h>

#include <string>

#include "actions/ActionLists.h"
#include "actions/ListEditing.h"

using namespace actions;

namespace {

// Steps written as "F12 B12 G1": letter and value.
void Fill(ActionLists& lists, int list, const std::string& steps) {
  std::size_t pos = 0;
  int row = 1;
  while (pos < steps.size()) {
    std::size_t end = steps.find(' ', pos);
    if (end == std::string::npos) end = steps.size();
    std::string token = steps.substr(pos, end - pos);
    const std::string letters = "FBLREISG";
    auto kind = static_cast<ActionKind>(letters.find(token[0]));
    lists.Document().List(list)[row] = MakeStep(kind, static_cast<std::int16_t>(std::stoi(token.substr(1))));
    ++row;
    pos = end + 1;
  }
}

std::string Show(const ActionLists& lists, int list) {
  std::string out;
  for (int r = 1; r <= lists.StepCount(list); ++r) {
    const StepRecord& s = lists.Step(list, r);
    if (!out.empty()) out += ' ';
    out += std::string(1, "FBLREISG"[s.Kind]) + std::to_string(s.Value);
  }
  return out;
}

ActionLists WithMain(const std::string& steps) {
  ActionLists lists;
  lists.AdvancedMode = true;
  Fill(lists, kMainList, steps);
  return lists;
}

}  // namespace

TEST(Editing, GoToTargetsFollowInsertAndDelete) {
  struct Case {
    const char* before;
    bool insert;  // else delete
    int row;
    const char* after;
  };
  const Case cases[] = {
      {"F12 B12 G1", true, 1, "F12 F12 B12 G2"},
      {"F12 B12 G1", true, 2, "F12 F12 B12 G1"},
      {"F12 B12 L13 G3", false, 2, "F12 L13 G2"},
      {"F12 B12 G1", false, 2, "F12 G1"},
      {"F12 B12 G2", false, 1, "B12 G1"},
      {"F12 G2 B12", false, 1, "G1 B12"},  // a go-to to the deleted step's successor
      {"G1 F12", true, 1, "F12 G2 F12"},
  };
  for (const Case& c : cases) {
    ActionLists lists = WithMain(c.before);
    if (c.insert)
      ASSERT_TRUE(InsertIntoList(lists.Document(), kMainList, c.row, 12, ActionKind::Forward));
    else
      DeleteFromList(lists.Document(), kMainList, c.row);
    EXPECT_EQ(Show(lists, kMainList), c.after) << c.before;
  }
}

TEST(Editing, InsertCopiesTheSetsOfTheStepAboveAndRefusesAFullList) {
  ActionLists lists = WithMain("F12 B12");
  lists.Document().List(1)[2].LeftSet = 3;
  ASSERT_TRUE(InsertIntoList(lists.Document(), 1, 3, 10, ActionKind::StopAndWait));
  EXPECT_EQ(lists.Step(1, 3).LeftSet, 3);
  ASSERT_TRUE(InsertIntoList(lists.Document(), 1, 1, 10, ActionKind::StopAndWait));
  EXPECT_EQ(lists.Step(1, 1).LeftSet, 0);

  ActionLists full;
  for (int i = 0; i < kMaxSteps; ++i) ASSERT_TRUE(full.AppendTile(ActionKind::Forward).Changed);
  const DocumentBytes before = ToBytes(full.Document());
  const int undoBefore = full.UndoDepth();
  EXPECT_FALSE(InsertIntoList(full.Document(), 1, 1, 12, ActionKind::Forward));
  EXPECT_FALSE(full.AppendTile(ActionKind::Backward).Changed);
  EXPECT_EQ(ToBytes(full.Document()), before);
  EXPECT_EQ(full.UndoDepth(), undoBefore);
  // Rows outside 1..count+1 would overwrite the sentinel or leave a gap.
  EXPECT_FALSE(InsertIntoList(lists.Document(), 1, 0, 12, ActionKind::Forward));
  EXPECT_FALSE(InsertIntoList(lists.Document(), 1, 9, 12, ActionKind::Forward));
}

TEST(Editing, DropAndDoubleClickInsertTheKindsDefault) {
  ActionLists lists;
  lists.AdvancedMode = true;
  EditResult r = lists.AppendTile(ActionKind::Forward);
  EXPECT_TRUE(r.Changed);
  EXPECT_EQ(Show(lists, 1), "F12");
  lists.DropTile(1, 0, ActionKind::RotateLeft);    // the header row inserts at row 1
  lists.DropTile(1, 99, ActionKind::StopAndWait);  // below the last row appends
  lists.DropTile(1, 2, ActionKind::GoToStep);
  EXPECT_EQ(Show(lists, 1), "E15 G1 F12 S10");
  EXPECT_TRUE(lists.Modified);
  EXPECT_EQ(lists.UndoDepth(), 4);
}

TEST(Editing, GoToStepsNeverEnterASensorSet) {
  ActionLists lists = WithMain("F12 G1 B12");
  lists.CurrentList = 3;
  EXPECT_FALSE(lists.AppendTile(ActionKind::GoToStep).Changed);
  EXPECT_FALSE(lists.DropTile(2, 1, ActionKind::GoToStep).Changed);
  EXPECT_EQ(lists.StepCount(3), 0);
  EXPECT_EQ(lists.StepCount(2), 0);
  EXPECT_FALSE(lists.CanUndo());

  lists.CopyRows(1, 1, 3);
  EXPECT_TRUE(lists.Paste(4, 1).Changed);
  EXPECT_EQ(Show(lists, 4), "F12 B12");
  EXPECT_TRUE(lists.Paste(1, 4).Changed);  // the main list takes go-tos
  EXPECT_EQ(Show(lists, 1), "F12 G1 B12 F12 G1 B12");
}

TEST(Editing, PasteInsertsBeforeTheSelectedRowKeepingSets) {
  ActionLists lists = WithMain("F1 F2 F3 F4 F5");
  for (int r = 1; r <= 5; ++r) lists.Document().List(1)[r].RightSet = static_cast<SensorSetIndex>(r % 5);
  lists.KeyCommand(1, EditKey::Copy, 3, 5);
  EXPECT_TRUE(lists.KeyCommand(1, EditKey::Paste, 2, 2).Changed);
  EXPECT_EQ(Show(lists, 1), "F1 F3 F4 F5 F2 F3 F4 F5");
  EXPECT_EQ(lists.Step(1, 2).RightSet, 3);
  EXPECT_EQ(lists.Step(1, 4).RightSet, 0);
  // On the empty row below the last step, paste appends.
  lists.KeyCommand(1, EditKey::Paste, 9, 9);
  EXPECT_EQ(lists.StepCount(1), 11);
}

TEST(Editing, PasteIntoANearlyFullListInsertsWhatFits) {
  ActionLists lists;
  for (int i = 0; i < 254; ++i) lists.AppendTile(ActionKind::Backward);
  lists.AppendTile(ActionKind::Forward);  // make 255 to copy three, then drop back to 254
  lists.CopyRows(1, 253, 255);
  lists.DeleteRows(1, 255, 255);
  ASSERT_EQ(lists.StepCount(1), 254);
  lists.Paste(1, 1);
  EXPECT_EQ(lists.StepCount(1), 255);
  EXPECT_EQ(lists.Step(1, 1).kind(), ActionKind::Backward);
}

TEST(Editing, AWholeCopiedListPastesWhole) {
  ActionLists lists;
  for (int i = 0; i < kMaxSteps; ++i) lists.AppendTile(i % 2 ? ActionKind::Forward : ActionKind::TurnLeft);
  lists.KeyCommand(1, EditKey::Cut, 1, 256);  // the selection may include the empty row
  EXPECT_EQ(lists.StepCount(1), 0);
  EXPECT_EQ(lists.Clip().Size(), kMaxSteps);
  lists.Paste(1, 1);
  EXPECT_EQ(lists.StepCount(1), kMaxSteps);  // the 255th step is not lost
  EXPECT_EQ(lists.Step(1, 255).kind(), ActionKind::TurnLeft);
}

TEST(Editing, PastedGoToNeverPointsBelowItself) {
  ActionLists lists = WithMain("F12 B12 L13 R13 G4");
  lists.CopyRows(1, 5, 5);
  lists.Paste(1, 2);
  EXPECT_EQ(Show(lists, 1), "F12 G2 B12 L13 R13 G5");
}

TEST(Editing, KeysNeedASelectedStepExceptPasteAndUndo) {
  ActionLists lists = WithMain("F12 B12");
  struct Case {
    EditKey key;
    int top, bottom;
    bool changes;
  };
  const Case cases[] = {
      {EditKey::Delete, 3, 3, false},  // the empty last row
      {EditKey::Delete, 0, 0, false},
      {EditKey::Cut, 3, 3, false},
      {EditKey::Delete, 2, 9, true},  // bottom is limited to the step count
  };
  for (const Case& c : cases) EXPECT_EQ(lists.KeyCommand(1, c.key, c.top, c.bottom).Changed, c.changes);
  EXPECT_EQ(Show(lists, 1), "F12");
  lists.KeyCommand(1, EditKey::Copy, 3, 3);
  EXPECT_TRUE(lists.Clip().Empty());
  EXPECT_TRUE(lists.KeyCommand(1, EditKey::Undo, 0, 0).Changed);
  EXPECT_EQ(Show(lists, 1), "F12 B12");
}

TEST(Editing, MoveRowTakesTheSetsOfItsNewPredecessor) {
  ActionLists lists = WithMain("F1 F2 F3 F4");
  lists.Document().List(1)[1].BothSet = 1;
  lists.Document().List(1)[4].BothSet = 4;
  lists.MoveRow(1, 4, 2);
  EXPECT_EQ(Show(lists, 1), "F1 F4 F2 F3");
  EXPECT_EQ(lists.Step(1, 2).BothSet, 1);
  lists.MoveRow(1, 1, 9);  // beyond the steps: to the last step
  EXPECT_EQ(Show(lists, 1), "F4 F2 F3 F1");
  EXPECT_EQ(lists.Step(1, 4).BothSet, 0);
  const int depth = lists.UndoDepth();
  EXPECT_FALSE(lists.MoveRow(1, 5, 1).Changed);  // the empty last row does not move
  EXPECT_EQ(lists.UndoDepth(), depth);
}

TEST(Editing, MovedGoToStaysWithinItsOwnStepNumber) {
  ActionLists lists = WithMain("F12 B12 L13 R13 G4");
  lists.MoveRow(1, 5, 2);
  EXPECT_EQ(Show(lists, 1), "F12 G2 B12 L13 R13");
}

TEST(Editing, SetAssignmentWithThePlusTile) {
  ActionLists lists = WithMain("F12 B12 L13");
  struct Case {
    int row, column, set;
    bool changes;
  };
  const Case cases[] = {{3, 3, 2, true},  {3, 2, 4, true},  {1, 4, 1, true},
                        {4, 3, 2, false}, {3, 1, 2, false}, {3, 3, 5, false}};
  for (const Case& c : cases)
    EXPECT_EQ(lists.AssignSet(c.row, c.column, static_cast<SensorSetIndex>(c.set)).Changed, c.changes);
  EXPECT_EQ(lists.Step(1, 3).LeftSet, 2);
  EXPECT_EQ(lists.Step(1, 3).BothSet, 4);
  EXPECT_EQ(lists.Step(1, 1).RightSet, 1);
}

TEST(Undo, TenLevelsInReverseOrder) {
  ActionLists lists;
  std::vector<std::string> states{Show(lists, 1)};
  for (int i = 0; i < 11; ++i) {
    lists.AppendTile(static_cast<ActionKind>(i % 7));
    states.push_back(Show(lists, 1));
  }
  for (int i = 0; i < 10; ++i) {
    EXPECT_TRUE(lists.CanUndo());
    EXPECT_TRUE(lists.Undo().Changed);
    EXPECT_EQ(Show(lists, 1), states[10 - i]) << i;
  }
  EXPECT_FALSE(lists.CanUndo());
  EXPECT_FALSE(lists.AutoEnableDisable(1).Undo);
  EXPECT_FALSE(lists.Undo().Changed);
  EXPECT_EQ(Show(lists, 1), states[1]);
  EXPECT_TRUE(lists.Modified);  // undo does not clear it
}

TEST(Undo, RestoresAllListsAndValueChanges) {
  ActionLists lists = WithMain("F12 B12");
  Fill(lists, 5, "S10 E15");
  lists.Clear();
  EXPECT_EQ(lists.StepCount(1) + lists.StepCount(5), 0);
  lists.Undo();
  EXPECT_EQ(Show(lists, 1), "F12 B12");
  EXPECT_EQ(Show(lists, 5), "S10 E15");

  // The editor has already stored 40 when it reports the change.
  std::int16_t* value = lists.ValuePointer(1, 2);
  *value = 40;
  EXPECT_TRUE(lists.ValueChanged(1, 2, 12).Changed);
  lists.SetValue(1, 1, 999);
  EXPECT_EQ(Show(lists, 1), "F255 B40");
  lists.Undo();
  EXPECT_EQ(Show(lists, 1), "F12 B40");
  lists.Undo();
  EXPECT_EQ(Show(lists, 1), "F12 B12");
}

TEST(Undo, AnUnchangedValueRecordsNothing) {
  ActionLists lists = WithMain("F12");
  EXPECT_FALSE(lists.ValueChanged(1, 1, 12).Changed);
  EXPECT_FALSE(lists.CanUndo());
  EXPECT_FALSE(lists.Modified);
}

TEST(Buttons, FollowSelectionClipboardAndMainList) {
  struct Case {
    EditorState state;
    ButtonStates expected;
  };
  auto make = [](bool del, bool paste, bool go, bool undo) {
    ButtonStates b;
    b.Delete = b.Copy = b.Cut = del;
    b.Paste = paste;
    b.Go = b.Clear = b.Save = go;
    b.Undo = undo;
    return b;
  };
  const Case cases[] = {
      {{0, 3, 3, true, false}, make(false, false, true, false)},
      {{4, 3, 3, false, false}, make(false, true, true, false)},  // the empty row takes a paste
      {{2, 3, 0, false, true}, make(true, true, false, true)},    // a sensor set with steps, main empty
      {{1, 3, 3, true, true}, make(true, false, true, true)},
      {{0, 0, 0, false, false}, make(false, false, false, false)},
  };
  for (const Case& c : cases) EXPECT_EQ(ComputeButtonStates(c.state), c.expected);
}
