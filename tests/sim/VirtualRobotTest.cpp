#include "sim/VirtualRobot.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

// Opens the robot's device like a PC program would and reads what comes back.
class PcSide {
 public:
  explicit PcSide(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    if (fd_ >= 0) {
      termios t{};
      ::tcgetattr(fd_, &t);
      ::cfmakeraw(&t);
      ::tcsetattr(fd_, TCSANOW, &t);
    }
  }
  ~PcSide() {
    if (fd_ >= 0) ::close(fd_);
  }
  bool ok() const { return fd_ >= 0; }
  void Write(const std::vector<std::uint8_t>& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  std::vector<std::uint8_t> Read(size_t count, int timeoutMs) {
    std::vector<std::uint8_t> got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      if (left.count() <= 0) break;
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, int(left.count())) <= 0) break;
      std::uint8_t b[64];
      const ssize_t n = ::read(fd_, b, std::min(sizeof b, count - got.size()));
      if (n > 0) got.insert(got.end(), b, b + n);
    }
    return got;
  }

 private:
  int fd_;
};

}  // namespace

TEST(VirtualRobot, AnswersTheHandshakeOnItsPseudoTerminal) {
  sim::VirtualRobot robot;
  std::string error;
  ASSERT_TRUE(robot.Start(&error)) << error;
  ASSERT_FALSE(robot.DevicePath().empty());
  PcSide pc(robot.DevicePath());
  ASSERT_TRUE(pc.ok());
  pc.Write({0x56, 0x44, 0x32, 0x00});
  EXPECT_EQ(pc.Read(8, 2000), std::vector<std::uint8_t>({0x56, 0xAA, 0x44, 0xBC, 0x32, 0xCE, 0x00, 0x10}));

  const auto log = robot.wireLog();
  ASSERT_EQ(log.size(), 12u);  // 4 bytes in, 8 out
  EXPECT_EQ(log[0], (sim::WireByte{true, 0x56}));
  EXPECT_EQ(log[1], (sim::WireByte{false, 0x56}));
  EXPECT_EQ(log[2], (sim::WireByte{false, 0xAA}));
  EXPECT_EQ(log[3], (sim::WireByte{true, 0x44}));
  EXPECT_EQ(robot.received(), std::vector<std::uint8_t>({0x56, 0x44, 0x32, 0x00}));
  robot.Stop();
  EXPECT_FALSE(robot.running());
}

TEST(VirtualRobot, ByteTimingPacesTheAnswer) {
  sim::RobotConfig config;
  config.byteTiming = true;
  sim::VirtualRobot robot(config);
  ASSERT_TRUE(robot.Start());
  PcSide pc(robot.DevicePath());
  std::vector<std::uint8_t> burst(20, 0x11);  // not an identification byte: echoed only
  const auto start = std::chrono::steady_clock::now();
  pc.Write(burst);
  EXPECT_EQ(pc.Read(20, 2000).size(), 20u);
  const auto took = std::chrono::steady_clock::now() - start;
  // 20 byte times are about 20.8 ms; the echo cannot come back faster than the wire.
  EXPECT_GE(took, std::chrono::milliseconds(19));
}

TEST(VirtualRobot, StopWithoutStartAndRestart) {
  sim::VirtualRobot robot;
  robot.Stop();
  ASSERT_TRUE(robot.Start());
  const std::string first = robot.DevicePath();
  robot.Stop();
  ASSERT_TRUE(robot.Start());
  PcSide pc(robot.DevicePath());
  pc.Write({0x65});
  EXPECT_EQ(pc.Read(1, 1000), std::vector<std::uint8_t>({0x65}));
  EXPECT_FALSE(first.empty());
}
