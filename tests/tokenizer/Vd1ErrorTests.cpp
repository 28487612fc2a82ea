// Every error of the VD1 compiler, with the element it marks (the last element read).

#include <gtest/gtest.h>

#include <string>

#include "Vd1TestSupport.h"

namespace {

using vd1test::CompileText;

struct ErrorCase {
  std::string source;
  const char* text;
  int start;
  int length;
};

std::string Repeat(const std::string& line, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += line;
  return out;
}

std::string ManyLabels(int count) {
  std::string out;
  for (int i = 0; i < count; ++i) out += "L" + std::to_string(i) + ":\n";
  return out;
}

const ErrorCase kErrors[] = {
    {"HIGH 1\n+", "149-Expected a label, variable, or instruction", 7, 1},
    {"HIGH 1\n5", "149-Expected a label, variable, or instruction", 7, 1},
    {"FOR B0 = 1 TO 2\nNEXT B1", "233-Incorrect variable after 'NEXT'", 21, 2},
    {"FOR B0 = 1 TO 2\nNEXT 3", "233-Incorrect variable after 'NEXT'", 21, 1},
    {"SYMBOL X 5", "150-Expected '='", 9, 1},
    {"B0 + 1", "150-Expected '='", 3, 1},
    {"FOR B0 TO 1", "150-Expected '='", 7, 2},
    {"Loop\nGOTO Loop", "174-Label is missing ':'", 4, 1},
    {"Start HIGH 1", "174-Label is missing ':'", 6, 4},
    {"HIGH " + std::string(33, 'A'), "106-Symbol exceeds 32 characters", 5, 33},
    {"EEPROM (B0)", "112-Expected a constant", 8, 2},
    {"HIGH (", "234-Expected a constant or variable", 5, 1},
    {"SYMBOL X = Y", "234-Expected a constant or variable", 11, 1},
    {"L: IF 5 = B0 THEN L", "135-Expected a variable", 6, 1},
    {"RANDOM 5", "135-Expected a variable", 7, 1},
    {"NEXT", "132-'NEXT' must be preceded by 'FOR'", 0, 4},
    {"SERIN 1, 0, 5", "235-Expected '(', '#' or a variable", 12, 1},
    {"GOTO B0", "148-Expected a label", 5, 2},
    {"DEBUG \"" + std::string(1018, 'x') + "\"", "236-DEBUG buffer full", 1024, 1},
    {"GOTO Nowhere", "110-Undefined symbol", 5, 7},
    {"HIGH X", "110-Undefined symbol", 5, 1},
    {"S: RETURN\n" + Repeat("GOSUB S\n", 16), "237-Limit of 16 GOSUBs was exceeded", 130, 5},
    {"L: IF B0 = 1 GOTO L", "238-Expected 'AND', 'OR', or 'THEN'", 13, 4},
    {"PULSOUT 1 2", "133-Expected ','", 10, 1},
    {"A: BRANCH B0, A", "119-Expected '('", 14, 1},
    {"LOOKUP B0, (1 2), B1", "239-Expected ',' or ')'", 14, 1},
    {"A:\nA:", "123-Symbol is already defined", 3, 1},
    {"DEBUG \"a\tb\"", "240-Illegal text character", 8, 1},
    {"SYMBOL B0 = 5", "241-Symbol name invalid or already defined", 7, 2},
    {"SYMBOL X = 1\nSYMBOL X = 2", "241-Symbol name invalid or already defined", 20, 1},
    {Repeat("PAUSE 1000\n", 90), "127-EEPROM full", 930, 4},
    {Repeat("FOR B0 = 1 TO 2\n", 9), "242-Limit of 8 nested FOR-NEXT loops was exceeded", 128, 3},
    {"EEPROM 251, (1)\nHIGH 1", "124-Data occupies same location as program", 13, 1},
    {ManyLabels(257), "128-Symbol table full", static_cast<int>(ManyLabels(256).size()), 4},
    {"DEBUG 5", "243-Expected a variable, text, or DEBUG command", 6, 1},
    {"DEBUG #5", "243-Expected a variable, text, or DEBUG command", 7, 1},
    {"HIGH 1 ?", "103-Unrecognized character", 7, 1},
    {"HIGH {", "103-Unrecognized character", 5, 1},
    {"HIGH 1 2", "129-Expected ':' or end-of-line", 7, 1},
    {"BSAVE 1", "129-Expected ':' or end-of-line", 6, 1},
    {"DEBUG B0 B1", "130-Expected ',', end-of-line, or ':'", 9, 2},
    {"SERIN 1, 0, B0 B1", "130-Expected ',', end-of-line, or ':'", 15, 2},
    {"B0 = 1 2", "244-Expected an operator, end-of-line, or ':'", 7, 1},
    {"B0 = 1 = 2", "245-Expected an operator", 7, 1},
    {"B0 = 1 < 2", "245-Expected an operator", 7, 1},
    {"L: IF B0 + 1 THEN L", "245-Expected an operator", 9, 1},
    {"FOR B0 = 1 10", "152-Expected 'TO'", 11, 2},
};

TEST(Vd1Errors, EachErrorTextAndTheElementItMarks) {
  for (const ErrorCase& c : kErrors) {
    SCOPED_TRACE(c.source.substr(0, 60));
    const auto outcome = CompileText(c.source);
    EXPECT_FALSE(outcome.Success);
    EXPECT_EQ(outcome.ErrorText, c.text);
    EXPECT_EQ(outcome.ErrorStart, c.start);
    EXPECT_EQ(outcome.ErrorLength, c.length);
  }
}

// The limits themselves are allowed: one less than the failing count compiles.
TEST(Vd1Errors, LimitsHold) {
  const std::string ok[] = {
      "S: RETURN\n" + Repeat("GOSUB S\n", 15),
      Repeat("FOR B0 = 1 TO 2\n", 8) + Repeat("NEXT\n", 8),
      "DEBUG \"" + std::string(1017, 'x') + "\"",
      ManyLabels(256),
      "EEPROM 250, (1)\nHIGH 1",
      "SYMBOL " + std::string(32, 'A') + " = 1\nHIGH " + std::string(32, 'a'),
  };
  for (const std::string& source : ok) {
    SCOPED_TRACE(source.substr(0, 60));
    const auto outcome = CompileText(source);
    EXPECT_TRUE(outcome.Success) << outcome.ErrorText << " at " << outcome.ErrorStart;
  }
}

// 84 PAUSE statements and END fill 255 of the 256 bytes exactly; the header's formula,
// 255 - 2040 / 8, names address 0.
TEST(Vd1Errors, FullestProgramStillFits) {
  const auto outcome = CompileText(Repeat("PAUSE 1000\n", 84));
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  EXPECT_EQ(outcome.CodeBits, 2040);
  EXPECT_EQ(outcome.EEPROM[255], 0);
  EXPECT_EQ(outcome.EEPROMFlags[1], 131);
  EXPECT_EQ(outcome.EEPROMFlags[0], 128);
}

// Code of exactly 2048 bits uses address 0 too. 255 - 2048 / 8 does not fit the header byte
// (its low byte would claim that only address 255 is code and let data overwrite the program),
// so the header holds 0 and no data fits.
TEST(Vd1Errors, FullImageLeavesNoRoomForData) {
  const std::string program = Repeat("PAUSE 1000\n", 83) + "PWM 1, 1000, 1\n";
  const auto full = CompileText(program);
  ASSERT_TRUE(full.Success) << full.ErrorText;
  EXPECT_EQ(full.CodeBits, 2048);
  EXPECT_EQ(full.EEPROM[255], 0);
  EXPECT_EQ(full.EEPROMFlags[0], 131);
  const auto withData = CompileText("EEPROM 0, (1)\n" + program);
  EXPECT_EQ(withData.ErrorText, "124-Data occupies same location as program");
  EXPECT_EQ(CompileText(program + "HIGH 1").ErrorText, "127-EEPROM full");
}

// The GOSUB return table needs room after the code as well: 2041 bits of code and 11 of table
// do not fit, 2017 and 11 do.
TEST(Vd1Errors, ReturnTableMustFitAfterTheCode) {
  const auto tight = CompileText("S: RETURN\nGOSUB S\n" + Repeat("PAUSE 1000\n", 83));
  EXPECT_EQ(tight.ErrorText, "127-EEPROM full");
  const auto fits = CompileText("S: RETURN\nGOSUB S\n" + Repeat("PAUSE 1000\n", 82));
  ASSERT_TRUE(fits.Success) << fits.ErrorText;
  EXPECT_EQ(fits.CodeBits, 2017);
  EXPECT_EQ(fits.EEPROM[255], 255 - (2017 + 11) / 8);
}

// A failed compilation leaves nothing behind: blank image, no symbols, no module bytes.
TEST(Vd1Errors, FailureAbandonsEverything) {
  const auto outcome = CompileText("SYMBOL x = B1\nHIGH 1\nGOTO nowhere");
  ASSERT_FALSE(outcome.Success);
  EXPECT_EQ(outcome.ErrorText, "110-Undefined symbol");
  EXPECT_TRUE(outcome.Symbols.empty());
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(outcome.EEPROM[i], 0);
    EXPECT_EQ(outcome.EEPROMFlags[i], 128);
  }
  for (uint8_t b : outcome.ModuleBytes) EXPECT_EQ(b, 0);
  EXPECT_EQ(outcome.DebugCount, 0);
}

// Labels may be used before their line; the first pass measures, the second resolves.
TEST(Vd1Errors, ForwardLabelsResolveInTheSecondPass) {
  const auto outcome = CompileText("GOTO Later\nHIGH 1\nLater: LOW 1");
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  // GOTO 19..34, HIGH 1 35..43, Later = 44
  EXPECT_EQ(vd1test::CodeBits(outcome, 24, 11), vd1test::Binary(44, 11));
}

}  // namespace
