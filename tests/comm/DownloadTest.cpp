#include <gtest/gtest.h>

#include "CommTestSupport.h"
#include "app/core/Texts.h"
#include "comm/Download.h"
#include "comm/Identify.h"

using commtest::FakeWorld;
using commtest::RecordingUi;

namespace {

std::vector<comm::Packet> TenPackets() {
  std::vector<comm::Packet> packets;
  for (int k = 0; k < 10; ++k) packets.push_back(commtest::MakePacket(10 + k, std::uint8_t(k + 1)));
  return packets;
}

class DownloadTest : public ::testing::Test {
 protected:
  void SetUp() override { commtest::EnsureCoreApplication(); }

  // What TokenizeProgram leaves behind, without compiling.
  void Prepare(const QStringList& ports, std::vector<comm::Packet> packets = TenPackets()) {
    portSlots = std::make_unique<comm::PortSlots>(world.Factory());
    session = std::make_unique<comm::Session>(*portSlots);
    session->enumerate = [ports](QStringList& list) { list = ports; };
    session->SetSelectedPort("AUTO");
    session->ModuleNames = app::Global().ModuleNames;
    session->DownloadModule = comm::kVD2;
    session->ProgramCount = 1;
    session->ProgramPackets[0] = int(packets.size());
    session->PacketBuffer = std::move(packets);
    downloader = std::make_unique<comm::Downloader>(*session, ui, nullptr);
  }

  // The packet bytes a module received after its last handshake (closing zero excluded).
  static std::vector<std::uint8_t> PacketBytesSent(const commtest::FakePort& port) {
    const auto& w = port.written;
    // The download's handshake is the last "VD2\0" on the wire.
    for (std::size_t i = w.size(); i >= 4; --i) {
      if (w[i - 4] == 0x56 && w[i - 3] == 0x44 && w[i - 2] == 0x32 && w[i - 1] == 0x00) {
        return std::vector<std::uint8_t>(w.begin() + long(i), w.end());
      }
    }
    return {};
  }

  FakeWorld world;
  std::unique_ptr<comm::PortSlots> portSlots;
  std::unique_ptr<comm::Session> session;
  std::unique_ptr<comm::Downloader> downloader;
  RecordingUi ui;
};

}  // namespace

TEST_F(DownloadTest, OneRobotGetsEveryPacketWithoutAQuestion) {
  world.AddDead("ttyS0");
  world.Add("ttyUSB0");
  Prepare({"ttyS0", "ttyUSB0"});
  const int slot = downloader->DownloadIt(false);
  EXPECT_EQ(slot, 0);
  EXPECT_TRUE(ui.errors.empty());
  EXPECT_EQ(ui.progress, 10);
  EXPECT_EQ(ui.markerRow, 2);
  EXPECT_GE(ui.toggles, 1);
  EXPECT_EQ(ui.opened, std::vector<QString>{QString()}) << "no choice window";
  EXPECT_EQ(ui.closed, 1);
  EXPECT_FALSE(ui.busy);
  EXPECT_FALSE(portSlots->SlotPort(0).IsOpen()) << "closed unless kept";
  EXPECT_EQ(session->PortStatus.Cell(comm::kMarkColumn, 2), "+");
  EXPECT_TRUE(session->PortStatus.Cell(comm::kMarkColumn, 1).isEmpty());

  // Wire order: packets back to back, then the closing zero.
  std::vector<std::uint8_t> expected;
  for (const auto& p : session->PacketBuffer) expected.insert(expected.end(), p.begin(), p.end());
  expected.push_back(0);
  EXPECT_EQ(PacketBytesSent(world.port("ttyUSB0")), expected);
  const auto& record = world.port("ttyUSB0").module->lastDownload();
  EXPECT_EQ(record.packetsAccepted, 10);
  EXPECT_EQ(record.blocksWritten.count(), 10u);
}

TEST_F(DownloadTest, KeepPortOpenHandsTheSlotToTheCaller) {
  world.Add("ttyUSB0");
  Prepare({"ttyUSB0"});
  const int slot = downloader->DownloadIt(true);
  ASSERT_EQ(slot, 0);
  EXPECT_TRUE(portSlots->SlotPort(slot).IsOpen());
  portSlots->SlotPort(slot).Close();
}

TEST_F(DownloadTest, FailureTable) {
  struct Case {
    const char* what;
    sim::RobotConfig robot;
    bool robotPresent;
    int expectedSlot;
    QString error;
    int progress;
    int packetsOnWire;  // packets sent after the download's handshake; -1 no download
  };
  sim::RobotConfig v11;
  v11.versionByte = 0x11;
  sim::RobotConfig status2;
  status2.fault = {sim::FaultKind::StatusTwoAt, 5};
  sim::RobotConfig garbage;
  garbage.fault = {sim::FaultKind::GarbageAt, 3};
  sim::RobotConfig silent;
  silent.fault = {sim::FaultKind::SilentAfter, 4};
  sim::RobotConfig vd2e;
  vd2e.moduleType = sim::kVD2E;
  sim::RobotConfig strayLast;
  strayLast.fault = {sim::FaultKind::StrayAfterEcho, 10};
  sim::RobotConfig strayMiddle;
  strayMiddle.fault = {sim::FaultKind::StrayAfterEcho, 4};
  sim::RobotConfig echoByte;
  echoByte.fault = {sim::FaultKind::EchoByteWrongAt, 3};
  auto packetError = [](int packet) {
    return app::LoadText(393) + QStringLiteral(" Paquete %1 de 10.").arg(packet);
  };
  const Case cases[] = {
      {"no robot", {}, false, comm::kNoPort, app::LoadText(412), 0, -1},
      {"VD2E alone", vd2e, true, comm::kNoPort, app::LoadText(412), 0, -1},
      {"version 0x11", v11, true, comm::kNoPort,
       QStringLiteral("Cannot download to this version of the device."), 0, -1},
      {"status 2 at packet 5", status2, true, 0, app::LoadText(392), 5, 5},
      {"garbage status at packet 3", garbage, true, 0, packetError(3), 3, 3},
      {"silent after packet 4", silent, true, 0, packetError(5), 5, 5},
      // The stray zero would pass for the last packet's status: the byte after it gives it away.
      {"stray byte after the last echo", strayLast, true, 0, packetError(10), 10, 10},
      {"stray byte mid-download shifts the next echo", strayMiddle, true, 0, packetError(5), 5, 5},
      {"one wrong byte in an echo", echoByte, true, 0, packetError(3), 3, 3},
  };
  for (const auto& c : cases) {
    world.ports_.clear();
    if (c.robotPresent)
      world.Add("ttyUSB0", c.robot);
    else
      world.AddDead("ttyUSB0");
    ui = RecordingUi{};
    Prepare({"ttyUSB0"});
    EXPECT_EQ(downloader->DownloadIt(false), c.expectedSlot) << c.what;
    ASSERT_EQ(ui.errors.size(), 1u) << c.what;
    EXPECT_EQ(ui.errors[0], c.error) << c.what;
    // The window got the failure as a value and worded it itself.
    ASSERT_EQ(ui.failures.size(), 1u) << c.what;
    EXPECT_EQ(ui.failures[0].failure, downloader->lastOutcome().failure) << c.what;
    EXPECT_EQ(ui.progress, c.progress) << c.what;
    EXPECT_FALSE(downloader->lastDownloadComplete()) << c.what;
    EXPECT_FALSE(ui.busy) << c.what;
    EXPECT_EQ(portSlots->BusyCount(), 0) << c.what;
    if (c.packetsOnWire >= 0) {
      const auto sent = PacketBytesSent(world.port("ttyUSB0"));
      ASSERT_EQ(sent.size(), std::size_t(c.packetsOnWire * 18 + 1)) << c.what;
      EXPECT_EQ(sent.back(), 0) << c.what << ": the closing zero follows a failure too";
    }
  }
}

TEST_F(DownloadTest, SeveralRobotsAskTheUser) {
  struct Case {
    const char* what;
    int result;
    int chosenRow;
    int expectedSlot;
    int downloadedPort;  // index of the port that got the packets, -1 none
  };
  const Case cases[] = {
      {"choose the first", comm::kDownloadModalResult, 1, 0, 0},
      {"choose the third", comm::kDownloadModalResult, 3, 0, 2},
      {"closed without Download", 2, 1, comm::kNoPort, -1},
      {"an unmarked row", comm::kDownloadModalResult, 2, comm::kNoPort, -1},
  };
  for (const auto& c : cases) {
    world.ports_.clear();
    world.Add("a");
    world.AddDead("b");
    world.Add("c");
    ui = RecordingUi{};
    ui.choiceResult = c.result;
    ui.chosenRow = c.chosenRow;
    Prepare({"a", "b", "c"});
    EXPECT_EQ(downloader->DownloadIt(false), c.expectedSlot) << c.what;
    ASSERT_GE(ui.opened.size(), 2u) << c.what;
    EXPECT_EQ(ui.opened[1], app::LoadText(413)) << c.what;
    EXPECT_EQ(session->PortStatus.Cell(comm::kMarkColumn, 1), "+");
    EXPECT_EQ(session->PortStatus.Cell(comm::kMarkColumn, 3), "+");
    const char* names[] = {"a", "c"};
    for (int i = 0; i < 2; ++i) {
      const int portIndex = i * 2;
      const bool got = world.port(names[i]).module->downloadsCompleted() > 0;
      EXPECT_EQ(got, portIndex == c.downloadedPort) << c.what << " " << names[i];
    }
    EXPECT_FALSE(ui.busy) << c.what;
  }
}

TEST_F(DownloadTest, NothingToSendDoesNothing) {
  world.Add("ttyUSB0");
  Prepare({"ttyUSB0"});
  session->ProgramCount = 0;
  EXPECT_EQ(downloader->DownloadIt(false), comm::kNoPort);
  EXPECT_TRUE(ui.opened.empty());
  EXPECT_TRUE(world.port("ttyUSB0").written.empty());
  EXPECT_FALSE(ui.busy);
}

TEST(RequiredVersions, PerModuleType) {
  const QStringList expected = {"", "v0.0", "v1.0", "v1.0", "v1.0", "v1.2"};
  for (int t = 0; t < 6; ++t) EXPECT_EQ(comm::RequiredVersions()[t], expected[t]);
}
