// The summary line, the Intel HEX text and the block map of a finished compilation.

#include <gtest/gtest.h>

#include "CompileSupport.h"
#include "tokenizer/ImageReport.h"

using namespace vd2test;

namespace {

TEST(ImageReport, SummaryCountsCodeDataAndVariables) {
  const Result r = Compile(Program("x VAR WORD\ny VAR BIT(2)\nDATA (3), 1\nHIGH 5\n", 4));
  ASSERT_TRUE(r.Ok) << r.Error;
  // HIGH 5 and END are 38 bits: 5 bytes.
  EXPECT_EQ(
      tok::Summary(r.T->TokenizeResult),
      "VD2SX, Tessic 2.5: 5 code bytes, 4 data bytes, 2039 free bytes, 2 packets, variables: 2 bits, 0 nibs, "
      "0 bytes, 1 words");
}

TEST(ImageReport, IntelHexRecordsOfTheDownloadedBlocks) {
  const Result r = Compile(Program("DATA @ 16, 1, 2\nDATA @ 40, (4)\nHIGH 5\n", 2, "2.0"));
  ASSERT_TRUE(r.Ok) << r.Error;
  // Record: length 16, address 0x0010, type 0, the bytes, two's complement checksum.
  const std::string hex = tok::IntelHex(r.T->TokenizeResult);
  EXPECT_EQ(hex,
            ":1000100001020000000000000000000000000000DD\n"
            ":1007F0000000000000000000000000000A1507C013\n"
            ":00000001FF\n");
}

struct MapCase {
  const char* Body;
  int Block;
  tok::BlockUse Use;
};

const MapCase MapCases[] = {
    {"DATA 1\nEND\n", 0, tok::BlockUse::Data},           {"DATA (1)\nEND\n", 0, tok::BlockUse::Reserved},
    {"DATA (1)\nEND\n", 1, tok::BlockUse::Empty},        {"DATA @ 2031, 1\nEND\n", 126, tok::BlockUse::Data},
    {"DATA @ 2031, 1\nEND\n", 127, tok::BlockUse::Code}, {"DATA (1), 2\nEND\n", 0, tok::BlockUse::Data},
};

TEST(ImageReport, BlockClasses) {
  for (const MapCase& c : MapCases) {
    SCOPED_TRACE(c.Body);
    const Result r = Compile(Program(c.Body));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(tok::BlockClass(r.T->TokenizeResult, c.Block), c.Use);
  }
  const Result r = Compile(Program("DATA 1\nEND\n"));
  const std::string map = tok::BlockMap(r.T->TokenizeResult);
  EXPECT_NE(map.find("  0000  D..............................."), std::string::npos);
  EXPECT_NE(map.find("  0600  ...............................C"), std::string::npos);
}

}  // namespace
