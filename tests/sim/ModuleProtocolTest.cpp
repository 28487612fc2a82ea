#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "sim/ModuleProtocol.h"

using sim::FaultKind;
using sim::ModuleProtocol;
using sim::RobotConfig;
using Bytes = std::vector<std::uint8_t>;

namespace {

constexpr int kLongPause = 100;

// Feeds bytes without pauses (except before the first) and collects every answer.
Bytes Feed(ModuleProtocol& module, const Bytes& bytes, int firstSilence = kLongPause) {
  Bytes out;
  bool first = true;
  for (std::uint8_t b : bytes) {
    const Bytes answer = module.OnByte(b, first ? firstSilence : 0);
    first = false;
    out.insert(out.end(), answer.begin(), answer.end());
  }
  return out;
}

Bytes Packet(int block, std::uint8_t fill) {
  Bytes p(18, fill);
  p[0] = std::uint8_t(0x80 + block);
  unsigned sum = 0;
  for (int i = 0; i < 17; ++i) sum += p[i];
  p[17] = std::uint8_t(-sum);
  return p;
}

Bytes Concat(std::initializer_list<Bytes> parts) {
  Bytes all;
  for (const auto& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Bytes kVD2Handshake = {0x56, 0x44, 0x32, 0x00};

}  // namespace

TEST(ModuleProtocol, IdentificationRepliesPerModuleType) {
  struct Case {
    const char* what;
    RobotConfig config;
    Bytes sent;
    Bytes expected;
  };
  RobotConfig vd2;
  RobotConfig vd2v11;
  vd2v11.versionByte = 0x11;
  RobotConfig vd2e;
  vd2e.moduleType = sim::kVD2E;
  RobotConfig vd2sx;
  vd2sx.moduleType = sim::kVD2SX;
  vd2sx.minorVersion = 2;
  RobotConfig vd2p40;
  vd2p40.moduleType = sim::kVD2P;
  vd2p40.minorVersion = 6;
  RobotConfig vd2p24 = vd2p40;
  vd2p24.pinCount = 24;
  vd2p24.minorVersion = 2;
  const Case cases[] = {
      {"VD2 full handshake", vd2, kVD2Handshake,
       {0x56, 0xAA, 0x44, 0xBC, 0x32, 0xCE, 0x00, 0x10}},
      {"VD2 configured version", vd2v11, kVD2Handshake,
       {0x56, 0xAA, 0x44, 0xBC, 0x32, 0xCE, 0x00, 0x11}},
      {"VD2 wrong second byte only echoes", vd2, {0x56, 0x45}, {0x56, 0xAA, 0x45}},
      {"VD2 ignores the VD2E byte", vd2, {0x65}, {0x65}},
      {"VD2E", vd2e, {0x65}, {0x65, 0x65}},
      {"VD2E does not answer VD2", vd2e, {0x56}, {0x56}},
      {"VD2SX minor 2", vd2sx, {0x58}, {0x58, 0x5A}},
      {"VD2P 40 pins", vd2p40, {0x50}, {0x50, 0x56}},
      {"VD2P 24 pins sets bit 5", vd2p24, {0x50}, {0x50, 0x72}},
  };
  for (const auto& c : cases) {
    ModuleProtocol module(c.config);
    EXPECT_EQ(Feed(module, c.sent), c.expected) << c.what;
  }
}

TEST(ModuleProtocol, StoresGoodPacketsAndRejectsBadOnes) {
  struct Case {
    const char* what;
    Bytes packet;
    std::uint8_t status;
    bool stored;
  };
  Bytes badSum = Packet(3, 0x11);
  badSum[17] ^= 1;
  Bytes noAddressBit = Packet(3, 0x11);
  noAddressBit[0] = 0x03;
  noAddressBit[17] = std::uint8_t(noAddressBit[17] + 0x80);
  const Case cases[] = {
      {"good", Packet(3, 0x11), 0, true},
      {"last block", Packet(127, 0x22), 0, true},
      {"bad checksum", badSum, 2, false},
      {"address without bit 7", noAddressBit, 2, false},
  };
  for (const auto& c : cases) {
    ModuleProtocol module;
    Feed(module, kVD2Handshake);
    const Bytes answer = Feed(module, c.packet, 0);
    Bytes expected = c.packet;
    expected.push_back(c.status);
    EXPECT_EQ(answer, expected) << c.what;
    Feed(module, {0x00}, 0);
    EXPECT_EQ(module.state(), ModuleProtocol::State::Running) << c.what;
    const auto& record = module.lastDownload();
    EXPECT_EQ(record.blocksWritten.count(), c.stored ? 1u : 0u) << c.what;
    const int block = c.packet[0] & 0x7F;
    if (c.stored) {
      for (int i = 0; i < 16; ++i) EXPECT_EQ(module.eeprom()[block * 16 + i], c.packet[1 + i]);
    } else {
      EXPECT_EQ(module.eeprom(), sim::Eeprom{}) << c.what;
    }
  }
}

TEST(ModuleProtocol, FaultsAtPacketK) {
  struct Case {
    FaultKind kind;
    Bytes statuses;  // status bytes seen for packets 1..4 (missing when silent)
    int accepted;
  };
  const Case cases[] = {
      {FaultKind::None, {0, 0, 0, 0}, 4},
      {FaultKind::StatusTwoAt, {0, 0, 2, 0}, 3},
      {FaultKind::GarbageAt, {0, 0, 0x5A, 0}, 3},
      {FaultKind::SilentAfter, {0, 0, 0}, 3},
  };
  for (const auto& c : cases) {
    RobotConfig config;
    config.fault = {c.kind, 3};
    ModuleProtocol module(config);
    Feed(module, kVD2Handshake);
    Bytes statuses;
    for (int k = 0; k < 4; ++k) {
      const Bytes answer = Feed(module, Packet(k, std::uint8_t(k)), 0);
      if (answer.size() == 19) statuses.push_back(answer.back());
      else EXPECT_TRUE(answer.empty());
    }
    EXPECT_EQ(statuses, c.statuses) << int(c.kind);
    EXPECT_EQ(module.lastDownload().packetsAccepted, c.accepted) << int(c.kind);
  }
}

TEST(ModuleProtocol, DeadAndWrongEchoModules) {
  RobotConfig dead;
  dead.fault.kind = FaultKind::NoAnswer;
  ModuleProtocol silent(dead);
  EXPECT_TRUE(Feed(silent, kVD2Handshake).empty());

  RobotConfig bent;
  bent.fault.kind = FaultKind::WrongEcho;
  ModuleProtocol wrong(bent);
  const Bytes answer = Feed(wrong, {0x56});
  ASSERT_EQ(answer.size(), 2u);
  EXPECT_NE(answer[0], 0x56);
}

TEST(ModuleProtocol, TestExchangeAfterDownload) {
  ModuleProtocol module;
  module.SetSensorByte(0x0B);
  Feed(module, Concat({kVD2Handshake, Packet(0, 1), {0x00}}));
  const Bytes command = {0xEE, 0x02, 0xEE, 0x02};
  EXPECT_EQ(Feed(module, command, 0), Concat({command, {0x0B}}));

  module.SetCommandHandler([](const sim::TestCommand& c) { return std::optional<std::uint8_t>(c[0] ^ c[2]); });
  EXPECT_EQ(Feed(module, {1, 2, 7, 4}, 0), Bytes({1, 2, 7, 4, 6}));
}

TEST(ModuleProtocol, PauseBeforeIdentificationByteRestarts) {
  struct Case {
    const char* what;
    Bytes before;  // sent first, then 'V' after `silence` ms
    int silence;
    bool restarts;
  };
  const Case cases[] = {
      {"after a download, long pause", Concat({kVD2Handshake, Packet(0, 1), {0x00}}), 60, true},
      {"in the test exchange, short pause", Concat({kVD2Handshake, Packet(0, 1), {0x00}}), 10, false},
      {"between packets", Concat({kVD2Handshake, Packet(0, 1)}), 60, true},
      {"mid packet, ordinary pause", Concat({kVD2Handshake, Bytes{0x80, 1, 1}}), 60, false},
      {"mid packet, abandoned", Concat({kVD2Handshake, Bytes{0x80, 1, 1}}), 400, true},
  };
  for (const auto& c : cases) {
    ModuleProtocol module;
    Feed(module, c.before);
    const Bytes answer = module.OnByte(0x56, c.silence);
    EXPECT_EQ(answer.size() == 2 && answer[1] == 0xAA, c.restarts) << c.what;
  }
}

TEST(ModuleProtocol, DownloadHookSeesTheFinishedDownload) {
  ModuleProtocol module;
  int calls = 0;
  sim::DownloadRecord seen;
  module.SetDownloadHook([&](const sim::DownloadRecord& r) {
    ++calls;
    seen = r;
  });
  Feed(module, Concat({kVD2Handshake, Packet(5, 9), Packet(6, 8), {0x00}}));
  EXPECT_EQ(calls, 1);
  EXPECT_TRUE(seen.allAccepted());
  EXPECT_EQ(seen.packetsReceived, 2);
  EXPECT_TRUE(seen.blocksWritten.test(5) && seen.blocksWritten.test(6));
  EXPECT_EQ(seen.eeprom[6 * 16], 8);
}

TEST(ModuleProtocol, FaultsThatDisturbTheByteCount) {
  struct Case {
    const char* what;
    FaultKind kind;
    Bytes answerToPacket3;  // what follows the 18 bytes of packet 3 (echo included)
    int lastByteDelayMs;
    int accepted;
  };
  const Bytes packet3 = Packet(2, 2);
  Bytes bentEcho = packet3;
  bentEcho[4] ^= 0x01;
  auto withTail = [](Bytes echo, Bytes tail) { return Concat({echo, tail}); };
  const Case cases[] = {
      {"stray zero, then status 2", FaultKind::StrayAfterEcho, withTail(packet3, {0x00, 2}), 0, 3},
      {"late status", FaultKind::LateStatusAt, withTail(packet3, {0}), 400, 4},
      {"one echo byte altered", FaultKind::EchoByteWrongAt, withTail(bentEcho, {0}), 0, 4},
  };
  for (const auto& c : cases) {
    RobotConfig config;
    config.fault = {c.kind, 3};
    ModuleProtocol module(config);
    Feed(module, kVD2Handshake);
    for (int k = 0; k < 2; ++k) EXPECT_EQ(Feed(module, Packet(k, std::uint8_t(k)), 0).size(), 19u) << c.what;
    Bytes answer;
    int delay = 0;
    for (std::uint8_t b : packet3) {
      const Bytes part = module.OnByte(b, 0);
      delay = std::max(delay, module.lastByteDelayMs());
      answer.insert(answer.end(), part.begin(), part.end());
    }
    EXPECT_EQ(answer, c.answerToPacket3) << c.what;
    EXPECT_EQ(delay, c.lastByteDelayMs) << c.what;
    EXPECT_EQ(Feed(module, Packet(3, 3), 0).size(), 19u) << c.what << ": the packet after is normal";
    EXPECT_EQ(module.lastDownload().packetsAccepted, c.accepted) << c.what;
  }
}

TEST(ModuleProtocol, HangUpAfterTheHandshake) {
  RobotConfig config;
  config.fault.kind = FaultKind::HangUpAfterHandshake;
  ModuleProtocol module(config);
  EXPECT_EQ(Feed(module, kVD2Handshake), Bytes({0x56, 0xAA, 0x44, 0xBC, 0x32, 0xCE, 0x00, 0x10}));
  EXPECT_FALSE(module.hungUp());
  EXPECT_TRUE(Feed(module, {0x56}, kLongPause).empty()) << "not even an echo";
  EXPECT_TRUE(module.hungUp());
  EXPECT_TRUE(Feed(module, kVD2Handshake).empty());
}
