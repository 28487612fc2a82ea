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
