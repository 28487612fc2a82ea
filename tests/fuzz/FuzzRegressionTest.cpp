// Every input a fuzz target once failed on is kept under fuzz/regressions/<target>/ and must
// pass that target's check for good; real programs and files must pass them too.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "Checks.h"
#include "actions/FileFormat.h"
#include "tokenizer/Tokenizer.h"
#ifdef ROVALIS_FUZZ_LINK
#include "CommChecks.h"
#endif

namespace fs = std::filesystem;
using Check = std::function<std::string(fuzz::Bytes)>;

namespace {

std::vector<std::uint8_t> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::vector<std::uint8_t> WithPrefix(std::uint8_t first, const std::vector<std::uint8_t>& rest) {
  std::vector<std::uint8_t> bytes = {first};
  bytes.insert(bytes.end(), rest.begin(), rest.end());
  return bytes;
}

const std::map<std::string, Check>& ChecksByTarget() {
  static const std::map<std::string, Check> checks = {
      {"tokenize", fuzz::CheckTokenize},
      {"rvl", fuzz::CheckRvlLoad},
      {"module_protocol", fuzz::CheckModuleProtocol},
      {"machine", fuzz::CheckMachine},
#ifdef ROVALIS_FUZZ_LINK
      {"link", fuzz::CheckIdentifyAndDownload},
#endif
  };
  return checks;
}

const fs::path kRegressions = fs::path(ROVALIS_FUZZ_DIR) / "regressions";
const fs::path kRobotProgram = fs::path(ROVALIS_SOURCE_DIR) / "resources/programs/robot.bas";

}  // namespace

TEST(FuzzRegressions, EveryKeptInputPassesItsTargetsCheck) {
  int replayed = 0;
  for (const auto& [target, check] : ChecksByTarget()) {
    const fs::path folder = kRegressions / target;
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::directory_iterator(folder)) {
      if (!entry.is_regular_file() || entry.path().extension() == ".md") continue;
      EXPECT_EQ(check(ReadBytes(entry.path())), "") << entry.path();
      ++replayed;
    }
  }
  EXPECT_GT(replayed, 0) << "no kept inputs found under " << kRegressions;
}

TEST(FuzzRegressions, EveryFolderNamesATarget) {
  for (const auto& entry : fs::directory_iterator(kRegressions)) {
    if (!entry.is_directory()) continue;
    const std::string name = entry.path().filename().string();
    if (name == "link") continue;  // needs the communication library, absent without the GUI
    EXPECT_TRUE(ChecksByTarget().count(name)) << name;
  }
}

// The robot program under every module type and every combination of the mode bits.
TEST(FuzzChecks, TheRobotProgramPassesUnderEveryMode) {
  const std::vector<std::uint8_t> program = ReadBytes(kRobotProgram);
  ASSERT_FALSE(program.empty());
  for (int mode = 0; mode < 64; ++mode) EXPECT_EQ(fuzz::CheckTokenize(WithPrefix(std::uint8_t(mode), program)), "") << mode;
}

TEST(FuzzChecks, SavedDocumentsAndDamagedOnesPassTheLoaderCheck) {
  actions::ListDocument doc;
  doc.List(1)[1] = actions::StepRecord{2, 30, 0, 0, 0};
  for (bool advanced : {false, true}) {
    const actions::DocumentBytes saved = actions::SaveDocument(doc, advanced);
    std::vector<std::uint8_t> bytes(saved.begin(), saved.end());
    EXPECT_EQ(fuzz::CheckRvlLoad(WithPrefix(advanced, bytes)), "");
    // Cut short, a wrong header, a kind above 7 at each list's first step.
    EXPECT_EQ(fuzz::CheckRvlLoad(WithPrefix(advanced, std::vector<std::uint8_t>(bytes.begin(), bytes.end() - 1))), "");
    std::vector<std::uint8_t> header = bytes;
    header[3] ^= 0x20;
    EXPECT_EQ(fuzz::CheckRvlLoad(WithPrefix(advanced, header)), "");
    for (int list = 0; list < actions::kListCount; ++list) {
      std::vector<std::uint8_t> kind = bytes;
      kind[actions::kListsOffset + list * actions::kListBytes + actions::kStepRecordSize] = 9;
      EXPECT_EQ(fuzz::CheckRvlLoad(WithPrefix(advanced, kind)), "") << list;
    }
  }
}

TEST(FuzzChecks, TheCompiledRobotProgramRunsThroughDecoderAndInterpreter) {
  auto t = std::make_unique<tok::Tokenizer>();
  const std::vector<std::uint8_t> program = ReadBytes(kRobotProgram);
  ASSERT_TRUE(t->SetSource(std::string(program.begin(), program.end())));
  ASSERT_TRUE(t->Tokenize(false, true, false));
  const std::uint8_t* image = t->TokenizeResult.EEPROM;
  std::vector<std::uint8_t> bytes(image, image + tok::EEPROMSize);
  EXPECT_EQ(fuzz::CheckMachine(bytes), "");
  // With serial and pin input behind the image.
  bytes.insert(bytes.end(), {0x41, 0x81, 0x0D, 0x00, 0xFF});
  EXPECT_EQ(fuzz::CheckMachine(bytes), "");
}

TEST(FuzzChecks, AWholeDownloadOnTheVirtualModuleSide) {
  // Module VD2, version 1.0; the handshake after a pause, one good packet, the closing zero
  // and a test command.
  std::vector<std::uint8_t> wire = {0, 0x10};
  auto send = [&](std::uint8_t byte, std::uint8_t silence) { wire.insert(wire.end(), {silence, byte}); };
  send('V', 25);
  send('D', 0);
  send('2', 0);
  send(0, 0);
  std::vector<std::uint8_t> packet(18, 0x11);
  packet[0] = 0x85;
  unsigned sum = 0;
  for (int i = 0; i < 17; ++i) sum += packet[i];
  packet[17] = std::uint8_t(-sum);
  for (std::uint8_t b : packet) send(b, 0);
  send(0, 0);
  for (std::uint8_t b : {1, 2, 3, 4}) send(b, 1);
  EXPECT_EQ(fuzz::CheckModuleProtocol(wire), "");
}

#ifdef ROVALIS_FUZZ_LINK
TEST(FuzzChecks, TheScriptedLinkPassesWithHealthyAndSilentModules) {
  // VD2 with three packets: handshake answered twice (identification and download), every
  // packet echoed and acknowledged.
  std::vector<std::uint8_t> healthy = {std::uint8_t(0 | 3 << 3), 1};
  for (int round = 0; round < 2; ++round) {
    for (std::uint8_t b : {'V', 'D', '2'}) healthy.insert(healthy.end(), {2, b, std::uint8_t(256 - b)});
    healthy.insert(healthy.end(), {2, 0, 0x10});
  }
  for (int k = 0; k < 3; ++k) {
    // The echo of the check's packet k (block k, filled with k * 37, checksum), then status 0.
    std::vector<std::uint8_t> packet(18, std::uint8_t(k * 37));
    packet[0] = std::uint8_t(0x80 + k);
    unsigned sum = 0;
    for (int i = 0; i < 17; ++i) sum += packet[i];
    packet[17] = std::uint8_t(-sum);
    healthy.push_back(19);
    healthy.insert(healthy.end(), packet.begin(), packet.end());
    healthy.push_back(0);
  }
  EXPECT_EQ(fuzz::CheckIdentifyAndDownload(healthy), "");
  EXPECT_TRUE(fuzz::LastLinkOutcome().identified);
  EXPECT_TRUE(fuzz::LastLinkOutcome().downloaded);
  // The same module refusing the second packet with status 2.
  std::vector<std::uint8_t> refused = healthy;
  refused[refused.size() - 21] = 2;
  EXPECT_EQ(fuzz::CheckIdentifyAndDownload(refused), "");
  EXPECT_TRUE(fuzz::LastLinkOutcome().identified);
  EXPECT_FALSE(fuzz::LastLinkOutcome().downloaded);
  // Nobody answers: every read times out, the download reports one failure.
  for (std::uint8_t type = 0; type < 5; ++type) {
    EXPECT_EQ(fuzz::CheckIdentifyAndDownload(std::vector<std::uint8_t>{std::uint8_t(type | 16 << 3), 1}), "") << int(type);
    EXPECT_FALSE(fuzz::LastLinkOutcome().identified);
    EXPECT_FALSE(fuzz::LastLinkOutcome().downloaded);
  }
}
#endif
