#include "comm/PortSlots.h"
#include "comm/Serial.h"

#include <gtest/gtest.h>

#include "CommTestSupport.h"
#include "app/core/Texts.h"
#include "comm/ErrorReport.h"

using commtest::FakeWorld;

namespace {

class SerialTest : public ::testing::Test {
 protected:
  void SetUp() override {
    comm::SetErrorReporter([this](const QString& text) { shown.push_back(text); });
  }
  void TearDown() override { comm::SetErrorReporter({}); }

  bool OpenPort(comm::TSerial& port, const QString& name, bool showErrors = true) {
    return port.Open(name, "9600", "None", "8", "Off", showErrors);
  }

  FakeWorld world;
  std::vector<QString> shown;
};

}  // namespace

TEST_F(SerialTest, ClosedPortAnswersTheNotOpenValues) {
  comm::TSerial port(world.Factory());
  EXPECT_EQ(port.ReadByte(10), comm::kNotOpen);
  EXPECT_EQ(port.Read(4, 10), -1);
  EXPECT_EQ(port.Read(0, 0), -1);
  EXPECT_FALSE(port.WriteByte(1, 10));
  EXPECT_EQ(port.ModemStatus(), 0u);
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialTest, OpenLeavesDtrAndRtsLowAndRefusesASecondOpen) {
  world.Add("ttyS0");
  comm::TSerial port(world.Factory());
  ASSERT_TRUE(OpenPort(port, "ttyS0"));
  EXPECT_EQ(world.port("ttyS0").lines, (std::vector<std::string>{"DTR0", "RTS0"}));
  EXPECT_EQ(port.PortName(), "ttyS0");
  EXPECT_EQ(port.Buffer().size(), std::size_t(comm::kBufferSize));
  EXPECT_FALSE(OpenPort(port, "ttyS0"));
  EXPECT_TRUE(port.IsOpen());
  port.Close();
  EXPECT_TRUE(port.PortName().isEmpty());
  EXPECT_FALSE(port.IsOpen());
}

TEST_F(SerialTest, OpenFailuresAndTheirMessages) {
  struct Case {
    std::uint32_t code;
    QString reason;
  };
  const Case cases[] = {
      {comm::kNoSuchDevice, app::LoadText(394)},
      {comm::kAccessDenied, app::LoadText(395)},
      {comm::kOtherOpenError, QStringLiteral("Reason is unknown.")},
  };
  for (const auto& c : cases) {
    shown.clear();
    world.AddUnopenable("ttyX", c.code);
    comm::TSerial port(world.Factory());
    port.SetClaimed(true);
    EXPECT_FALSE(OpenPort(port, "ttyX"));
    EXPECT_EQ(port.LastError(), c.code);
    EXPECT_FALSE(port.Claimed());
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], app::LoadText(396) + "ttyX.  " + c.reason);
    shown.clear();
    EXPECT_FALSE(OpenPort(port, "ttyX", false));
    EXPECT_TRUE(shown.empty()) << "no message without show errors";
  }
  EXPECT_EQ(app::LoadText(396), QStringLiteral("No se puede abrir el puerto: "));
}

TEST_F(SerialTest, StateArgumentsOtherThanZeroAndOneDoNothing) {
  world.Add("ttyS0");
  comm::TSerial port(world.Factory());
  ASSERT_TRUE(OpenPort(port, "ttyS0"));
  world.port("ttyS0").lines.clear();
  for (int state : {2, -1, 1, 0}) {
    port.SetDTR(state);
    port.SetRTS(state);
    port.SetBreak(state);
  }
  EXPECT_EQ(world.port("ttyS0").lines,
            (std::vector<std::string>{"DTR1", "RTS1", "BRK1", "DTR0", "RTS0", "BRK0"}));
}

TEST_F(SerialTest, ReadModesAndTheirTimeouts) {
  world.Add("ttyS0");
  comm::TSerial port(world.Factory());
  ASSERT_TRUE(OpenPort(port, "ttyS0"));
  auto& input = world.port("ttyS0").input;
  using T = std::array<std::uint32_t, 5>;
  struct Case {
    int count;
    int timeout;
    int waiting;
    int expected;
    T timeouts;
  };
  const Case cases[] = {
      {3, 50, 5, 3, T{0, 0, 50, 0, 0}},            // block mode takes only what was asked
      {10, 70, 4, 4, T{0, 0, 70, 0, 0}},           // short count on time-out
      {0, 123, 5000, 5000, T{0xFFFFFFFF, 0, 0, 0, 0}},   // drain mode, more than one buffer
      {5000, 9, 7, 7, T{0xFFFFFFFF, 0, 0, 0, 0}},  // over 4096 drains too
      {-1, 9, 0, 0, T{0xFFFFFFFF, 0, 0, 0, 0}},
  };
  for (const auto& c : cases) {
    input.assign(std::size_t(c.waiting), 0x33);
    EXPECT_EQ(port.Read(c.count, c.timeout), c.expected) << c.count;
    EXPECT_EQ(port.Timeouts(), c.timeouts) << c.count;
    input.clear();
  }
  input = {0x7F};
  EXPECT_EQ(port.ReadByte(240), 0x7F);
  EXPECT_EQ(port.Timeouts(), (T{0, 0, 240, 0, 0}));
  EXPECT_EQ(port.ReadByte(240), -1);
  EXPECT_TRUE(port.WriteByte(0x12, 1000));
  EXPECT_EQ(port.Timeouts(), (T{0, 0, 0, 0, 1000}));
}

TEST_F(SerialTest, SlotsAreTakenFromZeroDownward) {
  world.Add("a");
  world.Add("b");
  world.Add("c");
  world.Add("d");
  world.Add("e");
  comm::PortSlots table(world.Factory());
  std::uint32_t error = 99;
  EXPECT_EQ(table.AcquirePort("a", &error), 0);
  EXPECT_EQ(error, 0u);
  EXPECT_EQ(table.AcquirePort("b", &error), -1);
  EXPECT_EQ(table.AcquirePort("nope", &error), comm::kNoPort);
  EXPECT_EQ(error, comm::kNoSuchDevice);
  EXPECT_EQ(table.AcquirePort("a", &error), comm::kNoPort) << "held by slot 0";
  EXPECT_EQ(error, comm::kAccessDenied);
  EXPECT_EQ(table.AcquirePort("c", &error), -2) << "failed opens free their slot";
  EXPECT_EQ(table.AcquirePort("d", &error), -3);
  EXPECT_EQ(table.AcquirePort("e", &error), comm::kNoPort);
  EXPECT_EQ(error, 0u) << "all table busy";
  table.SlotPort(-1).Close();
  EXPECT_EQ(table.AcquirePort("e", &error), -1);
  EXPECT_EQ(table.SlotPort(-1).PortName(), "e");
  EXPECT_EQ(table.BusyCount(), 4);
}
