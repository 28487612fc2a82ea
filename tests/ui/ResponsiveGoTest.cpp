// The window stays alive while it talks to the robot: a full 128-packet download at the
// real wire speed of 9600 baud, during which a 50 ms timer keeps ticking, the bar moves
// on its own, and a second Go (button, Alt key or a direct call) starts nothing.

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QProgressBar>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>
#include <vector>

#include "app/ShowError.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "comm/PortStatusTable.h"
#include "comm/Session.h"
#include "sim/VirtualRobot.h"
#include "ui/MainWindow.h"
#include "ui/ProgramDownload.h"
#include "ui/Progress.h"
#include "ui/Startup.h"

namespace {

// Valued data over the whole image: one packet for every one of the 128 blocks.
QStringList FullImageProgram() {
  return {QStringLiteral("'{$VARDA VD2}"), QStringLiteral("'{$TESSIC 2.5}"), QStringLiteral("DATA 1(2030)"),
          QStringLiteral("END")};
}

class ResponsiveGo : public ::testing::Test {
 protected:
  void SetUp() override {
    previousBox_ = app::SetErrorBoxHandler([this](const QString& text) { errors.push_back(text); });
    windows = ui::MakeWindows();
    main = windows->MainForm.get();
    progress = windows->ProgressForm.get();
    progress->ClosePauseMs = 0;
    progress->TokenizeFailureBox = [this](const QString& text, const QString&) { errors.push_back(text); };
  }
  void TearDown() override {
    comm::TheSession().enumerate = comm::EnumeratePorts;
    app::SetErrorBoxHandler(previousBox_);
    windows.reset();
  }

  std::unique_ptr<ui::Windows> windows;
  ui::TMainForm* main = nullptr;
  ui::TProgressForm* progress = nullptr;
  std::vector<QString> errors;

 private:
  app::ErrorBoxHandler previousBox_;
};

}  // namespace

TEST_F(ResponsiveGo, TheWindowAnswersThroughoutAFullDownloadAtWireSpeed) {
  sim::RobotConfig config;
  config.byteTiming = true;
  sim::VirtualRobot robot(config);
  ASSERT_TRUE(robot.Start());
  const QStringList ports = {QString::fromStdString(robot.DevicePath())};
  comm::TheSession().enumerate = [ports](QStringList& list) { list = ports; };
  app::TheProgramText().setLines(FullImageProgram());

  // A 50 ms timer on the window thread: its ticks show how long the thread was away.
  QElapsedTimer clock;
  clock.start();
  std::vector<qint64> ticks;
  QTimer heartbeat;
  QObject::connect(&heartbeat, &QTimer::timeout, [&] { ticks.push_back(clock.elapsed()); });
  heartbeat.start(50);

  // While the bar moves, try to start everything a second time.
  int barChanges = 0;
  int secondStarts = 0;
  bool buttonsHeld = true;
  QObject::connect(progress->ProgressBar0, &QProgressBar::valueChanged, [&](int value) {
    if (value > 0) ++barChanges;
    if (value != 10) return;
    buttonsHeld = main->LinkBusy();
    QTest::keyClick(main, Qt::Key_E, Qt::AltModifier);  // Alt+E is Ejecutar
    if (main->Download->DownloadTokenization(false) != -4) ++secondStarts;
    main->close();  // the close box waits for the link too
  });

  const int slot = main->DownloadTokenization(false);
  heartbeat.stop();
  const qint64 total = clock.elapsed();

  EXPECT_EQ(slot, 0);
  EXPECT_TRUE(errors.empty()) << (errors.empty() ? "" : errors.front().toStdString());
  ASSERT_TRUE(robot.WaitForDownloads(1, 2000));
  EXPECT_EQ(robot.downloadsCompleted(), 1) << "exactly one download, however often Go was asked";
  EXPECT_EQ(robot.lastDownload().packetsReceived, 128);
  EXPECT_EQ(secondStarts, 0);
  EXPECT_TRUE(buttonsHeld) << "Go, Test, Open, Clear and Quit are held during the job";
  EXPECT_FALSE(main->LinkBusy()) << "and given back afterwards";
  EXPECT_EQ(barChanges, 128) << "the bar followed every packet";

  // 128 packets of 19 bytes at 9600 baud take about 2.5 s; the timer ticked all along.
  EXPECT_GT(total, 2000);
  ASSERT_GE(ticks.size(), 2u);
  qint64 longestGap = ticks.front();
  for (std::size_t i = 1; i < ticks.size(); ++i) longestGap = std::max(longestGap, ticks[i] - ticks[i - 1]);
  EXPECT_LT(longestGap, 400) << "the window thread was away for " << longestGap << " ms";
  EXPECT_GE(ticks.size(), std::size_t(total / 50 / 2))
      << "ticks: " << ticks.size() << " in " << total << " ms";
}

// The scan of silent ports takes whole identification rounds; the window thread keeps
// ticking throughout, its rows arrive while it waits, and Go stays held.
TEST_F(ResponsiveGo, TheWindowAnswersWhileItScansSilentPorts) {
  constexpr int kSilentPorts = 6;  // more than the four identification threads: two rounds
  sim::RobotConfig silent;
  silent.fault.kind = sim::FaultKind::NoAnswer;
  std::vector<std::unique_ptr<sim::VirtualRobot>> robots;
  QStringList ports;
  for (int i = 0; i < kSilentPorts; ++i) {
    robots.push_back(std::make_unique<sim::VirtualRobot>(silent));
    ASSERT_TRUE(robots.back()->Start());
    ports << QString::fromStdString(robots.back()->DevicePath());
  }
  comm::TheSession().enumerate = [ports](QStringList& list) { list = ports; };
  app::TheProgramText().setLines(FullImageProgram());

  QElapsedTimer clock;
  clock.start();
  std::vector<qint64> ticks;
  int ticksWhileHeld = 0;
  int rowsSeenByTicks = 0;
  int secondStarts = 0;
  QTimer heartbeat;
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    ticks.push_back(clock.elapsed());
    if (!main->LinkBusy()) return;
    ++ticksWhileHeld;
    // Rows written so far: the scan reports while the window thread is free.
    int rows = 0;
    for (int row = 1; row <= kSilentPorts; ++row)
      rows += comm::TheSession().PortStatus.Cell(comm::kEchoColumn, row).isEmpty() ? 0 : 1;
    rowsSeenByTicks = std::max(rowsSeenByTicks, rows);
    if (main->Download->DownloadTokenization(false) != -4) ++secondStarts;
  });
  heartbeat.start(50);

  const int slot = main->DownloadTokenization(false);
  heartbeat.stop();
  const qint64 total = clock.elapsed();

  EXPECT_EQ(slot, -4) << "no robot answered";
  ASSERT_EQ(errors.size(), 1u);
  EXPECT_EQ(errors.front(), app::LoadText(412));
  EXPECT_EQ(secondStarts, 0);
  EXPECT_FALSE(main->LinkBusy());
  EXPECT_GT(ticksWhileHeld, 2) << "Go, Test, Open, Clear and Quit are held during the scan";
  EXPECT_GT(rowsSeenByTicks, 0) << "rows arrived while the timer ticked";
  ASSERT_GE(ticks.size(), 2u);
  qint64 longestGap = ticks.front();
  for (std::size_t i = 1; i < ticks.size(); ++i) longestGap = std::max(longestGap, ticks[i] - ticks[i - 1]);
  EXPECT_LT(longestGap, 400) << "the window thread was away for " << longestGap << " ms";
  EXPECT_GE(ticks.size(), std::size_t(total / 50 / 2))
      << "ticks: " << ticks.size() << " in " << total << " ms";
}
