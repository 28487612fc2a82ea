// The downloaded program runs on the virtual robot: the test program answers the test
// exchange itself, its pulses drive the virtual servos and the arena reaches its sensors.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>

#include "VmTestSupport.h"
#include "sim/VirtualRobot.h"
#include "sim/vm/LiveProgram.h"

using namespace sim::vm;

namespace {

vmtest::Compiled TestProgram() {
  return vmtest::CompileSource(vmtest::ReadFile(ROVALIS_SOURCE_DIR "/resources/programs/test.bas"));
}

std::vector<uint8_t> Command(int right, int left) {
  return {uint8_t(right & 255), uint8_t(right >> 8), uint8_t(left & 255), uint8_t(left >> 8)};
}

TEST(VmLiveProgram, TestProgramAnswersWithTheSensorsWhereTheRobotStands) {
  const vmtest::Compiled c = TestProgram();
  ASSERT_TRUE(c.ok) << c.error;
  const struct {
    const char* name;
    Pose pose;
    uint8_t answer;  // bit 0 left infrared, 1 right infrared, 2 left whisker, 3 right whisker
  } cases[] = {
      {"open floor", {40, 75, 0}, 0},
      {"wall in infrared range", {180, 75, 0}, 0x03},
      {"against the wall", {192, 75, 0}, 0x0F},
      {"turned left: the wall before the right detector only", {180, 75, 0.9}, 0x02},
      {"turned right: the wall before the left detector only", {180, 75, -0.9}, 0x01},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    LiveProgram live(true);
    live.SetStartPose(k.pose);
    live.Load(c.image);
    const auto answer = live.Exchange(Command(750, 750), 2000);
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(*answer, k.answer);
  }
}

TEST(VmLiveProgram, PulseWidthsOfTheExchangeDriveTheServos) {
  const vmtest::Compiled c = TestProgram();
  ASSERT_TRUE(c.ok) << c.error;
  const struct {
    int right, left;
    double rightSpeed, leftSpeed;  // forward positive
  } cases[] = {
      {650, 850, 1.0, 1.0},    // both wheels forward: 100 units from the stop width, mirrored
      {850, 650, -1.0, -1.0},  // both backward
      {750, 800, 0.0, 0.5},    // right standing, left half forward
      {0, 0, 0.0, 0.0},        // no pulses: the servos stop
  };
  for (const auto& k : cases) {
    LiveProgram live(true);
    live.Load(c.image);
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(live.Exchange(Command(k.right, k.left), 2000).has_value());
    const LiveProgram::Snapshot s = live.snapshot();
    EXPECT_NEAR(s.rightSpeed, k.rightSpeed, 1e-9) << k.right << "/" << k.left;
    EXPECT_NEAR(s.leftSpeed, k.leftSpeed, 1e-9) << k.right << "/" << k.left;
    EXPECT_EQ(s.state, RunState::Running);
  }
}

TEST(VmLiveProgram, NoProgramNoAnswerAndRestartGoesBackToTheStart) {
  LiveProgram live(true);
  EXPECT_FALSE(live.loaded());
  EXPECT_FALSE(live.Exchange(Command(750, 750), 50).has_value());
  const vmtest::Compiled c =
      vmtest::CompileBody("DEBUG \"hi\"\nagain:\nPULSOUT 13, 850\nPULSOUT 12, 650\nPAUSE 15\nGOTO again");
  ASSERT_TRUE(c.ok) << c.error;
  live.Load(c.image);
  const auto start = std::chrono::steady_clock::now();
  while (live.snapshot().pose.x < 60 && std::chrono::steady_clock::now() - start < std::chrono::seconds(5)) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  LiveProgram::Snapshot s = live.snapshot();
  EXPECT_GE(s.pose.x, 60.0);
  EXPECT_EQ(s.terminal, "hi");
  EXPECT_GT(s.trail.size(), 2u);
  // Paused, a restart puts the robot back at its start and the program waits to run.
  live.SetPaused(true);
  live.Restart();
  const auto again = std::chrono::steady_clock::now();
  while (live.snapshot().pose.x > 41 && std::chrono::steady_clock::now() - again < std::chrono::seconds(2))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  s = live.snapshot();
  EXPECT_EQ(s.pose.x, 40.0);
  EXPECT_EQ(s.terminal, "");
  live.SetPaused(false);
  while (live.snapshot().terminal.empty() &&
         std::chrono::steady_clock::now() - again < std::chrono::seconds(4))
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  EXPECT_EQ(live.snapshot().terminal, "hi");
}

// The terminal shows what a program sends on its own (DEBUG); once the PC talks to the
// program, its answers belong to the exchange and never show as text.
TEST(VmLiveProgram, TerminalShowsDebugTextButNotTheAnswersOfAnExchange) {
  const struct {
    const char* name;
    std::string source;  // empty: the test program
    const char* before;  // terminal text to wait for before the exchanges
    int exchanges;
    const char* terminal;
  } cases[] = {
      {"test program served", "", "", 6, ""},
      {"DEBUG text, then answers",
       "DEBUG \"ready\", CR\nb VAR BYTE\nagain:\nSERIN 16, 84, [b]\n"
       "SEROUT 16, 84, [b + 1]\nGOTO again",
       "ready\r", 3, "ready\r"},
      {"DEBUG text, nobody talking", "DEBUG \"hi\"", "hi", 0, "hi"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.name);
    const vmtest::Compiled c = k.source.empty() ? TestProgram() : vmtest::CompileBody(k.source);
    ASSERT_TRUE(c.ok) << c.error;
    LiveProgram live(true);
    live.Load(c.image);
    const auto start = std::chrono::steady_clock::now();
    while (live.snapshot().terminal != k.before &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(2))
      std::this_thread::sleep_for(std::chrono::milliseconds(1));
    for (int i = 0; i < k.exchanges; ++i) ASSERT_TRUE(live.Exchange(Command(750, 750), 2000).has_value());
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // room for stray bytes
    EXPECT_EQ(live.snapshot().terminal, k.terminal);
  }
}

// The PC's side of the virtual robot's pseudo-terminal.
class Pc {
 public:
  explicit Pc(const std::string& path) : fd_(::open(path.c_str(), O_RDWR | O_NOCTTY)) {
    termios t{};
    ::tcgetattr(fd_, &t);
    ::cfmakeraw(&t);
    ::tcsetattr(fd_, TCSANOW, &t);
  }
  ~Pc() { ::close(fd_); }
  bool ok() const { return fd_ >= 0; }
  void Write(const std::vector<uint8_t>& bytes) {
    ASSERT_EQ(::write(fd_, bytes.data(), bytes.size()), ssize_t(bytes.size()));
  }
  std::vector<uint8_t> Read(size_t count, int timeoutMs) {
    std::vector<uint8_t> got;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (got.size() < count) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
      pollfd p{fd_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&p, 1, int(left.count())) <= 0) break;
      uint8_t b[64];
      const ssize_t n = ::read(fd_, b, std::min(sizeof b, count - got.size()));
      if (n > 0) got.insert(got.end(), b, b + n);
    }
    return got;
  }

 private:
  int fd_;
};

TEST(VmLiveProgram, AfterADownloadTheVirtualModuleRunsTheTestProgram) {
  auto t = std::make_unique<tok::Tokenizer>();
  t->SetSource(vmtest::ReadFile(ROVALIS_SOURCE_DIR "/resources/programs/test.bas"));
  ASSERT_TRUE(t->Tokenize(false, true, false));
  const tok::ResultRecord& r = t->TokenizeResult;

  sim::RobotConfig config;
  config.runProgram = true;
  config.fastProgram = true;
  sim::VirtualRobot robot(config);
  ASSERT_TRUE(robot.Start());
  ASSERT_NE(robot.liveProgram(), nullptr);
  robot.liveProgram()->SetStartPose({192, 75, 0});  // whiskers and detectors on the wall
  Pc pc(robot.DevicePath());
  ASSERT_TRUE(pc.ok());
  pc.Write({0x56, 0x44, 0x32, 0x00});
  ASSERT_EQ(pc.Read(8, 2000).size(), 8u);
  for (int i = 0; i < r.PacketCount; ++i) {
    const std::vector<uint8_t> packet(r.PacketBuffer + i * tok::PacketSize,
                                      r.PacketBuffer + (i + 1) * tok::PacketSize);
    pc.Write(packet);
    const auto back = pc.Read(tok::PacketSize + 1, 2000);
    ASSERT_EQ(back.size(), size_t(tok::PacketSize + 1));
    ASSERT_EQ(back.back(), 0) << "packet " << i;
  }
  pc.Write({0});
  ASSERT_EQ(pc.Read(1, 2000), std::vector<uint8_t>{0});
  ASSERT_TRUE(robot.WaitForDownloads(1, 2000));

  for (int exchange = 0; exchange < 3; ++exchange) {
    const std::vector<uint8_t> command = Command(650, 850);
    pc.Write(command);
    std::vector<uint8_t> expected = command;  // the module echoes, then the program answers
    expected.push_back(0x0F);
    EXPECT_EQ(pc.Read(5, 2000), expected) << "exchange " << exchange;
  }
  const LiveProgram::Snapshot s = robot.liveProgram()->snapshot();
  EXPECT_EQ(s.leftSpeed, 1.0);
  EXPECT_EQ(s.rightSpeed, 1.0);
  EXPECT_TRUE(s.leftWhisker && s.rightWhisker);
  EXPECT_EQ(s.terminal, "") << "the exchange's answers are no DEBUG text";
  robot.Stop();
}

}  // namespace
