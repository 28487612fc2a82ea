// The value editors of the step slots against the rows that move under them: a value typed
// into a step's editor lands on that step whatever scrolls, and both decimal marks are read.

#include <gtest/gtest.h>

#include <QTabBar>
#include <QTest>
#include <QWheelEvent>
#include <functional>

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

TEST(ValueEditorTest, ATypedValueLandsOnTheStepWhoseEditorWasClicked) {
  struct Case {
    const char* name;
    QString typedBeforeScroll;
    QString typedAfterScroll;
    int step1, step31;
  };
  const Case cases[] = {
      // Nothing typed yet: the scroll ends the edit; the keys after it change no step.
      {"click, scroll, type", QString(), QStringLiteral("9"), 12, 12},
      // Typed before the scroll: the value is kept for step 1.
      {"click, type, scroll", QStringLiteral("9"), QString(), 90, 12},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    GridWindow w(false);
    w.append(1, ActionKind::Forward, 62);
    w.grid(1)->SetTopRow(1);
    ui::TSuperSpinEdit* edit = ClickValue(w, 1, 1);
    if (!c.typedBeforeScroll.isEmpty()) Type(c.typedBeforeScroll);
    Wheel(w.grid(1), 30);
    ASSERT_EQ(w.grid(1)->TopRow(), 31);
    EXPECT_FALSE(edit->Edit()->hasFocus());
    if (!c.typedAfterScroll.isEmpty()) Type(c.typedAfterScroll);
    Enter();
    EXPECT_EQ(w.lists().Step(1, 1).Value, c.step1);
    EXPECT_EQ(w.lists().Step(1, 31).Value, c.step31);
    // Slot 1 now shows step 31 as it is.
    EXPECT_EQ(edit->Text(), Seconds(c.step31));
    EXPECT_EQ(edit->BoundRow(), 31);
  }
}

TEST(ValueEditorTest, ATypedValueIsUndoneOnItsOwnStep) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 20);
  w.grid(1)->SetTopRow(1);
  ClickValue(w, 1, 2);
  Type(QStringLiteral("4"));
  Wheel(w.grid(1), 5);
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
