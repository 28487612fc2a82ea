// The real serial code (QSerialPort) against virtual robots on pseudo-terminals.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSerialPort>
#include <memory>

#include "CommTestSupport.h"
#include "app/core/Texts.h"
#include "comm/Download.h"
#include "comm/Identify.h"
#include "comm/PortScanner.h"
#include "comm/QtSerialDevice.h"
#include "sim/VirtualRobot.h"

namespace {

std::vector<comm::Packet> Packets(int count, int firstBlock = 0) {
  std::vector<comm::Packet> packets;
  for (int k = 0; k < count; ++k)
    packets.push_back(commtest::MakePacket(firstBlock + k, std::uint8_t(0x31 + 7 * k)));
  return packets;
}

class PtyTest : public ::testing::Test {
 protected:
  void SetUp() override { commtest::EnsureCoreApplication(); }

  sim::VirtualRobot& AddRobot(sim::RobotConfig config = {}) {
    robots.push_back(std::make_unique<sim::VirtualRobot>(config));
    std::string error;
    EXPECT_TRUE(robots.back()->Start(&error)) << error;
    ports << QString::fromStdString(robots.back()->DevicePath());
    return *robots.back();
  }

  void Prepare(std::vector<comm::Packet> packets = Packets(10)) {
    session = std::make_unique<comm::Session>(portSlots);
    const QStringList list = ports;
    session->enumerate = [list](QStringList& l) { l = list; };
    session->SetSelectedPort(selected);
    session->ModuleNames = app::Global().ModuleNames;
    session->DownloadModule = comm::kVD2;
    session->ProgramCount = 1;
    session->ProgramPackets[0] = int(packets.size());
    session->PacketBuffer = std::move(packets);
    downloader = std::make_unique<comm::Downloader>(*session, ui, nullptr);
  }

  QString Cell(int column, int row) const { return session->PortStatus.Cell(column, row); }

  QString selected = "AUTO";
  std::vector<std::unique_ptr<sim::VirtualRobot>> robots;
  QStringList ports;
  comm::PortSlots portSlots{comm::QtSerialDeviceFactory()};
  std::unique_ptr<comm::Session> session;
  std::unique_ptr<comm::Downloader> downloader;
  commtest::RecordingUi ui;
};

// The robot's side of the wire from the last "V" that started a handshake.
std::vector<sim::WireByte> LastDownloadOnWire(const sim::VirtualRobot& robot) {
  const auto log = robot.wireLog();
  std::size_t start = 0;
  for (std::size_t i = 0; i + 1 < log.size(); ++i) {
    if (log[i] == sim::WireByte{true, 0x56}) start = i;
  }
  return {log.begin() + long(start), log.end()};
}

}  // namespace

TEST_F(PtyTest, DownloadLeavesExactlyTheSentBlocksAndFollowsTheWireTable) {
  auto& robot = AddRobot();
  Prepare(Packets(6, 3));
  EXPECT_EQ(downloader->DownloadIt(false), 0);
  EXPECT_TRUE(ui.errors.empty()) << (ui.errors.empty() ? "" : ui.errors[0].toStdString());
  EXPECT_EQ(ui.progress, 6);
  ASSERT_TRUE(robot.WaitForDownloads(1, 2000));

  sim::Eeprom expected{};
  for (const auto& p : session->PacketBuffer) {
    for (int i = 0; i < 16; ++i) expected[(p[0] & 0x7F) * 16 + i] = p[1 + i];
  }
  EXPECT_EQ(robot.eeprom(), expected) << "the sent blocks and nothing else";

  // PC -> module bytes and module -> PC bytes, in the order the module saw them.
  std::vector<sim::WireByte> wire;
  auto pc = [&](std::uint8_t b) { wire.push_back({true, b}); };
  auto module = [&](std::uint8_t b) { wire.push_back({false, b}); };
  for (std::uint8_t b : {0x56, 0x44, 0x32}) {
    pc(b);
    module(b);
    module(std::uint8_t(256 - b));
  }
  pc(0);
  module(0);
  module(0x10);
  for (const auto& p : session->PacketBuffer) {
    for (std::uint8_t b : p) {
      pc(b);
      module(b);
    }
    module(0);
  }
  pc(0);
  module(0);
  EXPECT_EQ(LastDownloadOnWire(robot), wire);
}

TEST_F(PtyTest, FailureTableOverThePseudoTerminal) {
  struct Case {
    const char* what;
    sim::RobotConfig robot;
    int expectedSlot;
    QString error;
    int progress;
    int packetsAccepted;
  };
  sim::RobotConfig dead;
  dead.fault.kind = sim::FaultKind::NoAnswer;
  sim::RobotConfig v11;
  v11.versionByte = 0x11;
  sim::RobotConfig status2;
  status2.fault = {sim::FaultKind::StatusTwoAt, 5};
  sim::RobotConfig garbage;
  garbage.fault = {sim::FaultKind::GarbageAt, 2};
  sim::RobotConfig silent;
  silent.fault = {sim::FaultKind::SilentAfter, 3};
  sim::RobotConfig strayLast;
  strayLast.fault = {sim::FaultKind::StrayAfterEcho, 10};
  sim::RobotConfig lateStatus;
  lateStatus.fault = {sim::FaultKind::LateStatusAt, 1};
  sim::RobotConfig echoByte;
  echoByte.fault = {sim::FaultKind::EchoByteWrongAt, 4};
  sim::RobotConfig hangUp;
  hangUp.fault.kind = sim::FaultKind::HangUpAfterHandshake;
  auto packetError = [](int packet) {
    return app::LoadText(393) + QStringLiteral(" Paquete %1 de 10.").arg(packet);
  };
  const Case cases[] = {
      {"no robot", dead, comm::kNoPort, app::LoadText(412), 0, 0},
      {"version 0x11", v11, comm::kNoPort, QStringLiteral("Cannot download to this version of the device."),
       0, 0},
      {"status 2 after packet 5 of 10", status2, 0, app::LoadText(392), 5, 4},
      {"garbage status", garbage, 0, packetError(2), 2, 1},
      {"silent mid-download", silent, 0, packetError(4), 4, 3},
      {"stray byte after the last echo, then status 2", strayLast, 0, packetError(10), 10, 9},
      {"the first status comes late", lateStatus, 0, packetError(1), 1, 1},
      {"one wrong byte in the fourth echo", echoByte, 0, packetError(4), 4, 4},
      {"the line closes after the handshake", hangUp, 0, packetError(1), 1, 0},
  };
  for (const auto& c : cases) {
    robots.clear();
    ports.clear();
    ui = commtest::RecordingUi{};
    auto& robot = AddRobot(c.robot);
    Prepare();
    QElapsedTimer timer;
    timer.start();
    EXPECT_EQ(downloader->DownloadIt(false), c.expectedSlot) << c.what;
    // Scan plus download of 10 packets: well under the time-outs of a hung exchange.
    EXPECT_LT(timer.elapsed(), 6000) << c.what;
    ASSERT_EQ(ui.errors.size(), 1u) << c.what;
    EXPECT_EQ(ui.errors[0], c.error) << c.what;
    EXPECT_EQ(ui.progress, c.progress) << c.what;
    EXPECT_FALSE(downloader->lastDownloadComplete()) << c.what << ": never a success";
    EXPECT_EQ(portSlots.BusyCount(), 0) << c.what;
    const bool lineDies = c.robot.fault.kind == sim::FaultKind::SilentAfter ||
                          c.robot.fault.kind == sim::FaultKind::HangUpAfterHandshake;
    if (c.expectedSlot != comm::kNoPort && !lineDies) {
      ASSERT_TRUE(robot.WaitForDownloads(1, 2000)) << c.what << ": the closing zero arrives";
      const auto record = robot.lastDownload();
      EXPECT_EQ(record.packetsReceived, c.progress) << c.what << ": nothing sent after the failure";
      EXPECT_EQ(record.packetsAccepted, c.packetsAccepted) << c.what;
    }
  }
}

TEST_F(PtyTest, PortsThatCannotBeOpened) {
  AddRobot();
  QSerialPort holder;
  holder.setPortName(ports[0]);
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
  ports << "/dev/ttyNoSuchPort"
        << "/dev/null";
  Prepare();
  session->RefreshDisplay(true);
  comm::ScanPorts(*session, ui);
  EXPECT_EQ(Cell(comm::kDeviceColumn, 1), app::LoadText(390));
  EXPECT_EQ(Cell(comm::kDeviceColumn, 2), app::LoadText(389));
  EXPECT_EQ(Cell(comm::kDeviceColumn, 3), app::LoadText(391));
  for (int row = 1; row <= 3; ++row) EXPECT_EQ(Cell(comm::kTypeColumn, row), "0");

  // The same failures through TSerial: codes 5 and 2.
  comm::TSerial port(comm::QtSerialDeviceFactory());
  EXPECT_FALSE(port.Open(ports[0], "9600", "None", "8", "Off", false));
  EXPECT_EQ(port.LastError(), comm::kAccessDenied);
  EXPECT_FALSE(port.Open(ports[1], "9600", "None", "8", "Off", false));
  EXPECT_EQ(port.LastError(), comm::kNoSuchDevice);
}

TEST_F(PtyTest, APortThatVanishesBetweenScanAndDownloadIsNamedNotSilent) {
  auto& robot = AddRobot();
  Prepare();
  ui.onScanEnd = [&robot] { robot.Stop(); };
  EXPECT_EQ(downloader->DownloadIt(false), comm::kNoPort);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], app::LoadText(389));
  EXPECT_EQ(downloader->lastOutcome().failure, comm::DownloadFailure::PortNotOpened);
  EXPECT_EQ(downloader->lastOutcome().openError, comm::OpenErrorKind::NoSuchPort);
  EXPECT_EQ(ui.closed, 1) << "the progress window closes after the message";
  EXPECT_EQ(portSlots.BusyCount(), 0);
}

TEST_F(PtyTest, ARobotBehindAHeldPortIsReportedAsHeldNotAsMissing) {
  AddRobot();
  QSerialPort holder;
  holder.setPortName(ports[0]);
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
  Prepare();
  EXPECT_EQ(downloader->DownloadIt(false), comm::kNoPort);
  ASSERT_EQ(ui.errors.size(), 1u);
  EXPECT_EQ(ui.errors[0], app::LoadText(390));
  EXPECT_EQ(downloader->lastOutcome().failure, comm::DownloadFailure::PortNotOpened);
  EXPECT_EQ(downloader->lastOutcome().openError, comm::OpenErrorKind::InUse);
  EXPECT_EQ(portSlots.BusyCount(), 0);
}

TEST_F(PtyTest, ModuleTypesAndThePinCountSuffix) {
  struct Case {
    int type, minor, pins;
    QString version, device;
  };
  const Case cases[] = {
      {3, 0, 40, "v1.0", ""},
      {4, 2, 40, "v1.2", ""},
      {5, 4, 40, "v1.4", "40"},
      {5, 1, 24, "v1.1", "24"},
  };
  for (const auto& c : cases) {
    sim::RobotConfig config;
    config.moduleType = c.type;
    config.minorVersion = c.minor;
    config.pinCount = c.pins;
    AddRobot(config);
  }
  Prepare();
  session->RefreshDisplay(true);
  comm::ScanPorts(*session, ui);
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(Cell(comm::kTypeColumn, i + 1), QString::number(cases[i].type)) << i;
    EXPECT_EQ(Cell(comm::kVersionColumn, i + 1), cases[i].version) << i;
    EXPECT_EQ(Cell(comm::kDeviceColumn, i + 1), cases[i].device) << i;
    EXPECT_EQ(Cell(comm::kEchoColumn, i + 1), app::LoadText(387)) << i;
    EXPECT_EQ(Cell(comm::kLoopbackColumn, i + 1), app::LoadText(388))
        << i << ": a pseudo-terminal has no DSR";
  }
}

TEST_F(PtyTest, SixRobotsScanFourAtATimeOrOnlyTheSelectedOne) {
  for (int i = 0; i < 6; ++i) AddRobot();
  Prepare();
  session->RefreshDisplay(true);
  comm::ScanPorts(*session, ui);
  EXPECT_EQ(comm::PeakScanThreads(), comm::kThreadCount);
  for (int row = 1; row <= 6; ++row) EXPECT_EQ(Cell(comm::kDeviceColumn, row), "Home Tumbler") << row;

  selected = ports[4];
  Prepare();
  session->RefreshDisplay(true);
  comm::ScanPorts(*session, ui);
  for (int row = 1; row <= 6; ++row) {
    EXPECT_EQ(Cell(comm::kDeviceColumn, row),
              row == 5 ? QStringLiteral("Home Tumbler") : QStringLiteral("Ignorando"))
        << row;
  }
}
