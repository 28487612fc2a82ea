// The decoder reads back exactly what the compiler wrote: every corpus program decodes and
// re-encodes bit for bit, and single statements decode into the operands their source names.

#include <gtest/gtest.h>

#include <filesystem>

#include "VmTestSupport.h"

using namespace sim::vm;

namespace {

std::vector<std::string> ProgramFiles() {
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(ROVALIS_SOURCE_DIR "/tests/tokenizer/programs"))
    if (entry.path().extension() == ".bas") files.push_back(entry.path().string());
  files.push_back(ROVALIS_SOURCE_DIR "/resources/programs/robot.bas");
  files.push_back(ROVALIS_SOURCE_DIR "/resources/programs/test.bas");
  std::sort(files.begin(), files.end());
  return files;
}

int ImageBit(const Image& image, int p) { return (image[kImageSize - 1 - p / 8] >> (7 - p % 8)) & 1; }

TEST(VmDecoder, EveryCorpusProgramDecodesAndReencodesBitForBit) {
  const auto files = ProgramFiles();
  ASSERT_GE(files.size(), 10u);
  for (const std::string& file : files) {
    SCOPED_TRACE(file);
    const vmtest::Compiled c = vmtest::CompileSource(vmtest::ReadFile(file));
    ASSERT_TRUE(c.ok) << c.error;
    const Decoder decoder(c.image, c.module);
    const Decoder::Listing listing = decoder.DecodeAll(c.codeEnd);
    ASSERT_TRUE(listing.ok) << listing.error;
    ASSERT_FALSE(listing.statements.empty());

    Encoder encoder;
    for (int k = 0; k <= listing.gosubCount; ++k) encoder.Address(decoder.ReturnTableEntry(k));
    for (const Statement& s : listing.statements) encoder.Write(s, c.module);
    ASSERT_EQ(static_cast<int>(encoder.bits().size()), c.codeEnd);
    for (int p = 0; p < c.codeEnd; ++p) ASSERT_EQ(encoder.bits()[p], ImageBit(c.image, p)) << "bit " << p;

    // Following the jumps alone finds code up to the compiler's end (dead code may end earlier).
    const Decoder::Listing reached = decoder.DecodeAll();
    EXPECT_TRUE(reached.ok) << reached.error;
    EXPECT_LE(reached.codeEnd, c.codeEnd);
  }
}

TEST(VmDecoder, RobotProgramEndIsFoundWithoutTheCompilersRecord) {
  const vmtest::Compiled c = vmtest::CompileSource(vmtest::ReadFile(ROVALIS_SOURCE_DIR "/resources/programs/robot.bas"));
  ASSERT_TRUE(c.ok);
  // Only the closing END that the compiler adds after the last GOTO is out of reach.
  EXPECT_EQ(Decoder(c.image).DecodeAll().codeEnd, c.codeEnd - 7);
}

// The text of the first statement, without its bit address.
std::string FirstStatement(const std::string& body) {
  const vmtest::Compiled c = vmtest::CompileBody(body);
  if (!c.ok) return "compile error: " + c.error;
  const Decoder decoder(c.image);
  const DecodeResult r = decoder.DecodeAt(decoder.ReturnTableEntry(0));
  if (!r.ok) return "decode error: " + r.error;
  const std::string text = StatementText(r.statement);
  return text.substr(text.find_first_not_of(' ', text.find_first_not_of(' ') + std::to_string(r.statement.at).size()));
}

TEST(VmDecoder, StatementsDecodeIntoTheirOperands) {
  struct Case {
    const char* body;
    const char* expected;
  } cases[] = {
      {"HIGH 5", "HIGH 5"},
      {"x VAR WORD\nx = 2 + 3 * 4", "LET W3 := ((2 + 3) * 4)"},
      {"x VAR BYTE\nx = -5", "LET B6 := -5"},
      {"x VAR BYTE(4)\nx(2) = x(1) + 65535", "LET B6(2) := (B6(1) + 65535)"},
      {"PAUSE 0", "PAUSE 0"},
      {"PAUSE 1", "PAUSE 1"},
      {"PAUSE 16384", "PAUSE 16384"},
      {"x VAR WORD\nLOOKDOWN x, >= [10, 20], x", "LOOKDOWN W3 | #2 [10], [20]; -> W3"},
      {"x VAR WORD\nLOOKUP x, [1, x + 1], x", "LOOKUP W3 | [1], [(W3 + 1)]; -> W3"},
      {"x VAR WORD\nFOR x = 1 TO 9 STEP 2\nNEXT", "LET W3 := 1"},
      {"a:\nGOSUB a", "GOSUB | #1 @28"},
      {"x VAR BYTE\nDEBUG ? x", "SEROUT 84, 16 | [120], [32], [61], [32], [438, B6], [13];"},
      {"x VAR BYTE\nSERIN 16, 84, [x, DEC x, SKIP 2]", "SERIN 1, 84, 16 | {} -> B6, {438, 0} -> B6, {1024, 2};"},
      {"x VAR BYTE(4)\nSERIN 1, 84, [STR x\\4\\13, WAIT(\"OK\")]",
       "SERIN 1, 84, 1 | {13, 518, 4}, {75, 79, 3140, 2};"},
      {"x VAR BYTE\nSEROUT 1, 84, 5, [REP \"-\"\\3, HEX2 x]", "SEROUT 5, 84, 1 | [45, 1024, 3], [992, B6];"},
      {"x VAR WORD\nREAD 7, WORD x", "READ 7 | @45 -> W3"},
      {"x VAR WORD\nRANDOM x", "RANDOM W3 | -> W3"},
      {"x VAR BYTE\nBRANCH x, [a, b]\na:\nb:", "BRANCH B6 | @63, @63;"},
  };
  for (const Case& c : cases) EXPECT_EQ(FirstStatement(c.body), c.expected) << c.body;
}

TEST(VmDecoder, NextCarriesCounterStepStoreAndLoopAddress) {
  const vmtest::Compiled c = vmtest::CompileBody("x VAR WORD\nFOR x = 1 TO 9 STEP 2\nNEXT");
  ASSERT_TRUE(c.ok);
  const Decoder::Listing listing = Decoder(c.image).DecodeAll(c.codeEnd);
  ASSERT_TRUE(listing.ok) << listing.error;
  ASSERT_EQ(listing.statements.size(), 3u);  // LET, NEXT, END
  const Statement& next = listing.statements[1];
  EXPECT_EQ(next.op, OpNext);
  EXPECT_EQ(ExpressionText(next.pushes), "9, 1");
  ASSERT_EQ(next.fields.size(), 3u);
  EXPECT_EQ(ExpressionText(next.fields[0].tokens), "W3, 2");
  EXPECT_EQ(next.fields[2].position, listing.statements[1].at);
}

TEST(VmDecoder, BrokenImagesAreReportedNotRead) {
  Image image{};
  EXPECT_FALSE(Decoder(image).DecodeAll().ok);  // field 0 names no code
  // Field 0 -> bit 14; there a 0 bit and code 63, which no module has.
  Encoder e;
  e.Address(14);
  e.Bits(7, 63);
  Image bad{};
  for (size_t p = 0; p < e.bits().size(); ++p)
    if (e.bits()[p]) bad[kImageSize - 1 - p / 8] |= static_cast<uint8_t>(0x80 >> (p % 8));
  const Decoder::Listing listing = Decoder(bad).DecodeAll(21);
  EXPECT_FALSE(listing.ok);
  EXPECT_NE(listing.error.find("unknown instruction code 63"), std::string::npos) << listing.error;
  // An expression that never ends runs past the end of the EEPROM.
  Image ones;
  ones.fill(0xFF);
  EXPECT_FALSE(Decoder(ones).DecodeAt(100).ok);
}

}  // namespace
