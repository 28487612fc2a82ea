// The program corpus: every .bas file under programs/ compiles to exactly the packets of the
// .pkt file beside it (one packet per line, hex bytes), and no address field is written twice.

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "CompileSupport.h"
#include "tokenizer/StatementCode.h"

using namespace vd2test;

namespace {

const std::filesystem::path Corpus = std::filesystem::path(ROVALIS_SOURCE_DIR) / "tests/tokenizer/programs";

std::string ReadFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

std::string PacketText(const tok::ResultRecord& r) {
  std::string out;
  for (int p = 0; p < r.PacketCount; ++p) {
    for (int i = 0; i < 18; ++i) {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%02X", r.PacketBuffer[18 * p + i]);
      out += (i ? " " : "") + std::string(hex);
    }
    out += '\n';
  }
  return out;
}

TEST(Corpus, EveryProgramGivesItsGoldenPackets) {
  int programs = 0;
  for (const auto& entry : std::filesystem::directory_iterator(Corpus)) {
    if (entry.path().extension() != ".bas") continue;
    ++programs;
    SCOPED_TRACE(entry.path().filename().string());
    std::filesystem::path golden = entry.path();
    golden.replace_extension(".pkt");
    ASSERT_TRUE(std::filesystem::exists(golden));
    const int before = tok::code::FieldsPatchedTwice();
    const Result r = Compile(ReadFile(entry.path()));
    ASSERT_TRUE(r.Ok) << r.Error << " at " << r.Start;
    EXPECT_EQ(PacketText(r.T->TokenizeResult), ReadFile(golden));
    EXPECT_EQ(tok::code::FieldsPatchedTwice(), before);
  }
  EXPECT_GE(programs, 12);
}

}  // namespace

namespace {

// The application keeps one tokenizer for the whole run: nothing of an earlier compilation,
// good or failed, may change the next one.
TEST(Corpus, ATokenizerCompilesAgainAfterAnyOutcome) {
  const std::string first = ReadFile(Corpus / "c03_robot_explorer.bas");
  const std::string second = ReadFile(Corpus / "c01_every_instruction.bas");
  const std::string failing = Program("x VAR WORD(13)\nFOR x = 1 TO 2\nDO\nSELECT x\nCASE 1\nGOSUB nowhere\n");
  auto fresh = Compile(second);
  ASSERT_TRUE(fresh.Ok);

  auto t = std::make_unique<tok::Tokenizer>();
  for (const std::string* source : {&first, &failing, &second}) {
    t->SetSource(*source);
    t->Tokenize(false, true, false);
  }
  ASSERT_TRUE(t->TokenizeResult.Success);
  EXPECT_EQ(PacketText(t->TokenizeResult), PacketText(fresh.T->TokenizeResult));
  EXPECT_EQ(std::string(reinterpret_cast<const char*>(t->TokenizeResult.EEPROMFlags), 2048),
            std::string(reinterpret_cast<const char*>(fresh.T->TokenizeResult.EEPROMFlags), 2048));
  EXPECT_EQ(t->TokenizeResult.VarCounts[3], fresh.T->TokenizeResult.VarCounts[3]);
}

}  // namespace
