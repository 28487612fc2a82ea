#include <gtest/gtest.h>

#include "CommTestSupport.h"
#include "app/core/Global.h"
#include "app/core/Texts.h"
#include "comm/Identify.h"

using commtest::FakeWorld;

namespace {

struct Outcome {
  bool found;
  QString device;
  QString version;
  QString echo;
  int type;
};

Outcome RunIdentify(FakeWorld& world, const QString& name, int type, std::uint8_t downloadModule) {
  comm::TSerial port(world.Factory());
  EXPECT_TRUE(port.Open(name, "9600", "None", "8", "Off", false));
  comm::IdentifyResult result;
  const bool found =
      comm::Identify(port, type, downloadModule, app::Global().ModuleNames.at(downloadModule), result);
  port.Close();
  return {found, result.DeviceText, result.VersionText, result.EchoText, result.ModuleType};
}

sim::RobotConfig Robot(int type, int minor = 0, int pins = 40, std::uint8_t version = 0x10) {
  sim::RobotConfig config;
  config.moduleType = type;
  config.minorVersion = minor;
  config.pinCount = pins;
  config.versionByte = version;
  return config;
}

}  // namespace

TEST(Identify, HandshakesOfEveryModuleType) {
  const QString yes = app::LoadText(387);
  const QString no = app::LoadText(388);
  const QString tumbler = QStringLiteral("Home Tumbler");
  struct Case {
    const char* what;
    sim::RobotConfig robot;
    int tried;
    std::uint8_t downloadModule;
    Outcome expected;
  };
  const Case cases[] = {
      {"VD2 v1.0", Robot(2), 2, 2, {true, tumbler, "v1.0", yes, 2}},
      {"VD2 v1.1", Robot(2, 0, 40, 0x11), 2, 2, {true, tumbler, "v1.1", yes, 2}},
      {"VD2 v2.A", Robot(2, 0, 40, 0x2A), 2, 2, {true, tumbler, "v2.A", yes, 2}},
      {"VD2 not wanted", Robot(2), 2, 3, {true, "", "v1.0", yes, 2}},
      {"VD2E tried as VD2", Robot(3), 2, 2, {false, "", "", yes, 0}},
      {"VD2E", Robot(3), 3, 3, {true, "Varda 2e", "v1.0", yes, 3}},
      {"VD2E not wanted", Robot(3), 3, 2, {true, "", "v1.0", yes, 3}},
      {"VD2SX v1.1", Robot(4, 1), 4, 4, {true, "Varda 2sx", "v1.1", yes, 4}},
      {"VD2SX v1.2 not wanted", Robot(4, 2), 4, 2, {true, "", "v1.2", yes, 4}},
      {"VD2P 40 pins v1.6", Robot(5, 6), 5, 5, {true, "Varda 2p40", "v1.6", yes, 5}},
      {"VD2P 24 pins v1.2 (0x72)", Robot(5, 2, 24), 5, 2, {true, "24", "v1.2", yes, 5}},
      {"VD2P tried as VD2SX", Robot(5), 4, 2, {false, "", "", yes, 0}},
  };
  for (const auto& c : cases) {
    FakeWorld world;
    world.Add("p", c.robot);
    const Outcome got = RunIdentify(world, "p", c.tried, c.downloadModule);
    EXPECT_EQ(got.found, c.expected.found) << c.what;
    EXPECT_EQ(got.device, c.expected.device) << c.what;
    EXPECT_EQ(got.version, c.expected.version) << c.what;
    EXPECT_EQ(got.echo, c.expected.echo) << c.what;
    EXPECT_EQ(got.type, c.expected.type) << c.what;
  }
}

TEST(Identify, NoEchoAndWrongEcho) {
  const QString no = app::LoadText(388);
  FakeWorld world;
  world.AddDead("dead");
  sim::RobotConfig bent;
  bent.fault.kind = sim::FaultKind::WrongEcho;
  world.Add("bent", bent);
  for (const char* name : {"dead", "bent"}) {
    const Outcome got = RunIdentify(world, name, 2, 2);
    EXPECT_FALSE(got.found) << name;
    EXPECT_EQ(got.echo, no) << name;
    EXPECT_EQ(got.type, 0) << name;
  }
  // Nothing after the first byte: no echo means the module is not asked any further.
  EXPECT_EQ(world.port("dead").written, std::vector<std::uint8_t>({0x56}));
}

TEST(Identify, VersionByteTimeOutReadsFF) {
  // A VD2 that dies right after its third reply: the version read times out.
  FakeWorld world;
  world.Add("p").answersLeft = 3;
  const Outcome got = RunIdentify(world, "p", 2, 2);
  EXPECT_TRUE(got.found);
  EXPECT_EQ(got.version, "vF.F");
  EXPECT_EQ(got.type, 2);
}

TEST(Identify, ResetPulseOrder) {
  FakeWorld world;
  world.Add("p");
  comm::TSerial port(world.Factory());
  ASSERT_TRUE(port.Open("p", "9600", "None", "8", "Off", false));
  world.port("p").lines.clear();
  world.port("p").input = {1, 2, 3};
  comm::ResetPulse(port);
  EXPECT_EQ(world.port("p").lines, (std::vector<std::string>{"DTR1", "BRK1", "DTR0", "BRK0"}));
  EXPECT_TRUE(world.port("p").input.empty()) << "the input is emptied";
}
