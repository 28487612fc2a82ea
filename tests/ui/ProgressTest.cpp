// The progress window on its own: layout rules of both modes, the choice among marked rows,
// the transmit marker and the progress bar.

#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "app/core/Texts.h"
#include "comm/PortStatusTable.h"
#include "comm/Session.h"
#include "ui/FilledShape.h"
#include "ui/Progress.h"

namespace {

QStringList Ports(int n) {
  QStringList ports;
  for (int i = 0; i < n; ++i) ports << QStringLiteral("ttyUSB%1").arg(i);
  return ports;
}

class ProgressWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    session.DownloadModule = 2;
    session.ProgramCount = 1;
    session.ProgramPackets[0] = 10;
  }
  void TearDown() override { form.hide(); }

  // What a download does before it shows the window: the table laid out for the ports.
  void Lay(int portCount) {
    const QStringList ports = Ports(portCount);
    session.enumerate = [ports](QStringList& list) { list = ports; };
    session.RefreshDisplay(true);
  }
  void Mark(int row) {
    session.PortStatus.SetCell(comm::kTypeColumn, row, QStringLiteral("2"));
    session.PortStatus.SetCell(comm::kMarkColumn, row, QStringLiteral("+"));
  }
  QPoint NameCell(int row) {
    return form.PortStatus->visualRect(form.PortStatus->model()->index(row - 1, 0)).center();
  }
  // Opens the choice and runs `inside` while it is shown; returns the modal result.
  int Choose(const std::function<void()>& inside) {
    QTimer::singleShot(0, [&] {
      inside();
      if (form.isVisible()) form.close();
    });
    return form.OpenProgress(app::LoadText(413));
  }

  comm::Session session;
  ui::TProgressForm form{nullptr, &session};
};

TEST_F(ProgressWindow, GridSizeFollowsThePortCount) {
  struct Case {
    int ports;
    int rows;  // title row included
    int height;
    bool scrollRoom;
  };
  const Case cases[] = {{0, 2, 42, false},  {1, 2, 42, false}, {3, 4, 80, false},
                        {6, 7, 137, false}, {7, 8, 137, true}, {10, 11, 137, true}};
  int narrowWidth = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.ports);
    Lay(c.ports);
    form.OpenProgress(QString());
    EXPECT_EQ(form.PortStatus->rowCount() + 1, c.rows);
    EXPECT_EQ(form.PortStatus->height(), c.height);
    int columns = 9;
    for (int column = 0; column <= 4; ++column) columns += form.PortStatus->columnWidth(column);
    EXPECT_EQ(form.PortStatus->width(), columns + (c.scrollRoom ? 16 : 0));
    if (!c.scrollRoom) narrowWidth = form.PortStatus->width();
    EXPECT_EQ(form.width(), form.PortStatus->x() + form.PortStatus->width() + 26);
    // Progress mode ends at the bottom of the download panel.
    EXPECT_EQ(form.height(), form.DownloadStatus->y() + form.DownloadStatus->height());
    EXPECT_EQ(form.DownloadStatus->y(), form.PortStatus->y() + form.PortStatus->height() + 9);
    EXPECT_TRUE(form.DownloadStatus->isVisibleTo(&form));
    EXPECT_FALSE(form.DownloadButton->isVisibleTo(&form));
    form.hide();
  }
  EXPECT_GT(narrowWidth, 0);
  // With no ports the one data row is empty.
  Lay(0);
  form.OpenProgress(QString());
  EXPECT_EQ(form.PortStatus->item(0, 0)->text(), QString());
}

TEST_F(ProgressWindow, TheGridShowsFiveColumnsInPortListOrder) {
  Lay(3);
  session.PortStatus.SetCell(comm::kDeviceColumn, 2, QStringLiteral("VD2"));
  form.OpenProgress(QString());
  for (int column = 0; column < 7; ++column)
    EXPECT_EQ(form.PortStatus->isColumnHidden(column), column >= 5) << column;
  for (int row = 1; row <= 3; ++row)
    EXPECT_EQ(form.PortStatus->item(row - 1, 0)->text(), QStringLiteral("ttyUSB%1:").arg(row - 1));
  EXPECT_EQ(form.PortStatus->item(1, 1)->text(), "VD2");
  // The names of this system's ports fit their column.
  EXPECT_GE(form.PortStatus->columnWidth(0),
            form.PortStatus->fontMetrics().horizontalAdvance("ttyUSB2:") + 5);
  const QStringList titles = {app::LoadText(381), app::LoadText(382), app::LoadText(383), app::LoadText(384),
                              app::LoadText(385)};
  for (int column = 0; column < 5; ++column)
    EXPECT_EQ(form.PortStatus->horizontalHeaderItem(column)->text(), titles[column]);
  EXPECT_EQ(form.windowTitle(), app::LoadText(423));
  EXPECT_EQ(form.PortStatusLabel->text(), app::LoadText(424));
  EXPECT_EQ(form.ScanningLabel->text(), app::LoadText(426));
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  // A row the scan writes shows at once.
  session.PortStatus.SetCell(comm::kVersionColumn, 3, QStringLiteral("v1.0"));
  form.RowChanged(3);
  EXPECT_EQ(form.PortStatus->item(2, 2)->text(), "v1.0");
  // "Buscando..." only while scanning.
  EXPECT_FALSE(form.ScanningLabel->isVisible());
  form.SetScanning(true);
  EXPECT_TRUE(form.ScanningLabel->isVisible());
  form.SetScanning(false);
  EXPECT_FALSE(form.ScanningLabel->isVisible());
}

TEST_F(ProgressWindow, ChoiceOnlyOfMarkedRows) {
  Lay(4);
  Mark(2);
  Mark(4);
  struct Seen {
    bool disabledAtStart = false, afterUnmarked = true, afterMarked = false, layoutOk = false, greyed = false,
         notGreyed = false;
    int selected = 0, selectedAfterData = 0;
    QList<QTableWidgetSelectionRange> ranges;
  } seen;
  const int result = Choose([&] {
    seen.disabledAtStart = !form.DownloadButton->isEnabled();
    seen.layoutOk = form.height() == form.DownloadButton->y() + form.DownloadButton->height() + 37 &&
                    !form.DownloadStatus->isVisible() && form.EMessage->isVisible() &&
                    form.WarningImage->isVisible();
    const QColor grey = form.palette().color(QPalette::Disabled, QPalette::Text);
    seen.greyed = form.PortStatus->item(0, 1)->foreground().color() == grey;
    seen.notGreyed = form.PortStatus->item(1, 1)->foreground().color() != grey;
    QTest::mouseClick(form.PortStatus->viewport(), Qt::LeftButton, {}, NameCell(1));
    seen.afterUnmarked = form.DownloadButton->isEnabled();
    QTest::mouseClick(form.PortStatus->viewport(), Qt::LeftButton, {}, NameCell(4));
    seen.afterMarked = form.DownloadButton->isEnabled();
    seen.ranges = form.PortStatus->selectedRanges();
    // A click on an unmarked row's data cell leaves the choice as it was.
    QTest::mouseClick(form.PortStatus->viewport(), Qt::LeftButton, {},
                      form.PortStatus->visualRect(form.PortStatus->model()->index(2, 2)).center());
    seen.selectedAfterData = form.SelectedRow();
    form.DownloadButton->click();
  });
  EXPECT_EQ(result, comm::kDownloadModalResult);
  EXPECT_TRUE(seen.disabledAtStart);
  EXPECT_TRUE(seen.layoutOk);
  EXPECT_TRUE(seen.greyed);
  EXPECT_TRUE(seen.notGreyed);
  EXPECT_FALSE(seen.afterUnmarked);
  EXPECT_TRUE(seen.afterMarked);
  ASSERT_EQ(seen.ranges.size(), 1);
  EXPECT_EQ(seen.ranges[0].topRow(), 3);
  EXPECT_EQ(seen.ranges[0].leftColumn(), 1);
  EXPECT_EQ(seen.ranges[0].rightColumn(), 4);
  EXPECT_EQ(seen.selectedAfterData, 4);
  EXPECT_EQ(form.SelectedRow(), 4);
}

TEST_F(ProgressWindow, ClosingTheChoiceIsNoDownloadAndProgressModeSelectsNothing) {
  Lay(2);
  Mark(1);
  Mark(2);
  EXPECT_NE(Choose([] {}), comm::kDownloadModalResult);
  // Outside the choice no row can be selected.
  form.OpenProgress(QString());
  QTest::mouseClick(form.PortStatus->viewport(), Qt::LeftButton, {}, NameCell(1));
  EXPECT_EQ(form.SelectedRow(), -1);
  EXPECT_FALSE(form.PortStatusSelectCell(1, 1));
}

TEST_F(ProgressWindow, TheChoiceBringsTheFirstMarkedRowToTheTop) {
  struct Case {
    int firstMarked, top;
  };
  // Ten rows, six visible: the grid cannot scroll beyond top row 5.
  const Case cases[] = {{3, 3}, {4, 4}, {8, 5}, {1, 1}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.firstMarked);
    Lay(10);
    Mark(c.firstMarked);
    Mark(10);
    int top = 0;
    Choose([&] { top = form.TopRow(); });
    EXPECT_EQ(top, c.top);
  }
}

TEST_F(ProgressWindow, MarkerBlinksBetweenGreenAndLimeBesideItsRow) {
  Lay(3);
  form.OpenProgress(QString());
  EXPECT_FALSE(form.TXStatus->isVisible());
  form.PlaceMarker(2);
  EXPECT_TRUE(form.TXStatus->isVisible());
  const QRect row = form.PortStatus->visualRect(form.PortStatus->model()->index(1, 0));
  const int rowMiddle = form.PortStatus->y() + form.PortStatus->viewport()->y() + row.center().y();
  EXPECT_LE(std::abs(form.TXStatus->geometry().center().y() - rowMiddle), 2);
  EXPECT_LT(form.TXStatus->x() + form.TXStatus->width(), form.PortStatus->x());
  EXPECT_EQ(form.TXStatus->fillColor(), QColor(0x00, 0x80, 0x00));
  const QColor expected[] = {QColor(0x00, 0xFF, 0x00), QColor(0x00, 0x80, 0x00), QColor(0x00, 0xFF, 0x00)};
  for (const QColor& colour : expected) {
    form.ToggleMarker();
    EXPECT_EQ(form.TXStatus->fillColor(), colour);
  }
  // The next showing hides it until the download places it again.
  form.OpenProgress(QString());
  EXPECT_FALSE(form.TXStatus->isVisible());
}

TEST_F(ProgressWindow, BarCountsPacketsAndNeverPassesItsMaximum) {
  Lay(1);
  session.ProgramPackets[0] = 3;
  form.OpenProgress(QString());
  EXPECT_EQ(form.ProgressBar0->value(), 0);
  EXPECT_EQ(form.ProgressBar0->maximum(), 3);
  const int expected[] = {1, 2, 3, 3};
  for (int value : expected) {
    form.StepIt(0);
    EXPECT_EQ(form.ProgressBar0->value(), value);
  }
  form.StepIt(1);  // no bar counts program 1
  EXPECT_EQ(form.ProgressBar0->value(), 3);
  // The next showing starts again at 0; without a program the bar is hidden.
  session.ProgramCount = 0;
  form.OpenProgress(QString());
  EXPECT_FALSE(form.ProgressBar0->isVisibleTo(&form));
  session.ProgramCount = 1;
  form.OpenProgress(QString());
  EXPECT_TRUE(form.ProgressBar0->isVisibleTo(&form));
  EXPECT_EQ(form.ProgressBar0->value(), 0);
}

TEST_F(ProgressWindow, BusyCursorStaysForTheWholeDownload) {
  form.HoldBusyCursor(true);
  form.SetBusyCursor(true);
  form.SetBusyCursor(false);  // the scan's threads have ended: the download still runs
  ASSERT_NE(QApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
  form.HoldBusyCursor(false);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
