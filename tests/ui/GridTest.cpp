// The step grids and their slots in a shown main window: rows, numbers, set names, slots,
// tabs, scrolling, selection and row moving.

#include <gtest/gtest.h>

#include <QImage>
#include <QMimeData>
#include <QTabBar>
#include <QTest>

#include "GridWindow.h"
#include "app/core/Texts.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;
using gridtest::Seconds;

// Whether the centre strip of a number cell holds dark text pixels.
bool ShowsText(ui::StepGrid* grid, int column, int row) {
  const QImage image = grid->viewport()->grab().toImage();
  const QRect cell = grid->CellRect(column, row).adjusted(2, 2, -2, -2);
  for (int y = cell.top(); y <= cell.bottom(); ++y)
    for (int x = cell.left(); x <= cell.right(); ++x)
      if (qGray(image.pixel(x, y)) < 0x40) return true;
  return false;
}

TEST(GridTest, GridsHaveTheirTagsColumnsAndRows) {
  struct Case {
    bool advanced;
    int list;
    int columns;
    bool visible;
  };
  const Case cases[] = {{false, 1, 2, true}, {true, 1, 5, true}, {true, 2, 2, true},
                        {true, 3, 2, false}, {true, 6, 2, false}};
  for (const Case& c : cases) {
    GridWindow w(c.advanced);
    ui::StepGrid* grid = w.grid(c.list);
    SCOPED_TRACE(grid->objectName().toStdString());
    EXPECT_EQ(grid->tag(), c.list);
    EXPECT_EQ(grid->ColCount(), c.columns);
    EXPECT_EQ(grid->RowCount(), 2);
    EXPECT_EQ(grid->isVisibleTo(w.form.get()), c.visible);
    EXPECT_EQ(grid->HeaderText(0), app::LoadText(369));
    EXPECT_EQ(grid->HeaderText(1), app::LoadText(370));
    // The spare width goes to the action column: every other column is its header + 12.
    const QFontMetrics metrics(grid->font());
    for (int col = 0; col < c.columns; ++col) {
      if (col == 1) continue;
      EXPECT_EQ(grid->ColWidth(col), metrics.horizontalAdvance(grid->HeaderText(col)) + 12);
    }
    EXPECT_GT(grid->ColWidth(1), metrics.horizontalAdvance(grid->HeaderText(1)) + 12);
  }
}

TEST(GridTest, ThreeStepsShowNumbersOneToFourAndSlotsOneToThree) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 3);
  ui::StepGrid* grid = w.grid(1);
  EXPECT_EQ(grid->RowCount(), 5);
  for (int row = 1; row <= 4; ++row) EXPECT_TRUE(ShowsText(grid, 0, row)) << row;
  for (int s = 1; s <= 7; ++s) {
    EXPECT_EQ(w.slot(1, s)->IsShown(), s <= 3) << s;
    EXPECT_EQ(w.slot(1, s)->Icon->isVisibleTo(w.form.get()), s <= 3) << s;
  }
  EXPECT_EQ(w.slot(1, 1)->SpinEdit->Text(), Seconds(12));
}

TEST(GridTest, SlotsSitOverTheirRows) {
  GridWindow w(false);
  w.append(1, ActionKind::Backward, 2);
  ui::StepGrid* grid = w.grid(1);
  for (int s = 1; s <= 2; ++s) {
    const QRect icon = w.slot(1, s)->Icon->geometry();
    EXPECT_EQ(icon, QRect(grid->ColWidth(0) + 2, 28 * s + 1, 25, 25));
    EXPECT_TRUE(grid->CellRect(1, s).contains(icon));
    EXPECT_TRUE(grid->CellRect(1, s).contains(w.slot(1, s)->SpinEdit->Edit()->geometry()));
  }
}

TEST(GridTest, SetNamesInTheSensorColumns) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward, 2);
  ui::StepGrid* grid = w.grid(1);
  for (int column = 2; column <= 4; ++column) EXPECT_EQ(grid->CellText(column, 1), QStringLiteral("Todos"));

  struct Drop {
    int tab;
    int column;
    int row;
    const char* shown;  // nullptr: refused, the cell stays "Todos"
  };
  const Drop drops[] = {{3, 4, 2, "Set3"}, {2, 3, 1, "Set2"}, {0, 2, 1, "Todos"}, {4, 1, 1, nullptr}};
  for (const Drop& d : drops) {
    w.form->SensorTabs->setCurrentIndex(d.tab);
    const QPoint local = grid->CellRect(d.column, d.row).center();
    QMimeData data;
    data.setData(QString::fromLatin1(ui::kSensorSetMime), QByteArray::number(d.tab));
    QDragEnterEvent enter(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &enter);
    QDropEvent drop(local, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(grid->viewport(), &drop);
    if (d.shown != nullptr) {
      EXPECT_TRUE(drop.isAccepted());
      EXPECT_EQ(grid->CellText(d.column, d.row), QString::fromLatin1(d.shown));
    } else {
      EXPECT_FALSE(drop.isAccepted());
    }
  }
  // The step column and the empty row take no set.
  EXPECT_FALSE(w.steps()->ToDoListDragOver(grid, grid->CellRect(1, 1).center()));
  EXPECT_FALSE(w.steps()->ToDoListDragOver(grid, grid->CellRect(3, 3).center()));
  EXPECT_FALSE(w.steps()->ToDoListDragOver(w.grid(2), w.grid(2)->CellRect(1, 1).center()));
}

TEST(GridTest, ForeignDragsAreRefused) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward);
  ui::StepGrid* grid = w.grid(1);
  QMimeData data;
  data.setText(QStringLiteral("file:///tmp/x"));
  QDropEvent drop(grid->CellRect(2, 1).center(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &drop);
  EXPECT_FALSE(drop.isAccepted());
  EXPECT_EQ(w.lists().UndoDepth(), 1);
}

TEST(GridTest, SwitchingTabsShowsTheSetInTheSameSlots) {
  GridWindow w(true);
  w.form->SensorTabs->setCurrentIndex(0);
  w.append(2, ActionKind::Forward, 1);
  w.form->SensorTabs->setCurrentIndex(2);  // Set2, list 4
  EXPECT_EQ(w.lists().CurrentList, 4);
  w.append(4, ActionKind::RotateLeft, 3);
  for (int s = 1; s <= 6; ++s) {
    EXPECT_EQ(w.slot(4, s)->grid(), w.grid(4));
    EXPECT_EQ(w.slot(4, s)->IsShown(), s <= 3) << s;
  }
  EXPECT_EQ(w.slot(4, 1)->kind(), ActionKind::RotateLeft);
  EXPECT_EQ(w.slot(4, 1)->SpinEdit->Text(), Seconds(15));
  EXPECT_TRUE(w.grid(4)->isVisibleTo(w.form.get()));
  for (int list : {2, 3, 5, 6}) EXPECT_FALSE(w.grid(list)->isVisibleTo(w.form.get())) << list;

  w.form->SensorTabs->setCurrentIndex(0);
  EXPECT_EQ(w.slot(2, 1)->grid(), w.grid(2));
  EXPECT_EQ(w.slot(2, 1)->kind(), ActionKind::Forward);
  EXPECT_TRUE(w.slot(2, 1)->IsShown());
  EXPECT_FALSE(w.slot(2, 2)->IsShown());
}

TEST(GridTest, ScrollingByOneRowMovesEveryStepUpOneSlot) {
  GridWindow w(false);
  const ActionKind kinds[] = {ActionKind::Forward,    ActionKind::Backward,    ActionKind::TurnLeft,
                              ActionKind::TurnRight,  ActionKind::RotateLeft,  ActionKind::RotateRight,
                              ActionKind::StopAndWait, ActionKind::Forward,    ActionKind::Backward};
  for (ActionKind kind : kinds) w.append(1, kind);
  ui::StepGrid* grid = w.grid(1);
  ASSERT_EQ(grid->RowCount(), 11);
  grid->SetTopRow(1);
  for (int s = 1; s <= 7; ++s) EXPECT_EQ(w.slot(1, s)->kind(), kinds[s - 1]);
  grid->SetTopRow(2);
  for (int s = 1; s <= 7; ++s) EXPECT_EQ(w.slot(1, s)->kind(), kinds[s]) << s;
  // The wheel scrolls the same way.
  grid->SetTopRow(1);
  QWheelEvent wheel(QPointF(10, 40), grid->viewport()->mapToGlobal(QPointF(10, 40)), QPoint(), QPoint(0, -120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(grid->viewport(), &wheel);
  EXPECT_EQ(grid->TopRow(), 2);
  EXPECT_EQ(w.slot(1, 1)->kind(), kinds[1]);
}

TEST(GridTest, ASlotThatShowedAGoToShowsADurationAfterScrolling) {
  GridWindow w(false);
  for (int i = 0; i < 8; ++i) w.append(1, i == 0 ? ActionKind::Backward : ActionKind::Forward);
  w.append(1, ActionKind::GoToStep);
  ui::StepGrid* grid = w.grid(1);
  grid->SetTopRow(1);
  grid->SetTopRow(4);  // slot 6 shows the go-to at step 9
  EXPECT_EQ(w.slot(1, 6)->SpinEdit->Text(), QStringLiteral("paso 1"));
  grid->SetTopRow(1);  // now step 6, a duration of 12
  EXPECT_EQ(w.slot(1, 6)->SpinEdit->Text(), Seconds(12));
  EXPECT_EQ(w.lists().Step(1, 6).Value, 12);
  EXPECT_EQ(w.lists().Step(1, 9).Value, 1);
}

TEST(GridTest, NumberColumnSelectsWholeRowsAndShiftExtends) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 5);
  ui::StepGrid* grid = w.grid(1);
  grid->SetTopRow(1);
  w.clickGrid(1, w.cell(1, 0, 2));
  EXPECT_EQ(grid->SelectionTop(), 2);
  EXPECT_EQ(grid->SelectionBottom(), 2);
  w.clickGrid(1, w.cell(1, 0, 4), Qt::ShiftModifier);
  EXPECT_EQ(grid->SelectionTop(), 2);
  EXPECT_EQ(grid->SelectionBottom(), 4);
  // The buttons follow the selection: a step row enables Delete, the empty row does not.
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kDeleteButton));
  w.clickGrid(1, w.cell(1, 1, 6));
  EXPECT_EQ(grid->SelectionTop(), 6);
  EXPECT_FALSE(w.form->ButtonEnabled(ui::kDeleteButton));
  EXPECT_FALSE(w.form->ButtonEnabled(ui::kCopyButton));
}

TEST(GridTest, DraggingAStepNumberMovesTheStep) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward);
  w.append(1, ActionKind::Backward);
  w.append(1, ActionKind::TurnLeft);
  ui::StepGrid* grid = w.grid(1);
  QWidget* viewport = grid->viewport();
  struct Move {
    int from, to;
    ActionKind first, second, third;
  };
  const Move moves[] = {
      {1, 3, ActionKind::Backward, ActionKind::TurnLeft, ActionKind::Forward},
      {3, 1, ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft},
      {4, 1, ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft},  // the empty row stays
      {2, 4, ActionKind::Forward, ActionKind::TurnLeft, ActionKind::Backward},  // onto the empty row: last
  };
  for (const Move& m : moves) {
    SCOPED_TRACE(m.from * 10 + m.to);
    GridWindow::send(viewport, QEvent::MouseButtonPress, w.cell(1, 0, m.from), Qt::LeftButton, Qt::LeftButton);
    GridWindow::send(viewport, QEvent::MouseMove, w.cell(1, 0, m.to), Qt::NoButton, Qt::LeftButton);
    GridWindow::send(viewport, QEvent::MouseButtonRelease, w.cell(1, 0, m.to), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.lists().StepCount(1), 3);
    EXPECT_EQ(w.lists().Step(1, 1).kind(), m.first);
    EXPECT_EQ(w.lists().Step(1, 2).kind(), m.second);
    EXPECT_EQ(w.lists().Step(1, 3).kind(), m.third);
    EXPECT_EQ(w.slot(1, 1)->kind(), m.first);
  }
}

}  // namespace
