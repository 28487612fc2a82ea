// The palette and the drag window in a shown main window: hover animation, the 4-pixel
// threshold, drop targets, the glide, double-clicks.

#include <gtest/gtest.h>

#include <QTabBar>

#include "GridWindow.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;

constexpr int kForward = 0, kTurnLeft = 2, kGoTo = 7;

TEST(DragTest, HoveredTileAnimatesAloneAndTheGridStopsIt) {
  GridWindow w(false);
  app::PictureSlot* forward = w.tile(kForward);
  ASSERT_TRUE(forward->isAnimated());
  const QPoint over = forward->mapToGlobal(QPoint(10, 10));
  GridWindow::send(forward, QEvent::MouseMove, over, Qt::NoButton, Qt::NoButton);
  for (int kind = 0; kind < 8; ++kind) EXPECT_EQ(w.tile(kind)->isAnimating(), kind == kForward) << kind;
  GridWindow::send(w.grid(1)->viewport(), QEvent::MouseMove, w.cell(1, 1, 1), Qt::NoButton, Qt::NoButton);
  for (int kind = 0; kind < 8; ++kind) EXPECT_FALSE(w.tile(kind)->isAnimating()) << kind;
}

TEST(DragTest, OnlyAMoveOfMoreThanFourPixelsStartsADrag) {
  GridWindow w(false);
  app::PictureSlot* tile = w.tile(kForward);
  const QPoint start = tile->mapToGlobal(tile->rect().center());
  struct Case {
    QPoint move;
    bool drags;
  };
  const Case cases[] = {{{0, 0}, false}, {{4, 4}, false}, {{-4, 0}, false}, {{5, 0}, true}, {{0, -5}, true}};
  for (const Case& c : cases) {
    GridWindow::send(tile, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    GridWindow::send(tile, QEvent::MouseMove, start + c.move, Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(w.steps()->Dragging(), c.drags) << c.move.x() << "," << c.move.y();
    EXPECT_EQ(w.steps()->Dragger()->isVisible(), c.drags);
    GridWindow::send(tile, QEvent::MouseButtonRelease, start + c.move, Qt::LeftButton, Qt::NoButton);
    EXPECT_FALSE(w.steps()->Dragging());
    EXPECT_FALSE(w.steps()->Dragger()->isVisible());
  }
  // Released over the palette: nothing changed and no undo snapshot was taken.
  EXPECT_EQ(w.lists().StepCount(1), 0);
  EXPECT_FALSE(w.lists().CanUndo());
  EXPECT_FALSE(w.lists().Modified);
}

TEST(DragTest, DropsLandOnTheRowUnderTheCursor) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 2);
  ui::StepGrid* grid = w.grid(1);
  const QPoint below = grid->viewport()->mapToGlobal(QPoint(40, grid->viewport()->height() - 5));
  struct Case {
    int kind;
    QPoint at;
    int row;  // where the new step appears
  };
  const Case cases[] = {
      {kTurnLeft, w.cell(1, 1, 0), 1},  // the header row inserts as step 1
      {kGoTo, below, 4},                // below the last row appends
      {kTurnLeft, w.cell(1, 1, 2), 2},  // a step row inserts before it
  };
  int count = 2;
  for (const Case& c : cases) {
    w.dragTile(c.kind, {w.tile(c.kind)->mapToGlobal(QPoint(40, 40)), c.at});
    ++count;
    ASSERT_EQ(w.lists().StepCount(1), count);
    EXPECT_EQ(static_cast<int>(w.lists().Step(1, c.row).Kind), c.kind);
    EXPECT_EQ(grid->RowCount(), count + 2);
  }
  EXPECT_EQ(w.lists().UndoDepth(), 5);
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kUndoButton));
}

TEST(DragTest, TheGlideShrinksFrom53To27IntoTheActionCell) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 2);
  ui::StepGrid* grid = w.grid(1);
  w.dragTile(kForward, {w.tile(kForward)->mapToGlobal(QPoint(40, 40)), w.cell(1, 1, 2)});
  const auto& frames = w.steps()->Dragger()->GlideFrames();
  ASSERT_EQ(frames.size(), 27u);
  EXPECT_EQ(frames.front().width(), 53);
  EXPECT_EQ(frames.back().width(), 27);
  for (size_t i = 1; i < frames.size(); ++i) EXPECT_EQ(frames[i].width(), frames[i - 1].width() - 1);
  const QPoint cell = w.form->mapFromGlobal(grid->viewport()->mapToGlobal(QPoint(grid->ColWidth(0) + 1, 2 * 28)));
  EXPECT_EQ(frames.back().topLeft(), cell + QPoint(0, 1));
}

TEST(DragTest, TheSensorAreaTakesEveryTileButTheGoTo) {
  GridWindow w(true);
  w.form->SensorTabs->setCurrentIndex(1);  // Set1, list 3
  QWidget* area = w.form->SensorTabbedNotebook;
  const QPoint inside = area->mapToGlobal(QPoint(area->width() / 2, area->height() / 2));
  const QPoint onEdge = area->mapToGlobal(QPoint(0, area->height() / 2));
  EXPECT_EQ(w.steps()->DropTarget(kForward, inside), 3);
  EXPECT_EQ(w.steps()->DropTarget(kGoTo, inside), 0);
  EXPECT_EQ(w.steps()->DropTarget(kForward, onEdge), 0);  // strictly inside only
  EXPECT_EQ(w.steps()->DropTarget(kGoTo, w.cell(1, 1, 1)), 1);

  w.dragTile(kGoTo, {w.tile(kGoTo)->mapToGlobal(QPoint(40, 40)), inside});
  EXPECT_EQ(w.lists().StepCount(3), 0);
  EXPECT_FALSE(w.lists().CanUndo());
  w.dragTile(kTurnLeft, {w.tile(kTurnLeft)->mapToGlobal(QPoint(40, 40)), inside});
  EXPECT_EQ(w.lists().StepCount(3), 1);
  EXPECT_EQ(w.lists().CurrentList, 3);
  EXPECT_TRUE(w.slot(3, 1)->IsShown());
}

TEST(DragTest, BeginnerModeHasNoSensorArea) {
  GridWindow w(false);
  QWidget* area = w.form->SensorTabbedNotebook;
  const QPoint inside = area->mapToGlobal(QPoint(area->width() / 2, area->height() / 2));
  EXPECT_EQ(w.steps()->DropTarget(kForward, inside), 0);
}

TEST(DragTest, ThePictureStaysInsideTheMainWindow) {
  GridWindow w(false);
  app::PictureSlot* tile = w.tile(kForward);
  const QPoint start = tile->mapToGlobal(tile->rect().center());
  GridWindow::send(tile, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  const QPoint far[] = {w.form->mapToGlobal(QPoint(-300, -300)), w.form->mapToGlobal(QPoint(3000, 3000))};
  for (QPoint p : far) {
    GridWindow::send(tile, QEvent::MouseMove, p, Qt::NoButton, Qt::LeftButton);
    const QRect picture = w.steps()->Dragger()->geometry();
    EXPECT_TRUE(w.form->rect().contains(picture)) << picture.x() << "," << picture.y();
  }
  GridWindow::send(tile, QEvent::MouseButtonRelease, far[1], Qt::LeftButton, Qt::NoButton);
  EXPECT_EQ(w.lists().StepCount(1), 0);
}

TEST(DragTest, DoubleClickAppendsToTheCurrentList) {
  GridWindow w(true);
  QMouseEvent dbl(QEvent::MouseButtonDblClick, QPointF(5, 5), w.tile(kForward)->mapToGlobal(QPointF(5, 5)),
                  Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.tile(kForward), &dbl);
  ASSERT_EQ(w.lists().StepCount(1), 1);
  EXPECT_EQ(w.slot(1, 1)->SpinEdit->Text(), gridtest::Seconds(12));
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kGoButton));
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kSaveButton));
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kClearButton));
  EXPECT_TRUE(w.form->ButtonEnabled(ui::kUndoButton));

  // With a sensor set current (a click on its grid) the go-to tile adds nothing.
  w.clickGrid(2, w.cell(2, 1, 1));
  EXPECT_EQ(w.lists().CurrentList, 2);
  w.steps()->ActionDblClick(kGoTo);
  EXPECT_EQ(w.lists().StepCount(2), 0);
  w.steps()->ActionDblClick(kForward);
  EXPECT_EQ(w.lists().StepCount(2), 1);
}

TEST(DragTest, AppendingPastTheSlotsScrollsToTheNewStep) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 9);
  ui::StepGrid* grid = w.grid(1);
  EXPECT_EQ(grid->RowCount(), 11);
  EXPECT_EQ(grid->TopRow(), 4);
  // The new last step is in the last slot that shows a step; the empty row follows it.
  EXPECT_TRUE(w.slot(1, 6)->IsShown());
  EXPECT_FALSE(w.slot(1, 7)->IsShown());
}

}  // namespace
