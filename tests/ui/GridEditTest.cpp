// Editing through the window: grid keys, edit buttons, Alt letters, undo, and the value
// editors of the step slots (typing and arrows).

#include <gtest/gtest.h>

#include <QTest>

#include "GridWindow.h"
#include "app/PictureSlot.h"
#include "ui/PictureButtons.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;
using gridtest::Seconds;

void Key(ui::StepGrid* grid, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(grid, static_cast<Qt::Key>(key), modifiers);
}

void PressButton(GridWindow& w, int tag) {
  app::PictureSlot* highlight = w.form->Pictures[ui::ButtonOf(tag).Highlight];
  w.form->ButtonClick(highlight);
}

std::vector<ActionKind> Kinds(const actions::ActionLists& lists, int list) {
  std::vector<ActionKind> kinds;
  for (int r = 1; r <= lists.StepCount(list); ++r) kinds.push_back(lists.Step(list, r).kind());
  return kinds;
}

TEST(GridEditTest, PasteGoesBeforeTheSelectedRow) {
  GridWindow w(false);
  const ActionKind five[] = {ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft, ActionKind::TurnRight,
                             ActionKind::StopAndWait};
  for (ActionKind k : five) w.append(1, k);
  ui::StepGrid* grid = w.grid(1);
  grid->SetTopRow(1);
  grid->SelectRows(3, 5);
  Key(grid, Qt::Key_C, Qt::ControlModifier);
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kPasteButton));
  grid->SelectRows(2, 2);
  Key(grid, Qt::Key_V, Qt::ControlModifier);
  const std::vector<ActionKind> expected = {ActionKind::Forward,   ActionKind::TurnLeft,  ActionKind::TurnRight,
                                            ActionKind::StopAndWait, ActionKind::Backward, ActionKind::TurnLeft,
                                            ActionKind::TurnRight, ActionKind::StopAndWait};
  EXPECT_EQ(Kinds(w.lists(), 1), expected);
  EXPECT_EQ(grid->RowCount(), 10);
  // Pasting on the empty row appends.
  grid->SelectRows(9, 9);
  Key(grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(w.lists().StepCount(1), 11);
  EXPECT_EQ(w.lists().Step(1, 9).kind(), ActionKind::TurnLeft);
}

TEST(GridEditTest, KeysAndButtonsOnTheSelection) {
  struct Case {
    const char* name;
    int selectTop, selectBottom;
    std::function<void(GridWindow&)> act;
    std::vector<ActionKind> after;
  };
  const auto F = ActionKind::Forward, B = ActionKind::Backward, L = ActionKind::TurnLeft;
  const std::vector<Case> cases = {
      {"Delete key", 2, 2, [](GridWindow& w) { Key(w.grid(1), Qt::Key_Delete); }, {F, L}},
      {"Delete on the empty row", 4, 4, [](GridWindow& w) { Key(w.grid(1), Qt::Key_Delete); }, {F, B, L}},
      {"Delete button", 1, 2, [](GridWindow& w) { PressButton(w, ui::kDeleteButton); }, {L}},
      {"Cut then paste at the end", 1, 1,
       [](GridWindow& w) {
         PressButton(w, ui::kCutButton);
         w.grid(1)->SelectRows(3, 3);
         PressButton(w, ui::kPasteButton);
       },
       {B, L, F}},
      {"Alt+I is Delete in this build", 3, 3, [](GridWindow& w) { Key(w.grid(1), Qt::Key_I, Qt::AltModifier); }, {F, B}},
      {"Alt+O is Cut in this build", 1, 1, [](GridWindow& w) { Key(w.grid(1), Qt::Key_O, Qt::AltModifier); }, {B, L}},
      {"Undo button", 2, 2,
       [](GridWindow& w) {
         Key(w.grid(1), Qt::Key_Delete);
         PressButton(w, ui::kUndoButton);
       },
       {F, B, L}},
      {"Ctrl+Z", 2, 2,
       [](GridWindow& w) {
         Key(w.grid(1), Qt::Key_Delete);
         Key(w.grid(1), Qt::Key_Z, Qt::ControlModifier);
       },
       {F, B, L}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridWindow w(false);
    app::Global().ShortcutLetters = QStringLiteral("ICOGDEVLOAGS");
    w.append(1, F);
    w.append(1, B);
    w.append(1, L);
    w.grid(1)->SetTopRow(1);
    w.grid(1)->SelectRows(c.selectTop, c.selectBottom);
    w.steps()->AutoEnableDisable();
    c.act(w);
    EXPECT_EQ(Kinds(w.lists(), 1), c.after);
    EXPECT_EQ(w.grid(1)->RowCount(), static_cast<int>(c.after.size()) + 2);
    for (int s = 1; s <= 7; ++s) EXPECT_EQ(w.slot(1, s)->IsShown(), s <= static_cast<int>(c.after.size()));
  }
  app::Global().ShortcutLetters = QString::fromLatin1(app::kDefaultShortcutLetters);
}

TEST(GridEditTest, ElevenChangesAndTenUndos) {
  GridWindow w(false);
  for (int i = 1; i <= 11; ++i) w.append(1, ActionKind::Forward);
  ui::StepGrid* grid = w.grid(1);
  for (int undo = 1; undo <= 10; ++undo) {
    EXPECT_TRUE(w.form->ButtonEnabled(ui::kUndoButton)) << undo;
    PressButton(w, ui::kUndoButton);
    EXPECT_EQ(w.lists().StepCount(1), 11 - undo);
    EXPECT_EQ(grid->RowCount(), 11 - undo + 2);
  }
  EXPECT_FALSE(w.form->ButtonEnabled(ui::kUndoButton));
  Key(grid, Qt::Key_Z, Qt::ControlModifier);  // the eleventh does nothing
  EXPECT_EQ(w.lists().StepCount(1), 1);
  EXPECT_TRUE(w.lists().Modified);  // undo leaves the unsaved mark
}

TEST(GridEditTest, ArrowChangeIsUndone) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward);
  ui::TSuperSpinEdit* edit = w.slot(1, 1)->SpinEdit;
  const QPoint up(5, 3), down(5, edit->Arrows()->height() - 3);
  struct Click {
    QPoint at;
    int value;
  };
  const Click clicks[] = {{up, 13}, {up, 14}, {down, 13}};
  for (const Click& c : clicks) {
    QTest::mousePress(edit->Arrows(), Qt::LeftButton, Qt::NoModifier, c.at);
    QTest::mouseRelease(edit->Arrows(), Qt::LeftButton, Qt::NoModifier, c.at);
    EXPECT_EQ(w.lists().Step(1, 1).Value, c.value);
  }
  EXPECT_EQ(edit->Text(), Seconds(13));
  PressButton(w, ui::kUndoButton);
  EXPECT_EQ(w.lists().Step(1, 1).Value, 14);
  EXPECT_EQ(w.slot(1, 1)->SpinEdit->Text(), Seconds(14));
  PressButton(w, ui::kUndoButton);
  PressButton(w, ui::kUndoButton);
  EXPECT_EQ(w.lists().Step(1, 1).Value, 12);
}

TEST(GridEditTest, GoToArrowsAreReversedAndLimitedToTheOwnRow) {
  GridWindow w(false);
  for (int i = 0; i < 4; ++i) w.append(1, ActionKind::Forward);
  w.append(1, ActionKind::GoToStep);  // step 5
  w.grid(1)->SetTopRow(1);
  ui::TSuperSpinEdit* edit = w.slot(1, 5)->SpinEdit;
  EXPECT_EQ(edit->Text(), QStringLiteral("paso 1"));
  const QPoint up(5, 3), down(5, edit->Arrows()->height() - 3);
  auto click = [&](QPoint at) {
    QTest::mousePress(edit->Arrows(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseRelease(edit->Arrows(), Qt::LeftButton, Qt::NoModifier, at);
  };
  click(up);  // the up arrow lowers the number, and 1 is the least
  EXPECT_EQ(w.lists().Step(1, 5).Value, 1);
  for (int i = 0; i < 6; ++i) click(down);
  EXPECT_EQ(w.lists().Step(1, 5).Value, 5);
  EXPECT_EQ(edit->Text(), QStringLiteral("paso 5"));
}

TEST(GridEditTest, TypingIntoAValueEditor) {
  const QString sep = QLocale::system().decimalPoint();
  struct Case {
    ActionKind kind;
    int row;
    QString typed;
    int value;
  };
  const Case cases[] = {
      {ActionKind::Forward, 1, QStringLiteral("30"), 255},
      {ActionKind::Forward, 1, QStringLiteral("3"), 30},
      {ActionKind::Forward, 2, QStringLiteral("2") + sep + QStringLiteral("25"), 22},
      {ActionKind::Backward, 1, QStringLiteral("ab7"), 70},  // letters never reach the box
      {ActionKind::GoToStep, 5, QStringLiteral("3") + sep + QStringLiteral("7"), 3},
      {ActionKind::GoToStep, 4, QStringLiteral("9"), 4},  // no further than its own step
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    GridWindow w(false);
    QApplication::setActiveWindow(w.form.get());
    w.append(1, ActionKind::StopAndWait, c.row - 1);
    w.append(1, c.kind);
    w.grid(1)->SetTopRow(1);
    ui::TSuperSpinEdit* edit = w.slot(1, c.row)->SpinEdit;
    edit->Edit()->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(edit->Edit()->hasFocus());
    edit->Edit()->selectAll();
    QTest::keyClicks(edit->Edit(), c.typed);
    QTest::keyClick(edit->Edit(), Qt::Key_Return);  // Enter moves on to the arrows
    QApplication::processEvents();
    EXPECT_FALSE(edit->Edit()->hasFocus());
    EXPECT_EQ(w.lists().Step(1, c.row).Value, c.value);
    // Undo brings the value that the step had before the typing.
    const int before = actions::InfoOf(c.kind).defaultValue;
    PressButton(w, ui::kUndoButton);
    EXPECT_EQ(w.lists().Step(1, c.row).Value, before);
  }
}

TEST(GridEditTest, ClearEmptiesEveryListAndCanBeUndone) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward, 2);
  w.append(3, ActionKind::TurnLeft);
  PressButton(w, ui::kClearButton);
  for (int list = 1; list <= 6; ++list) EXPECT_EQ(w.grid(list)->RowCount(), 2);
  EXPECT_FALSE(w.form->ButtonEnabled(ui::kGoButton));
  EXPECT_FALSE(w.slot(1, 1)->IsShown());
  PressButton(w, ui::kUndoButton);
  EXPECT_EQ(w.lists().StepCount(1), 2);
  EXPECT_EQ(w.lists().StepCount(3), 1);
  EXPECT_TRUE(w.slot(1, 2)->IsShown());
}

}  // namespace
