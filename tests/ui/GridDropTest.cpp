// What a drag onto the step grids shows and what a full list says: the landing line of tiles
// and moved steps, the "+" tile's drag, and a list of 255 steps.

#include <gtest/gtest.h>

#include <QDeadlineTimer>
#include <QDrag>
#include <QImage>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTabBar>
#include <QTest>

#include "GridWindow.h"
#include "app/PictureSlot.h"
#include "app/core/Texts.h"

namespace {
using actions::ActionKind;
using gridtest::GridWindow;

constexpr int kForward = 0;

QString HelpText(const GridWindow& w) {
  return w.form->HelpMemo->toPlainText();
}

// Press a palette tile and move it to `to` without releasing.
void HoldTileAt(GridWindow& w, int kind, QPoint to) {
  app::PictureSlot* tile = w.tile(kind);
  const QPoint start = tile->mapToGlobal(tile->rect().center());
  GridWindow::send(tile, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
  GridWindow::send(tile, QEvent::MouseMove, tile->mapToGlobal(QPoint(40, 40)), Qt::NoButton, Qt::LeftButton);
  GridWindow::send(tile, QEvent::MouseMove, to, Qt::NoButton, Qt::LeftButton);
}

void ReleaseTileAt(GridWindow& w, int kind, QPoint at) {
  GridWindow::send(w.tile(kind), QEvent::MouseButtonRelease, at, Qt::LeftButton, Qt::NoButton);
}

// Fills the main list to the brim.
void FillMainList(GridWindow& w) {
  for (int i = 0; i < actions::kMaxSteps; ++i) w.lists().DropTile(1, i + 1, ActionKind::Forward);
  w.steps()->RefreshAll();
}

TEST(GridDropTest, ATileShowsTheLineWhereItWillLand) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 3);
  ui::StepGrid* grid = w.grid(1);
  grid->SetTopRow(1);
  const QPoint below = grid->viewport()->mapToGlobal(QPoint(40, grid->viewport()->height() - 5));
  struct Case {
    const char* name;
    QPoint at;
    int lineAtTopOfRow;  // 0: no line
  };
  const Case cases[] = {
      {"over step 2", w.cell(1, 1, 2), 2},
      {"over the header", w.cell(1, 1, 0), 1},
      {"below the rows", below, 4},
      {"over the palette", w.tile(kForward)->mapToGlobal(QPoint(30, 30)), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    HoldTileAt(w, kForward, c.at);
    EXPECT_EQ(grid->DropLineY(), c.lineAtTopOfRow > 0 ? grid->CellRect(0, c.lineAtTopOfRow).top() : -1);
    if (c.lineAtTopOfRow > 0) {
      // It lies over the step slots too, not behind them.
      const QImage seen = grid->viewport()->grab().toImage();
      for (int x :
           {grid->ColWidth(0) / 2, grid->CellRect(1, 1).left() + 14, grid->CellRect(1, 1).right() - 8})
        EXPECT_EQ(seen.pixelColor(x, grid->DropLineY()), QColor(0x00, 0x00, 0xC0)) << x;
    }
    ReleaseTileAt(w, kForward, w.tile(kForward)->mapToGlobal(QPoint(30, 30)));
    EXPECT_EQ(grid->DropLineY(), -1);
  }
  EXPECT_EQ(w.lists().StepCount(1), 3);
}

TEST(GridDropTest, AMovedStepShowsTheLineWhereItWillLand) {
  GridWindow w(false);
  w.append(1, ActionKind::Forward, 5);
  ui::StepGrid* grid = w.grid(1);
  grid->SetTopRow(1);
  QWidget* viewport = grid->viewport();
  struct Case {
    int from, over;
    int lineY;  // -1: none
  };
  const Case cases[] = {
      {2, 4, grid->CellRect(0, 4).bottom() + 1},  // downwards: after the row it lands on
      {4, 1, grid->CellRect(0, 1).top()},         // upwards: before it
      {3, 3, -1},                                 // back on its own row
      {2, 6, grid->CellRect(0, 5).bottom() + 1},  // the empty row: after the last step
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from * 10 + c.over);
    GridWindow::send(viewport, QEvent::MouseButtonPress, w.cell(1, 0, c.from), Qt::LeftButton,
                     Qt::LeftButton);
    GridWindow::send(viewport, QEvent::MouseMove, w.cell(1, 0, c.over) + QPoint(0, 6), Qt::NoButton,
                     Qt::LeftButton);
    GridWindow::send(viewport, QEvent::MouseMove, w.cell(1, 0, c.over), Qt::NoButton, Qt::LeftButton);
    EXPECT_EQ(grid->DropLineY(), c.lineY);
    GridWindow::send(viewport, QEvent::MouseButtonRelease, w.cell(1, 0, c.over), Qt::LeftButton,
                     Qt::NoButton);
    EXPECT_EQ(grid->DropLineY(), -1);
  }
}

TEST(GridDropTest, AFullListHasNoEmptyRowAndSaysSo) {
  GridWindow w(true);
  FillMainList(w);
  ui::StepGrid* grid = w.grid(1);
  ASSERT_EQ(w.lists().StepCount(1), 255);
  EXPECT_EQ(grid->RowCount(), 256);  // the header and 255 steps, no row "256"
  grid->SetTopRow(255);
  EXPECT_EQ(grid->TopRow(), 256 - grid->VisibleRowCount());
  EXPECT_EQ(grid->RowAt(grid->viewport()->height() - 2), -1);
  // The last row shows step 255 with its set names.
  EXPECT_EQ(grid->CellText(2, 255), QStringLiteral("Todos"));

  const QString full = app::LoadText(ui::StepArea::kListFullText);
  ASSERT_FALSE(full.isEmpty());
  struct Case {
    const char* name;
    std::function<void()> add;
  };
  const Case cases[] = {
      {"double-click", [&] { w.append(1, ActionKind::Backward); }},
      {"drag",
       [&] {
         w.dragTile(kForward, {w.tile(kForward)->mapToGlobal(QPoint(40, 40)), w.cell(1, 1, grid->TopRow())});
       }},
      {"paste",
       [&] {
         grid->SelectRows(3, 3);
         w.form->ToDoListKeyDown(Qt::Key_C, Qt::ControlModifier);
         w.form->ToDoListKeyDown(Qt::Key_V, Qt::ControlModifier);
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    w.form->ShowHelpText(429);
    const int undoDepth = w.lists().UndoDepth();
    c.add();
    EXPECT_EQ(w.lists().StepCount(1), 255);
    EXPECT_EQ(grid->RowCount(), 256);
    EXPECT_EQ(HelpText(w), full);
    EXPECT_EQ(w.lists().UndoDepth(), undoDepth);
  }
  // The grid keeps the notice while the mouse moves over it.
  GridWindow::send(grid->viewport(), QEvent::MouseMove, w.cell(1, 1, grid->TopRow()), Qt::NoButton,
                   Qt::NoButton);
  EXPECT_EQ(HelpText(w), full);
  // Once a step is gone the empty row is back.
  grid->SelectRows(1, 1);
  w.form->ToDoListKeyDown(Qt::Key_Delete, Qt::NoModifier);
  EXPECT_EQ(grid->RowCount(), 256);
  EXPECT_EQ(w.lists().StepCount(1), 254);
}

TEST(GridDropTest, ADragOverAFullListIsRefusedWithoutAGlideOrLine) {
  GridWindow w(false);
  FillMainList(w);
  HoldTileAt(w, kForward, w.cell(1, 1, w.grid(1)->TopRow()));
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::ForbiddenCursor);
  EXPECT_EQ(w.grid(1)->DropLineY(), -1);
  ReleaseTileAt(w, kForward, w.cell(1, 1, w.grid(1)->TopRow()));
  EXPECT_TRUE(w.steps()->Dragger()->GlideFrames().empty());
  EXPECT_EQ(w.lists().StepCount(1), 255);
}

TEST(GridDropTest, ThePlusDragNeverMovesTheWindowAndNamesItsSet) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward);
  QLabel* plus = w.form->SensorActionPanel;
  ASSERT_TRUE(plus->isVisible());
  std::vector<QString> carried;
  std::vector<QSize> pictures;
  w.steps()->RunPlusDrag = [&](QDrag* drag) {
    carried.push_back(QString::fromLatin1(drag->mimeData()->data(QString::fromLatin1(ui::kSensorSetMime))));
    pictures.push_back(drag->pixmap().size());
  };
  const QPoint windowAt = w.form->pos();
  const int tabs[] = {0, 2, 4, 1, 3};
  for (int tab : tabs) {
    w.form->SensorTabs->setCurrentIndex(tab);
    const QPoint start = plus->mapToGlobal(plus->rect().center());
    GridWindow::send(plus, QEvent::MouseButtonPress, start, Qt::LeftButton, Qt::LeftButton);
    for (int step = 1; step <= 4; ++step)
      GridWindow::send(plus, QEvent::MouseMove, start + QPoint(-12 * step, 8 * step), Qt::NoButton,
                       Qt::LeftButton);
    GridWindow::send(plus, QEvent::MouseButtonRelease, start + QPoint(-48, 32), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(w.steps()->PlusDragText(), QStringLiteral("+ ") + app::LoadText(406 + tab));
  }
  EXPECT_EQ(w.form->pos(), windowAt);
  const std::vector<QString> expected = {"0", "2", "4", "1", "3"};
  EXPECT_EQ(carried, expected);
  // The picture is wide enough for the set's name, not just the "+".
  for (QSize size : pictures) EXPECT_GT(size.width(), plus->width());
}

TEST(GridDropTest, ThePlusDropIsMarkedEvenWhenNoTextChanges) {
  GridWindow w(true);
  w.append(1, ActionKind::Forward, 2);
  ui::StepGrid* grid = w.grid(1);
  w.form->SensorTabs->setCurrentIndex(0);  // "Todos", which the cells already show
  QMimeData data;
  data.setData(QString::fromLatin1(ui::kSensorSetMime), QByteArray::number(0));
  const QPoint over = grid->CellRect(3, 2).center();
  QDragEnterEvent enter(over, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &enter);
  QDragMoveEvent move(over, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &move);
  EXPECT_EQ(grid->MarkedCell(), QPoint(3, 2));
  // Over the step column nothing is marked.
  QDragMoveEvent offTarget(grid->CellRect(1, 2).center(), Qt::CopyAction, &data, Qt::LeftButton,
                           Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &offTarget);
  EXPECT_EQ(grid->MarkedCell(), QPoint(-1, -1));
  QApplication::sendEvent(grid->viewport(), &move);
  QDropEvent drop(over, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(grid->viewport(), &drop);
  EXPECT_TRUE(drop.isAccepted());
  EXPECT_EQ(grid->MarkedCell(), QPoint(3, 2));  // the landing flashes
  EXPECT_EQ(grid->CellText(3, 2), QStringLiteral("Todos"));
  // ...for a moment only.
  QDeadlineTimer deadline(5000);
  while (grid->MarkedCell() != QPoint(-1, -1) && !deadline.hasExpired()) QTest::qWait(20);
  EXPECT_EQ(grid->MarkedCell(), QPoint(-1, -1));
}

}  // namespace
