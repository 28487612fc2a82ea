#include <gtest/gtest.h>

#include "CommTestSupport.h"
#include "app/core/Texts.h"
#include "comm/PortScanner.h"

using commtest::FakeWorld;
using commtest::RecordingUi;

namespace {

class ScanTest : public ::testing::Test {
 protected:
  void SetUp() override { commtest::EnsureCoreApplication(); }

  // Scans the given ports (in this order) with a session over the fake world.
  void Scan(const QStringList& ports, const QString& selected = "AUTO") {
    session =
        std::make_unique<comm::Session>(*(portSlots = std::make_unique<comm::PortSlots>(world.Factory())));
    session->enumerate = [ports](QStringList& list) { list = ports; };
    session->SetSelectedPort(selected);
    session->ModuleNames = app::Global().ModuleNames;
    session->DownloadModule = comm::kVD2;
    session->RefreshDisplay(true);
    comm::ScanPorts(*session, ui);
  }
  QString Cell(int column, int row) const { return session->PortStatus.Cell(column, row); }

  FakeWorld world;
  std::unique_ptr<comm::PortSlots> portSlots;
  std::unique_ptr<comm::Session> session;
  RecordingUi ui;
};

sim::RobotConfig Robot(int type, int minor = 0, int pins = 40) {
  sim::RobotConfig config;
  config.moduleType = type;
  config.minorVersion = minor;
  config.pinCount = pins;
  return config;
}

}  // namespace

TEST_F(ScanTest, RowsOfEveryKindOfPort) {
  world.Add("vd2");
  world.Add("vd2e", Robot(3));
  world.Add("vd2sx", Robot(4, 1));
  world.Add("vd2p24", Robot(5, 3, 24));
  world.AddDead("dead");
  world.AddUnopenable("gone", comm::kNoSuchDevice);
  world.AddUnopenable("busy", comm::kAccessDenied);
  world.AddUnopenable("odd", comm::kOtherOpenError);
  world.Add("loop").loopback = true;
  sim::RobotConfig bent;
  bent.fault.kind = sim::FaultKind::WrongEcho;
  world.Add("bent", bent);
  const QStringList ports = {"vd2", "vd2e", "vd2sx", "vd2p24", "dead", "gone", "busy", "odd", "loop", "bent"};
  Scan(ports);

  const QString yes = app::LoadText(387), no = app::LoadText(388);
  struct Row {
    QString device, version, loopback, echo, type;
  };
  const Row expected[] = {
      {"Home Tumbler", "v1.0", no, yes, "2"},
      {"", "v1.0", no, yes, "3"},
      {"", "v1.1", no, yes, "4"},
      {"24", "v1.3", no, yes, "5"},
      {"", "", no, no, "0"},
      {app::LoadText(389), "", "", "", "0"},
      {app::LoadText(390), "", "", "", "0"},
      {app::LoadText(391), "", "", "", "0"},
      {"Home Tumbler", "v1.0", yes, yes, "2"},
      {"", "", no, no, "0"},
  };
  ASSERT_EQ(session->PortStatus.RowCount(), ports.size() + 1);
  for (int i = 0; i < ports.size(); ++i) {
    const int row = i + 1;
    EXPECT_EQ(Cell(comm::kPortColumn, row), ports[i] + ":");
    EXPECT_EQ(Cell(comm::kDeviceColumn, row), expected[i].device) << ports[i].toStdString();
    EXPECT_EQ(Cell(comm::kVersionColumn, row), expected[i].version) << ports[i].toStdString();
    EXPECT_EQ(Cell(comm::kLoopbackColumn, row), expected[i].loopback) << ports[i].toStdString();
    EXPECT_EQ(Cell(comm::kEchoColumn, row), expected[i].echo) << ports[i].toStdString();
    EXPECT_EQ(Cell(comm::kTypeColumn, row), expected[i].type) << ports[i].toStdString();
  }
  EXPECT_EQ(session->ScanBusy, 0u);
  EXPECT_EQ(ui.scanning, (std::vector<bool>{true, false}));
  EXPECT_FALSE(ui.busy) << "the cursor is back once the last thread reported";
  EXPECT_LE(comm::PeakScanThreads(), comm::kThreadCount);
  EXPECT_EQ(portSlots->BusyCount(), 0) << "every thread closed its port";
  // The dead port was asked only the first VD2 byte; the module with an echo tried every type.
  EXPECT_EQ(world.port("dead").written, std::vector<std::uint8_t>({0x56}));
  EXPECT_EQ(world.port("vd2sx").written.back(), 0x58);
}

TEST_F(ScanTest, SelectedPortIgnoresTheOthers) {
  world.Add("COM1");
  world.Add("COM3");
  world.Add("COM4");
  Scan({"COM1", "COM3", "COM4"}, "COM3");
  EXPECT_EQ(Cell(comm::kDeviceColumn, 1), QStringLiteral("Ignorando"));
  EXPECT_EQ(Cell(comm::kDeviceColumn, 2), QStringLiteral("Home Tumbler"));
  EXPECT_EQ(Cell(comm::kDeviceColumn, 3), QStringLiteral("Ignorando"));
  EXPECT_TRUE(Cell(comm::kTypeColumn, 1).isEmpty());
  EXPECT_TRUE(world.port("COM1").written.empty());
  EXPECT_TRUE(world.port("COM4").written.empty());
}

// The names and the chosen port are the session's values: the shared application state is
// not read, so a window or the command line decides them.
TEST_F(ScanTest, NamesAndChosenPortComeFromTheSession) {
  world.Add("COM1");
  world.Add("COM3");
  const QString sharedChoice = app::Global().SelectedPort;
  app::Global().SelectedPort = QStringLiteral("COM1");
  session =
      std::make_unique<comm::Session>(*(portSlots = std::make_unique<comm::PortSlots>(world.Factory())));
  session->enumerate = [](QStringList& list) { list = {"COM1", "COM3"}; };
  session->SetSelectedPort("COM3");
  session->ModuleNames[comm::kVD2] = QStringLiteral("Mi robot");
  session->DownloadModule = comm::kVD2;
  session->RefreshDisplay(true);
  comm::ScanPorts(*session, ui);
  app::Global().SelectedPort = sharedChoice;
  EXPECT_EQ(Cell(comm::kDeviceColumn, 1), QStringLiteral("Ignorando"));
  EXPECT_EQ(Cell(comm::kDeviceColumn, 2), QStringLiteral("Mi robot"));
}

TEST_F(ScanTest, EmptyPortListStartsNothing) {
  Scan({});
  EXPECT_EQ(session->PortStatus.RowCount(), 2);
  EXPECT_EQ(session->ScanBusy, 0u);
  EXPECT_TRUE(ui.busy) << "the cursor stays the hourglass until the caller resets it";
}

TEST_F(ScanTest, SixPortsRunAtMostFourThreadsAtOnce) {
  QStringList ports;
  for (int i = 0; i < 6; ++i) {
    ports << QStringLiteral("robot%1").arg(i);
    world.Add(ports.last());
  }
  Scan(ports);
  EXPECT_EQ(comm::PeakScanThreads(), comm::kThreadCount);
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(Cell(comm::kTypeColumn, row), "2");
}
