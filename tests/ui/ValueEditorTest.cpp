// The value editors of the step slots against the rows that move under them: a value typed
// into a step's editor lands on that step whatever scrolls, and both decimal marks are read.

#include <gtest/gtest.h>

#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <algorithm>
#include <functional>
#include <vector>

#include "GridWindow.h"
#include "app/PictureSlot.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;
using gridtest::Seconds;

// Clicks into the value box of slot `s` of `list`, as a user does before typing.
ui::TSuperSpinEdit* ClickValue(GridWindow& w, int list, int s) {
  QApplication::setActiveWindow(w.form.get());
  ui::TSuperSpinEdit* edit = w.slot(list, s)->SpinEdit;
  QTest::mouseClick(edit->Edit(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
  QApplication::processEvents();
  EXPECT_TRUE(edit->Edit()->hasFocus());
  edit->Edit()->selectAll();
  return edit;
}

// Keys go wherever the focus is, as they do for a user.
void Type(const QString& text) {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClicks(target, text);
}

void Enter() {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key_Return);
  QApplication::processEvents();
}

// One turn of the mouse wheel over a grid, downwards for `notches` > 0.
void Wheel(ui::StepGrid* grid, int notches) {
  const QPointF at = grid->viewport()->rect().center();
  QWheelEvent wheel(at, grid->viewport()->mapToGlobal(at), QPoint(), QPoint(0, -120 * notches), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid->viewport(), &wheel);
}

void Escape() {
  QWidget* target = QApplication::focusWidget();
  ASSERT_NE(target, nullptr);
  QTest::keyClick(target, Qt::Key_Escape);
  QApplication::processEvents();
}

// What the user does, one thing after another, in a main list with 62 steps of 1,2 s.
using Gesture = std::function<void(GridWindow&)>;
Gesture ClickSlot(int s) {
  return [s](GridWindow& w) { ClickValue(w, 1, s); };
}
// A click into another box while typing, which takes the focus from the edit in progress.
Gesture ClickOnly(int s) {
  return [s](GridWindow& w) {
    QTest::mouseClick(w.slot(1, s)->SpinEdit->Edit(), Qt::LeftButton, Qt::NoModifier, QPoint(5, 5));
    QApplication::processEvents();
  };
}
Gesture Scroll(int notches) {
  return [notches](GridWindow& w) { Wheel(w.grid(1), notches); };
}
Gesture Typed(const char* text) {
  return [text](GridWindow&) { Type(QString::fromUtf8(text)); };
}
// Not a gesture: the edit in progress is seen in slot `s`, over its own step.
Gesture SeenInSlot(int s, int step) {
  return [s, step](GridWindow& w) {
    EXPECT_TRUE(w.slot(1, s)->SpinEdit->Edit()->hasFocus());
    EXPECT_EQ(w.slot(1, s)->SpinEdit->BoundRow(), step);
  };
}
Gesture PressEnter() {
  return [](GridWindow&) { Enter(); };
}

ui::TSuperSpinEdit* Floating(GridWindow& w) {
  return w.steps()->FloatingEditor();
}

TEST(ValueEditorTest, ATypedValueLandsOnTheStepWhoseEditorWasClicked) {
  struct Case {
    const char* name;
    std::vector<Gesture> gestures;
    int topRow;                // after the gestures
    std::vector<int> changed;  // the steps that hold 9,0 s; every other one keeps 1,2 s
  };
  const Case cases[] = {
      {"click, scroll, type, Enter", {ClickSlot(1), Scroll(30), Typed("9"), PressEnter()}, 31, {1}},
      {"click, type, scroll, Enter", {ClickSlot(1), Typed("9"), Scroll(30), PressEnter()}, 31, {1}},
      {"click, scroll, type, scroll back, Enter",
       {ClickSlot(1), Scroll(30), Typed("9"), Scroll(-30), SeenInSlot(1, 1), PressEnter()},
       1,
       {1}},
      // The step stays in view: the slot now over it takes the edit at once.
      {"click, scroll by one, type, Enter",
       {ClickSlot(3), Scroll(1), SeenInSlot(2, 3), Typed("9"), PressEnter()},
       2,
       {3}},
      // Leaving the edit for another step's box stores it, as leaving a slot does.
      {"click, scroll, type, click another step",
       {ClickSlot(1), Scroll(30), Typed("9"), ClickOnly(3)},
       31,
       {1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridWindow w(false);
    w.append(1, ActionKind::Forward, 62);
    w.grid(1)->SetTopRow(1);
    for (const Gesture& gesture : c.gestures) gesture(w);
    ASSERT_EQ(w.grid(1)->TopRow(), c.topRow);
    for (int step = 1; step <= 62; ++step) {
      const bool changed = std::find(c.changed.begin(), c.changed.end(), step) != c.changed.end();
      EXPECT_EQ(w.lists().Step(1, step).Value, changed ? 90 : 12) << "step " << step;
    }
    // The slots show their steps as they are, and the floating editor has let go.
    EXPECT_EQ(w.slot(1, 1)->SpinEdit->BoundRow(), c.topRow);
    EXPECT_EQ(w.slot(1, 1)->SpinEdit->Text(), Seconds(w.lists().Step(1, c.topRow).Value));
    EXPECT_FALSE(Floating(w)->IsBound());
    EXPECT_FALSE(Floating(w)->Edit()->isVisible());
  }
}

TEST(ValueEditorTest, AValueTypedOverScrollsIsKeptWhole) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 62);
  w.grid(1)->SetTopRow(1);
  ClickValue(w, 1, 2);
  Wheel(w.grid(1), 30);
  Type(QStringLiteral("9"));
  Wheel(w.grid(1), 10);
  Type(QStringLiteral("0"));
  Enter();
  EXPECT_EQ(w.lists().Step(1, 2).Value, 255);  // "90" held to the longest time
  EXPECT_EQ(w.lists().Step(1, 32).Value, 12);
  EXPECT_EQ(w.lists().Step(1, 42).Value, 12);
}

TEST(ValueEditorTest, TheEditMovesWithItsTextCursorAndFocus) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 62);
  w.grid(1)->SetTopRow(1);
  ui::TSuperSpinEdit* slot = ClickValue(w, 1, 1);
  Type(QStringLiteral("35"));
  slot->Edit()->setCursorPosition(1);
  Wheel(w.grid(1), 30);
  ui::TSuperSpinEdit* floating = Floating(w);
  // Out of the viewport, where nothing of it is seen, but holding the keys.
  EXPECT_TRUE(floating->Edit()->hasFocus());
  EXPECT_FALSE(w.grid(1)->viewport()->rect().intersects(floating->Edit()->geometry()));
  EXPECT_EQ(floating->Text(), QStringLiteral("35"));
  EXPECT_EQ(floating->Edit()->cursorPosition(), 1);
  EXPECT_EQ(floating->BoundRow(), 1);
  EXPECT_EQ(slot->Text(), Seconds(12));  // the slot shows step 31 as it is
  Type(QStringLiteral(","));
  Wheel(w.grid(1), -30);
  EXPECT_TRUE(slot->Edit()->hasFocus());
  EXPECT_EQ(slot->Text(), QStringLiteral("3,5"));
  EXPECT_EQ(slot->Edit()->cursorPosition(), 2);
  EXPECT_EQ(slot->BoundRow(), 1);
  // A selection still selected: typing replaces it.
  slot->Edit()->setSelection(3, -3);
  Wheel(w.grid(1), 5);
  EXPECT_EQ(floating->Edit()->selectedText(), QStringLiteral("3,5"));
  EXPECT_EQ(floating->Edit()->cursorPosition(), 0);
  Type(QStringLiteral("7"));
  Enter();
  EXPECT_EQ(w.lists().Step(1, 1).Value, 70);
}

TEST(ValueEditorTest, EscapeDoesOnAScrolledStepWhatItDoesInItsSlot) {
  for (const bool scrolled : {false, true}) {
    SCOPED_TRACE(scrolled ? "scrolled" : "in view");
    GridWindow w(false);
    w.append(1, ActionKind::Forward, 62);
    w.grid(1)->SetTopRow(1);
    ClickValue(w, 1, 1);
    if (scrolled) Wheel(w.grid(1), 30);
    Type(QStringLiteral("9"));
    Escape();
    // The typing goes on: nothing stored yet, the text and the focus kept.
    ui::TSuperSpinEdit* edit = scrolled ? Floating(w) : w.slot(1, 1)->SpinEdit;
    EXPECT_TRUE(edit->Edit()->hasFocus());
    EXPECT_EQ(edit->Text(), QStringLiteral("9"));
    EXPECT_EQ(w.lists().Step(1, 1).Value, 12);
    Enter();
    EXPECT_EQ(w.lists().Step(1, 1).Value, 90);
    EXPECT_EQ(w.lists().Step(1, 31).Value, 12);
  }
}

TEST(ValueEditorTest, AScrolledEditFollowsItsStepWhenTheListChanges) {
  struct Case {
    const char* name;
    std::function<void(ui::StepListModel*)> change;
    int typedStepAfter;  // 0: the step is gone and the edit dropped
  };
  const Case cases[] = {
      {"a step inserted above", [](ui::StepListModel* m) { m->InsertTile(1, ActionKind::StopAndWait); }, 3},
      {"the step moved down", [](ui::StepListModel* m) { m->MoveStep(2, 20); }, 20},
      {"the step deleted", [](ui::StepListModel* m) { m->KeyCommand(actions::EditKey::Delete, 2, 2); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridWindow w(false);
    w.append(1, ActionKind::Forward, 62);
    w.grid(1)->SetTopRow(1);
    ClickValue(w, 1, 2);
    Wheel(w.grid(1), 40);
    Type(QStringLiteral("4,5"));
    c.change(w.steps()->Model(1));  // another view on the list
    if (c.typedStepAfter == 0) {
      EXPECT_FALSE(Floating(w)->Edit()->hasFocus());
      EXPECT_TRUE(w.grid(1)->hasFocus());
    }
    Enter();
    for (int row = 1; row <= w.lists().StepCount(1); ++row) {
      const bool typed = row == c.typedStepAfter;
      const bool forward = w.lists().Step(1, row).kind() == ActionKind::Forward;
      EXPECT_EQ(w.lists().Step(1, row).Value, typed ? 45 : forward ? 12 : 10) << row;
    }
  }
}

TEST(ValueEditorTest, ACommandWhileTypingOnAScrolledStepStoresItThere) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 62);
  w.grid(1)->SetTopRow(1);
  w.grid(1)->SelectRows(40, 40);
  ClickValue(w, 1, 2);
  Wheel(w.grid(1), 30);
  Type(QStringLiteral("3"));
  w.form->ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);  // the Delete button's path
  ASSERT_EQ(w.lists().StepCount(1), 61);
  EXPECT_EQ(w.lists().Step(1, 2).Value, 30);
  EXPECT_FALSE(Floating(w)->IsBound());
}

TEST(ValueEditorTest, ASetValueIsKeptWhileEitherGridScrolls) {
  for (const int scrolled : {2, 1}) {  // the set's own grid, then the main grid beside it
    SCOPED_TRACE(scrolled);
    GridWindow w(true);
    w.append(1, ActionKind::Forward, 30);
    w.append(2, ActionKind::Forward, 30);
    w.form->SensorTabs->setCurrentIndex(0);
    w.grid(1)->SetTopRow(1);
    w.grid(2)->SetTopRow(1);
    ClickValue(w, 2, 1);
    Wheel(w.grid(scrolled), 10);
    EXPECT_EQ(w.grid(scrolled)->TopRow(), 11);
    Type(QStringLiteral("6"));
    Enter();
    EXPECT_EQ(w.lists().Step(2, 1).Value, 60);
    EXPECT_EQ(w.lists().Step(2, 11).Value, 12);
    EXPECT_EQ(w.lists().Step(1, 1).Value, 12);
    EXPECT_EQ(w.lists().Step(1, 11).Value, 12);
  }
}

TEST(ValueEditorTest, ATypedValueIsUndoneOnItsOwnStep) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 20);
  w.grid(1)->SetTopRow(1);
  ClickValue(w, 1, 2);
  Type(QStringLiteral("4"));
  Wheel(w.grid(1), 5);
  EXPECT_EQ(w.lists().Step(1, 2).Value, 12);  // not stored while it is being typed
  Enter();
  EXPECT_EQ(w.lists().Step(1, 2).Value, 40);
  EXPECT_EQ(w.lists().Step(1, 7).Value, 12);
  w.form->ToDoListKeyDown(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.lists().Step(1, 2).Value, 12);
  EXPECT_EQ(w.lists().Step(1, 7).Value, 12);
}

TEST(ValueEditorTest, ACommandWhileTypingKeepsTheValueOnItsStep) {
  GridWindow w(false);
  const ActionKind kinds[] = {ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft};
  for (ActionKind k : kinds) w.append(1, k);
  w.grid(1)->SetTopRow(1);
  w.grid(1)->SelectRows(1, 1);
  ClickValue(w, 1, 3);  // the turn, step 3
  Type(QStringLiteral("2,5"));
  w.form->ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);  // the Delete button's path
  ASSERT_EQ(w.lists().StepCount(1), 2);
  EXPECT_EQ(w.lists().Step(1, 1).kind(), ActionKind::Backward);
  EXPECT_EQ(w.lists().Step(1, 1).Value, 12);
  EXPECT_EQ(w.lists().Step(1, 2).kind(), ActionKind::TurnLeft);
  EXPECT_EQ(w.lists().Step(1, 2).Value, 25);
}

TEST(ValueEditorTest, AValueBeingTypedFollowsItsStepWhenTheListChangesUnderIt) {
  struct Case {
    const char* name;
    std::function<void(ui::StepListModel*)> change;
    int typedStepAfter;  // 0: the step is gone
  };
  const Case cases[] = {
      {"a step inserted above", [](ui::StepListModel* m) { m->InsertTile(1, ActionKind::StopAndWait); }, 3},
      {"the step moved to the top", [](ui::StepListModel* m) { m->MoveStep(2, 1); }, 1},
      {"a step deleted below", [](ui::StepListModel* m) { m->KeyCommand(actions::EditKey::Delete, 3, 3); },
       2},
      {"the step deleted", [](ui::StepListModel* m) { m->KeyCommand(actions::EditKey::Delete, 2, 2); }, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridWindow w(false);
    w.append(1, ActionKind::Forward, 3);
    w.grid(1)->SetTopRow(1);
    ClickValue(w, 1, 2);
    Type(QStringLiteral("4,5"));
    // Another view on the list changes it while the user types.
    c.change(w.steps()->Model(1));
    for (int row = 1; row <= w.lists().StepCount(1); ++row) {
      const bool typed = row == c.typedStepAfter;
      EXPECT_EQ(w.lists().Step(1, row).Value, typed                                                  ? 45
                                              : w.lists().Step(1, row).kind() == ActionKind::Forward ? 12
                                                                                                     : 10)
          << row;
    }
  }
}

TEST(ValueEditorTest, ASetValueStaysInItsSetWhenTheTabChanges) {
  GridWindow w(true);
  w.append(2, ActionKind::Forward);
  w.append(3, ActionKind::Backward);
  w.form->SensorTabs->setCurrentIndex(0);
  const int undoDepth = w.lists().UndoDepth();
  ClickValue(w, 2, 1);
  Type(QStringLiteral("7"));
  w.form->SensorTabs->setCurrentIndex(1);  // Set1 takes over the six slots
  EXPECT_EQ(w.lists().Step(2, 1).Value, 70);
  EXPECT_EQ(w.lists().Step(3, 1).Value, 12);
  EXPECT_EQ(w.slot(3, 1)->SpinEdit->Text(), Seconds(12));
  // The change is recorded for the All set's step, so Undo takes it back there.
  EXPECT_EQ(w.lists().UndoDepth(), undoDepth + 1);
  w.form->ToDoListKeyDown(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(w.lists().Step(2, 1).Value, 12);
}

TEST(ValueEditorTest, CommaAndPointAreBothDecimalMarks) {
  struct Case {
    ActionKind kind;
    QString typed;
    int value;
  };
  const Case cases[] = {
      {ActionKind::Forward, QStringLiteral("1,5"), 15}, {ActionKind::Forward, QStringLiteral("1.5"), 15},
      {ActionKind::Backward, QStringLiteral(",7"), 7},  {ActionKind::TurnLeft, QStringLiteral("2,25"), 22},
      {ActionKind::GoToStep, QStringLiteral("1,9"), 1},  // a go-to target has no decimals
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.typed.toStdString());
    GridWindow w(false);
    w.append(1, ActionKind::Forward);
    w.append(1, c.kind);
    w.grid(1)->SetTopRow(1);
    ui::TSuperSpinEdit* edit = ClickValue(w, 1, 2);
    Type(c.typed);
    EXPECT_EQ(edit->Text(), c.typed);  // neither mark is dropped while typing
    Enter();
    EXPECT_EQ(w.lists().Step(1, 2).Value, c.value);
    // Shown again in the program's own format.
    if (c.kind != ActionKind::GoToStep) {
      EXPECT_EQ(edit->Text(), Seconds(c.value));
    }
  }
}

}  // namespace
