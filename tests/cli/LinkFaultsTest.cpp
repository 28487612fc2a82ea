// rovalis-cli download and go against virtual robots that misbehave, over pseudo-terminals:
// every fault ends with its message and a non-zero exit status, never as a success.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QSerialPort>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "ProcessRun.h"
#include "actions/ActionLists.h"
#include "app/core/Texts.h"
#include "sim/VirtualRobot.h"

namespace {

const std::string kTestProgram = std::string(ROVALIS_SOURCE_DIR) + "/resources/programs/test.bas";

std::string Text(int number) {
  return app::LoadText(number).toStdString();
}

std::string PacketError(int packet, int total) {
  return Text(393) + " " + app::LoadText(460).arg(packet).arg(total).toStdString();
}

class LinkFaultsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QCoreApplication::instance()) {
      static int argc = 1;
      static char name[] = "cli_tests";
      static char* argv[] = {name, nullptr};
      static QCoreApplication app(argc, argv);
    }
  }

  sim::VirtualRobot& StartRobot(sim::RobotConfig config = {}) {
    robots_.push_back(std::make_unique<sim::VirtualRobot>(config));
    std::string error;
    EXPECT_TRUE(robots_.back()->Start(&error)) << error;
    return *robots_.back();
  }

  static clitest::ProcessResult Download(const std::vector<std::string>& ports,
                                         const std::string& trigger = {}, int signalNumber = 0) {
    std::vector<std::string> args = {"download", kTestProgram};
    for (const std::string& port : ports) args.insert(args.end(), {"--port", port});
    return clitest::RunProcess(ROVALIS_CLI, args, trigger, signalNumber);
  }

  // The packet count of the test program, from a clean download.
  int TestProgramPackets() {
    auto& robot = StartRobot();
    const auto run = Download({robot.DevicePath()});
    EXPECT_EQ(run.exitStatus, 0) << run.output;
    robot.WaitForDownloads(1, 2000);
    return robot.lastDownload().packetsReceived;
  }

  std::vector<std::unique_ptr<sim::VirtualRobot>> robots_;
};

}  // namespace

TEST_F(LinkFaultsTest, EveryFaultEndsWithItsMessageAndAFailingStatus) {
  const int n = TestProgramPackets();
  ASSERT_GE(n, 2);
  struct Case {
    const char* what;
    sim::FaultKind fault;
    int packet;
    std::string message;
  };
  const Case cases[] = {
      {"no answer", sim::FaultKind::NoAnswer, 0, Text(412)},
      {"every echo altered", sim::FaultKind::WrongEcho, 0, Text(412)},
      {"status 2", sim::FaultKind::StatusTwoAt, 2, Text(392)},
      {"garbage status", sim::FaultKind::GarbageAt, 2, PacketError(2, n)},
      {"silent after packet 1", sim::FaultKind::SilentAfter, 1, PacketError(2, n)},
      {"stray byte after the last echo", sim::FaultKind::StrayAfterEcho, n, PacketError(n, n)},
      {"stray byte after the first echo", sim::FaultKind::StrayAfterEcho, 1, PacketError(2, n)},
      {"late status", sim::FaultKind::LateStatusAt, 1, PacketError(1, n)},
      {"one wrong echo byte", sim::FaultKind::EchoByteWrongAt, n, PacketError(n, n)},
      {"line closes after the handshake", sim::FaultKind::HangUpAfterHandshake, 0, PacketError(1, n)},
  };
  for (const auto& c : cases) {
    sim::RobotConfig config;
    config.fault = {c.fault, c.packet};
    auto& robot = StartRobot(config);
    const auto run = Download({robot.DevicePath()});
    EXPECT_EQ(run.exitStatus, 1) << c.what << "\n" << run.output;
    EXPECT_NE(run.output.find(Text(464).replace(Text(464).find("%1"), 2, c.message)), std::string::npos)
        << c.what << "\n"
        << run.output;
    EXPECT_EQ(run.output.find(app::LoadText(462).arg(n).toStdString()), std::string::npos) << c.what;
  }
}

TEST_F(LinkFaultsTest, AHeldPortIsSaidToBeHeldByDownloadAndPorts) {
  auto& robot = StartRobot();
  QSerialPort holder;
  holder.setPortName(QString::fromStdString(robot.DevicePath()));
  ASSERT_TRUE(holder.open(QIODevice::ReadWrite));
  const auto download = Download({robot.DevicePath()});
  EXPECT_EQ(download.exitStatus, 1) << download.output;
  EXPECT_NE(download.output.find(Text(390)), std::string::npos) << download.output;
  const auto ports = clitest::RunProcess(ROVALIS_CLI, {"ports", "--port", robot.DevicePath()});
  EXPECT_EQ(ports.exitStatus, 0) << ports.output;
  EXPECT_NE(ports.output.find(Text(390)), std::string::npos) << ports.output;
}

TEST_F(LinkFaultsTest, SeveralPortOptionsScanExactlyThosePorts) {
  sim::RobotConfig vd2e;
  vd2e.moduleType = sim::kVD2E;
  auto& first = StartRobot(vd2e);
  auto& second = StartRobot();
  auto& ignored = StartRobot();
  const auto run = clitest::RunProcess(
      ROVALIS_CLI, {"ports", "--port", first.DevicePath(), "--port=" + second.DevicePath()});
  ASSERT_EQ(run.exitStatus, 0) << run.output;
  EXPECT_TRUE(first.received().size() > 0) << "the first named port is scanned";
  EXPECT_TRUE(second.received().size() > 0) << "the second named port is scanned too";
  EXPECT_TRUE(ignored.received().empty()) << "a port not named is left alone";

  // Both answer as VD2 only on the second: a download goes there without a question.
  const auto download = Download({first.DevicePath(), second.DevicePath()});
  EXPECT_EQ(download.exitStatus, 0) << download.output;
  EXPECT_TRUE(second.WaitForDownloads(1, 2000));
}

TEST_F(LinkFaultsTest, AnInterruptedDownloadClosesThePortAndEndsItsLine) {
  struct Case {
    int signalNumber;
    int exitStatus;
    const char* trigger;
  };
  const std::string downloading = app::LoadText(461).arg("").toStdString();
  const std::string scanning = Text(426);
  const Case cases[] = {{SIGINT, 130, downloading.c_str()},
                        {SIGTERM, 143, downloading.c_str()},
                        {SIGINT, 130, scanning.c_str()}};
  for (const auto& c : cases) {
    sim::RobotConfig config;
    config.byteTiming = true;
    auto& robot = StartRobot(config);
    // A line setting the download does not use: closing the port must bring it back.
    const int fd = ::open(robot.DevicePath().c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    termios before{};
    ::tcgetattr(fd, &before);
    ::cfsetispeed(&before, B4800);
    ::cfsetospeed(&before, B4800);
    ASSERT_EQ(::tcsetattr(fd, TCSANOW, &before), 0);

    const auto run = Download({robot.DevicePath()}, c.trigger, c.signalNumber);
    EXPECT_EQ(run.exitStatus, c.exitStatus) << c.trigger << "\n" << run.output;
    EXPECT_NE(run.output.find("\n" + Text(465) + "\n"), std::string::npos) << run.output;
    termios after{};
    ::tcgetattr(fd, &after);
    EXPECT_EQ(::cfgetospeed(&after), speed_t(B4800)) << "the line settings are restored";
    ::close(fd);
    QSerialPort again;
    again.setPortName(QString::fromStdString(robot.DevicePath()));
    EXPECT_TRUE(again.open(QIODevice::ReadWrite)) << "the lock is released";
  }
}

TEST_F(LinkFaultsTest, AFailedGoLeavesTheListFileAsItWas) {
  sim::RobotConfig config;
  config.fault = {sim::FaultKind::StrayAfterEcho, 1};
  auto& robot = StartRobot(config);
  const auto folder = std::filesystem::temp_directory_path() / ("rovalis_go_" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  const auto file = folder / "steps.rvl";
  actions::ActionLists lists;
  lists.AppendTile(actions::ActionKind::Forward);
  lists.AppendTile(actions::ActionKind::RotateLeft);
  ASSERT_EQ(lists.SaveToPath(file), "");
  auto read = [&file] {
    std::ifstream in(file, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  };
  const std::vector<char> before = read();

  const auto run = clitest::RunProcess(ROVALIS_CLI, {"go", file.string(), "--port", robot.DevicePath()});
  EXPECT_EQ(run.exitStatus, 1) << run.output;
  EXPECT_NE(run.output.find(Text(393)), std::string::npos) << run.output;
  EXPECT_EQ(read(), before);
  std::filesystem::remove_all(folder);
}
