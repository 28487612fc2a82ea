// Go from the main window against virtual robots on pseudo-terminals: build, compile, scan,
// choose, download; the robot's EEPROM must then hold exactly the compiled image.

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include "GoTestSupport.h"
#include "app/ShowError.h"
#include "app/core/Global.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "comm/PortStatusTable.h"
#include "comm/Ports.h"
#include "comm/Session.h"
#include "tokenizer/Tokenizer.h"
#include "ui/FilledShape.h"
#include "ui/MainWindow.h"
#include "ui/Progress.h"
#include "ui/Startup.h"
#include "ui/VirtualRobotPanel.h"
#include "ui/VirtualRobotWindow.h"

namespace {

using actions::ActionKind;

// The beginner's five-step example: forward, backward, turn left, turn right, stop and wait.
void FillExample(actions::ListDocument& doc) {
  const std::pair<ActionKind, int> steps[] = {{ActionKind::Forward, 12},
                                              {ActionKind::Backward, 12},
                                              {ActionKind::TurnLeft, 13},
                                              {ActionKind::TurnRight, 13},
                                              {ActionKind::StopAndWait, 10}};
  int row = 1;
  for (auto [kind, value] : steps) {
    doc.List(1)[row].Kind = std::uint8_t(kind);
    doc.List(1)[row].Value = std::int16_t(value);
    ++row;
  }
}

// The packets of the current program text, compiled on their own.
std::vector<std::array<std::uint8_t, 18>> CompileProgramText() {
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  const QByteArray source = app::TheProgramText().lines().join(QStringLiteral("\r\n")).toLatin1();
  EXPECT_TRUE(tokenizer->SetSource(std::string_view(source.constData(), std::size_t(source.size()))));
  EXPECT_TRUE(tokenizer->Tokenize(false, true, false));
  std::vector<std::array<std::uint8_t, 18>> packets(std::size_t(tokenizer->TokenizeResult.PacketCount));
  for (std::size_t k = 0; k < packets.size(); ++k)
    for (std::size_t i = 0; i < 18; ++i) packets[k][i] = tokenizer->TokenizeResult.PacketBuffer[k * 18 + i];
  return packets;
}

// The robot stored every packet's block and nothing else.
void ExpectImage(const sim::VirtualRobot& robot, const std::vector<std::array<std::uint8_t, 18>>& packets) {
  const sim::DownloadRecord download = robot.lastDownload();
  ASSERT_FALSE(packets.empty());
  EXPECT_EQ(download.packetsReceived, int(packets.size()));
  EXPECT_TRUE(download.allAccepted());
  EXPECT_EQ(download.blocksWritten.count(), packets.size());
  for (const auto& packet : packets) {
    const int block = packet[0] & 0x7F;
    ASSERT_TRUE(download.blocksWritten.test(std::size_t(block))) << "block " << block;
    for (int i = 0; i < 16; ++i)
      EXPECT_EQ(robot.eeprom()[std::size_t(block * 16 + i)], packet[std::size_t(1 + i)]) << "block " << block;
  }
}

// The help panel's word after a program reached the robot, up to the time it took.
QString SentNoticeUpToTheTime(const QString& port) {
  return app::LoadText(ui::kProgramSentText).section(QStringLiteral("%2"), 0, 0).arg(port);
}
QString SentNoticeStart() {
  return app::LoadText(ui::kProgramSentText).section(QStringLiteral("%1"), 0, 0);
}

class GoEndToEnd : public ::testing::Test {
 protected:
  void SetUp() override {
    previousBox_ = app::SetErrorBoxHandler([this](const QString& text) { errors.push_back(text); });
    windows = ui::MakeWindows();
    main = windows->MainForm.get();
    progress = windows->ProgressForm.get();
    progress->ClosePauseMs = 0;
    progress->TokenizeFailureBox = [this](const QString& text, const QString& detail) {
      errors.push_back(text);
      failureDetail = detail;
    };
    // Record what the window shows while the download runs.
    QObject::connect(progress->ProgressBar0, &QProgressBar::valueChanged,
                     [this](int value) { barValues.push_back(value); });
    FillExample(main->Lists.Document());
  }
  void TearDown() override {
    app::SetErrorBoxHandler(previousBox_);
    windows.reset();
  }

  std::unique_ptr<ui::Windows> windows;
  ui::TMainForm* main = nullptr;
  ui::TProgressForm* progress = nullptr;
  std::vector<QString> errors;
  QString failureDetail;
  std::vector<int> barValues;

 private:
  app::ErrorBoxHandler previousBox_;
};

TEST_F(GoEndToEnd, OneRobotReceivesExactlyTheCompiledImage) {
  gotest::RobotBench bench(1, {QStringLiteral("/dev/rovalis-no-such-port")});
  ASSERT_TRUE(bench.started());
  main->Go();

  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front().toStdString());
  ASSERT_TRUE(bench.robot(0).WaitForDownloads(1, 5000));
  ExpectImage(bench.robot(0), CompileProgramText());

  const comm::Session& session = comm::TheSession();
  EXPECT_EQ(session.PortStatus.Cell(comm::kMarkColumn, 2), "+") << "the robot's row is marked";
  EXPECT_TRUE(session.PortStatus.Cell(comm::kMarkColumn, 1).isEmpty());
  EXPECT_EQ(session.PortStatus.Cell(comm::kDeviceColumn, 1), app::LoadText(389)) << "the missing port";
  // The bar counted every packet up to 100% and the window is gone again.
  EXPECT_EQ(progress->ProgressBar0->maximum(), session.ProgramPackets[0]);
  EXPECT_EQ(progress->ProgressBar0->value(), progress->ProgressBar0->maximum());
  std::vector<int> steps, expected;
  for (int value : barValues)
    if (value > 0) steps.push_back(value);
  for (int k = 1; k <= session.ProgramPackets[0]; ++k) expected.push_back(k);
  EXPECT_EQ(steps, expected) << "one step per packet";
  EXPECT_FALSE(progress->isVisible());
  EXPECT_FALSE(progress->ScanningLabel->isVisible());
  EXPECT_TRUE(progress->TXStatus->isVisibleTo(progress)) << "the marker stays beside the row";
  EXPECT_FALSE(progress->BusyCursorShown());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr) << "the default cursor after the download";
  EXPECT_TRUE(main->HelpMemo->toPlainText().startsWith(SentNoticeUpToTheTime(session.PortList.value(1))))
      << main->HelpMemo->toPlainText().toStdString();
}

TEST_F(GoEndToEnd, FailedCompilationShowsTheBoxWithTheErrorAndSendsNothing) {
  gotest::RobotBench bench(1);
  ASSERT_TRUE(bench.started());
  // A program text that does not compile, downloaded as Go would.
  app::TheProgramText().setLines({QStringLiteral("'{$VARDA VD2}"), QStringLiteral("GOTO Nowhere")});
  EXPECT_EQ(main->DownloadTokenization(false), -4);
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], "Error! Tokenization Failed!");
  EXPECT_FALSE(failureDetail.isEmpty()) << "the tokenizer's error text is the box's detail";
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(bench.robot(0).received().size(), 0u) << "no scan, no download";
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

// Closing the "Robot virtual" window is not for good: the next program it receives brings it back.
TEST_F(GoEndToEnd, TheClosedVirtualRobotWindowComesBackWithTheNextDownload) {
  QString error;
  auto robot = ui::StartVirtualRobot(&error);
  ASSERT_TRUE(robot) << error.toStdString();
  ASSERT_TRUE(robot->Window);
  robot->Window->close();
  ASSERT_FALSE(robot->Window->isVisible());
  const QString port = QString::fromStdString(robot->Robot->DevicePath());
  comm::TheSession().enumerate = [port](QStringList& list) { list = {port}; };
  main->Go();
  comm::TheSession().enumerate = comm::EnumeratePorts;
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front().toStdString());
  ASSERT_TRUE(robot->Robot->WaitForDownloads(1, 10000));
  EXPECT_TRUE(QTest::qWaitFor([&] { return robot->Window->isVisible(); }, 2000));
  // The panel's button brings it back without a download too.
  robot->Window->close();
  ASSERT_TRUE(robot->Panel->ShowWindowButton->isVisibleTo(robot->Panel.get()));
  robot->Panel->ShowWindowButton->click();
  EXPECT_TRUE(robot->Window->isVisible());
}

TEST_F(GoEndToEnd, NoRobotShowsText412AndRestoresTheCursor) {
  gotest::RobotBench bench(0, {QStringLiteral("/dev/rovalis-no-such-port")});
  main->Go();
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors[0], app::LoadText(412));
  EXPECT_FALSE(main->HelpMemo->toPlainText().startsWith(SentNoticeStart())) << "nothing was sent";
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GoEndToEnd, TwoRobotsTheUserChoosesOneOfTheMarkedRows) {
  gotest::RobotBench bench(2, {QStringLiteral("/dev/rovalis-no-such-port")});
  ASSERT_TRUE(bench.started());
  struct Seen {
    bool modal = false;
    QString message;
    bool warningShown = false;
    bool buttonAtStart = true;
    bool buttonAfterUnmarked = true;
    int selectedAfterUnmarked = 0;
    bool buttonAfterMarked = false;
    bool greyedUnmarked = false;
  } seen;
  gotest::WhenChoiceShown([&] {
    seen.modal = progress->isModal();
    seen.message = progress->EMessage->toPlainText();
    seen.warningShown = progress->WarningImage->isVisible();
    seen.buttonAtStart = progress->DownloadButton->isEnabled();
    QTableWidget* grid = progress->PortStatus;
    auto nameCell = [grid](int row) { return grid->visualRect(grid->model()->index(row - 1, 0)).center(); };
    // Row 1 is the missing port: its name cannot be chosen.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, nameCell(1));
    seen.buttonAfterUnmarked = progress->DownloadButton->isEnabled();
    seen.selectedAfterUnmarked = progress->SelectedRow();
    seen.greyedUnmarked = grid->item(0, 1)->foreground().color() ==
                          progress->palette().color(QPalette::Disabled, QPalette::Text);
    // Row 3 is the second robot.
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, nameCell(3));
    seen.buttonAfterMarked = progress->DownloadButton->isEnabled();
    progress->DownloadButton->click();
  });
  main->Go();

  EXPECT_TRUE(seen.modal);
  EXPECT_EQ(seen.message, app::LoadText(413));
  EXPECT_TRUE(seen.warningShown);
  EXPECT_FALSE(seen.buttonAtStart);
  EXPECT_FALSE(seen.buttonAfterUnmarked);
  EXPECT_EQ(seen.selectedAfterUnmarked, -1);
  EXPECT_TRUE(seen.greyedUnmarked);
  EXPECT_TRUE(seen.buttonAfterMarked);
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front().toStdString());

  ASSERT_TRUE(bench.robot(1).WaitForDownloads(1, 5000));
  EXPECT_EQ(bench.robot(0).downloadsCompleted(), 0) << "only the chosen robot gets the program";
  ExpectImage(bench.robot(1), CompileProgramText());
  EXPECT_EQ(comm::TheSession().PortStatus.Cell(comm::kMarkColumn, 2), "+");
  EXPECT_EQ(comm::TheSession().PortStatus.Cell(comm::kMarkColumn, 3), "+");
  EXPECT_TRUE(
      main->HelpMemo->toPlainText().startsWith(SentNoticeUpToTheTime(comm::TheSession().PortList.value(2))))
      << "the chosen robot's port: " << main->HelpMemo->toPlainText().toStdString();
  EXPECT_FALSE(progress->isVisible());
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(GoEndToEnd, ClosingTheChoiceWithoutDownloadSendsNothing) {
  gotest::RobotBench bench(2);
  ASSERT_TRUE(bench.started());
  bool cursorNormalWhileChoosing = false;
  gotest::WhenChoiceShown([&] {
    const QCursor* cursor = QApplication::overrideCursor();
    cursorNormalWhileChoosing = cursor == nullptr || cursor->shape() == Qt::ArrowCursor;
    progress->close();
  });
  main->Go();
  EXPECT_TRUE(cursorNormalWhileChoosing);
  EXPECT_TRUE(errors.empty());
  EXPECT_EQ(bench.robot(0).downloadsCompleted() + bench.robot(1).downloadsCompleted(), 0);
  EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
