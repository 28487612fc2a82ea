// Every VD1 instruction layout against bits worked out by hand from the layout table. Each
// program's statements start at code bit 19 and are followed by the closing END (11111).

#include <gtest/gtest.h>

#include "Vd1TestSupport.h"

namespace {

using vd1test::Binary;
using vd1test::CodeBits;
using vd1test::CompileText;
using vd1test::WithoutSpaces;

struct LayoutCase {
  const char* source;
  const char* statementBits;  // from bit 19 up to the closing END; spaces only for reading
};

// clang-format off
const LayoutCase kLayouts[] = {
    {"HIGH 1", "00000 100 1"},
    {"LOW B0", "00001 0 100010"},
    {"INPUT 7", "00010 101 0111"},
    {"OUTPUT 200", "00011 110 11001000"},
    {"TOGGLE 1000", "00100 111 0000001111101000"},
    {"REVERSE PIN3", "00101 0 000011"},
    {"PAUSE W1", "01111 0 110100"},
    {"PULSOUT 2, 150", "01000 101 0010 110 10010110"},
    {"PWM 1, 100, 5", "00110 100 1 110 01100100 101 0101"},
    {"POT 0, 50, B2", "00111 100 0 110 00110010 100100"},
    {"PULSIN 3, 1, W2", "01001 101 0011 100 1 110110"},
    {"RANDOM W0", "10000 110010"},
    // next = the position after the statement
    {"READ 5, B1", "01011 00000110000 101 0101 100011"},
    {"WRITE 3, 7", "01100 00000110001 101 0011 101 0111"},
    {"NAP 4", "11100 00000101010 101 0100"},
    {"SLEEP 60", "11101 00000101110 110 00111100"},
    {"Top: GOTO Top", "11001 00000010011"},
    {"RETURN", "11011"},
    {"END", "11111"},
    {"A: BRANCH B0, (A, A)", "11010 0 100010 00000010011 1 00000010011 0"},
    {"L: BUTTON 0, 1, 255, 10, B2, 1, L",
     "10001 100 0 100 1 110 11111111 101 1010 100100 100 1 00000010011"},
    // the variable goes before the list
    {"LOOKUP B0, (10, 20), B1", "10110 0 100010 100011 101 1010 1 110 00010100 0"},
    {"LOOKDOWN 3, (1, 3), B4", "01101 101 0011 100110 100 1 1 101 0011 0"},
    // each pair duration first
    {"SOUND 1, (100, 10, 50, 20)",
     "10010 100 1 101 1010 110 01100100 1 110 00010100 110 00110010 0"},
    {"SEROUT 0, N2400, (\"A\", #B0)", "10011 100 0 101 0100 110 01000001 0 1 0 100010 1 0"},
    {"SERIN 1, T2400, (\"A\"), #B0, B1",
     "10100 100 1 100 0 1 110 01000001 00001001000 0 1 100010 1 0 100011 0"},
    {"SERIN 1, 0, B0", "10100 100 1 100 0 0 0 100010 0"},
    {"SERIN 2, 4, (1, 2), B0", "10100 101 0010 101 0100 1 100 1 00001000111 1 101 0010 0 0 100010 0"},
    // FOR: start, variable; NEXT: step, variable, up, limit, start, loop position 34
    {"FOR B0 = 1 TO 10\nNEXT", "01010 100 1 100010  10111 100 1 100010 1 101 1010 100 1 00000100010"},
    // STEP -: down, start before limit; loop position 37
    {"FOR B0 = 10 TO 1 STEP -2\nNEXT B0",
     "01010 101 1010 100010  10111 101 0010 100010 0 101 1010 100 1 00000100101"},
    {"FOR W0 = 0 TO B1 STEP 3 : NEXT W0",
     "01010 100 0 110010  10111 101 0011 110010 1 0 100011 100 0 00000100010"},
    // right operand, left variable, index (+16 another follows, +8 OR)
    {"L: IF B0 < 5 AND B1 >= 3 OR W0 <> 2 THEN L",
     "11000 101 0101 100010 10001 101 0011 100011 11110 101 0010 110010 00011 00000010011"},
    {"L: IF B0 > B1 THEN L", "11000 0 100011 100010 00010 00000010011"},
    {"L: IF B0 = 0 THEN L", "11000 100 0 100010 00100 00000010011"},
    {"L: IF B0 <= 9 THEN L", "11000 101 1001 100010 00101 00000010011"},
    {"LET B0 = 5 + B1 * 2", "10101 101 0101 100010 0001 1 0 100011 0011 1 101 0010 0100 0"},
    {"W1 = 1000 MIN 10 MAX 300 // 7",
     "10101 111 0000001111101000 110100 0001 1 101 1010 1110 1 111 0000000100101100 1111 1 101 0111 "
     "0110 0"},
    // the repeated target is written once
    {"B0 = B0 + 5", "10101 101 0101 100010 0011 0"},
    {"B0 = B0", "10101 0 100010 100010 0001 0"},
    {"B2 =- B3", "10101 0 100101 100100 0000 0"},
    {"B2 = -B3", "10101 0 100101 100100 0000 0"},
    {"DEBUG B0", "11110 00000100011"},
    {"BSAVE", ""},
    {"REM HIGH 1 is not compiled", ""},
    {"EEPROM (1, 2)", ""},
};
// clang-format on

TEST(Vd1Layout, EveryInstructionMatchesItsHandWorkedBits) {
  for (const LayoutCase& c : kLayouts) {
    SCOPED_TRACE(c.source);
    const auto outcome = CompileText(c.source);
    ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
    const std::string expected = WithoutSpaces(c.statementBits);
    const int length = static_cast<int>(expected.size());
    EXPECT_EQ(CodeBits(outcome, 19, length), expected);
    EXPECT_EQ(CodeBits(outcome, 19 + length, 5), "11111");
    EXPECT_EQ(outcome.CodeBits, 19 + length + 5);
    EXPECT_EQ(CodeBits(outcome, 8, 11), Binary(outcome.CodeBits, 11));
  }
}

// A constant takes the smallest of its four classes.
TEST(Vd1Layout, ConstantClasses) {
  const struct {
    const char* value;
    const char* bits;
  } cases[] = {
      {"0", "100 0"},
      {"1", "100 1"},
      {"2", "101 0010"},
      {"15", "101 1111"},
      {"16", "110 00010000"},
      {"200", "110 11001000"},
      {"255", "110 11111111"},
      {"256", "111 0000000100000000"},
      {"65535", "111 1111111111111111"},
      {"65536", "100 0"},  // taken modulo 65536
      {"$1F", "110 00011111"},
      {"$ff", "110 11111111"},
      {"%101", "101 0101"},
      {"@12", "101 1100"},
      {"\"A\"", "110 01000001"},
      {"ON300", "101 1111"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.value);
    const auto outcome = CompileText(std::string("PAUSE ") + c.value);
    ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
    const std::string expected = WithoutSpaces(c.bits);
    EXPECT_EQ(CodeBits(outcome, 24, static_cast<int>(expected.size())), expected);
  }
}

// The index of every operator of an assignment chain.
TEST(Vd1Layout, AssignmentOperatorIndexes) {
  const struct {
    const char* op;
    int index;
  } cases[] = {{"-", 2}, {"+", 3},   {"*", 4},  {"**", 5},  {"//", 6}, {"/", 7},      {"&/", 8},
               {"&", 9}, {"|/", 10}, {"|", 11}, {"^/", 12}, {"^", 13}, {" MIN ", 14}, {" MAX ", 15}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.op);
    const auto outcome = CompileText(std::string("B0 = 1") + c.op + "2");
    ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
    // LET, 1, B0, '=', then 1, the operand 2, the index, 0
    const std::string expected =
        "10101"
        "1001"
        "100010"
        "0001"
        "1"
        "1010010" +
        Binary(c.index, 4) + "0";
    EXPECT_EQ(CodeBits(outcome, 19, static_cast<int>(expected.size())), expected);
  }
}

// The header byte is 255 - (code bits + 11 per GOSUB) / 8; the return table follows the code
// and holds each GOSUB's return position.
TEST(Vd1Layout, HeaderAndGosubReturnTable) {
  const auto outcome = CompileText("GOSUB Sub\nEND\nSub: RETURN\n");
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  // GOSUB 0000 Sub(44) ends at 39, END 39..43, Sub: RETURN 44..48, END 49..53.
  EXPECT_EQ(CodeBits(outcome, 19, 35), WithoutSpaces("01110 0000 00000101100 11111 11011 11111"));
  EXPECT_EQ(outcome.CodeBits, 54);
  EXPECT_EQ(CodeBits(outcome, 8, 11), Binary(54, 11));
  EXPECT_EQ(CodeBits(outcome, 54, 11), Binary(39, 11));
  EXPECT_EQ(outcome.EEPROM[255], 255 - (54 + 11) / 8);
  EXPECT_EQ(outcome.LowestCodeAddress, 247);
  EXPECT_EQ(outcome.GosubCount, 1);
}

TEST(Vd1Layout, SmallestProgramImageAndFlags) {
  // 11111011 00000100 00100000 10011111 1: header 251, table at 33, HIGH 1, END
  const auto outcome = CompileText("HIGH 1");
  ASSERT_TRUE(outcome.Success);
  const int expected[] = {0xFB, 0x04, 0x20, 0x9F, 0x80};
  for (int k = 0; k < 5; ++k) {
    EXPECT_EQ(outcome.EEPROM[255 - k], expected[k]) << k;
    EXPECT_EQ(outcome.EEPROMFlags[255 - k], 131) << k;
  }
  for (int address = 0; address <= 250; ++address) {
    EXPECT_EQ(outcome.EEPROM[address], 0) << address;
    EXPECT_EQ(outcome.EEPROMFlags[address], 128) << address;
  }
}

TEST(Vd1Layout, EepromDataRunsOnAndMarksItsBytes) {
  const auto outcome = CompileText("EEPROM 10, (1, 2)\nEEPROM (\"AB\")\nEEPROM 0, (300)\nHIGH 1\n");
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  EXPECT_EQ(outcome.EEPROM[0], 300 & 0xFF);
  EXPECT_EQ(outcome.EEPROM[10], 1);
  EXPECT_EQ(outcome.EEPROM[11], 2);
  EXPECT_EQ(outcome.EEPROM[12], 'A');
  EXPECT_EQ(outcome.EEPROM[13], 'B');
  for (int address : {0, 10, 11, 12, 13}) EXPECT_EQ(outcome.EEPROMFlags[address], 130) << address;
  EXPECT_EQ(outcome.EEPROMFlags[14], 128);
  EXPECT_EQ(outcome.EEPROM[255], 251);
}

TEST(Vd1Layout, ModuleBytesMarkTheCellsThatSymbolsAlias) {
  const auto outcome = CompileText(
      "SYMBOL flag = BIT3\nSYMBOL count = B13\nSYMBOL total = W6\nSYMBOL led = PIN2\n"
      "SYMBOL mask = DIRS\nSYMBOL limit = 10\nSYMBOL again = count\nSYMBOL first = B0\n");
  ASSERT_TRUE(outcome.Success) << outcome.ErrorText;
  const uint32_t cells = (1u << 3) | (1u << (16 + 13)) | (1u << 16);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(outcome.ModuleBytes[i], (cells >> (8 * i)) & 0xFF) << i;
  EXPECT_EQ(outcome.ModuleBytes[4], 1 << 6);
  ASSERT_EQ(outcome.Symbols.size(), 8u);
  EXPECT_EQ(outcome.Symbols[6].name, "AGAIN");
  EXPECT_EQ(outcome.Symbols[6].kind, tok::vd1::KVariable);
  EXPECT_EQ(outcome.Symbols[6].value, 47);
  EXPECT_EQ(outcome.Symbols[5].kind, tok::vd1::KConstant);
}

TEST(Vd1Layout, SymbolNamesCompileAsWhatTheyAlias) {
  const auto aliased = CompileText("SYMBOL led = 3\nSYMBOL count = b2\nHIGH led\ncount = count + 1");
  const auto plain = CompileText("REM\nREM\nHIGH 3\nB2 = B2 + 1");
  ASSERT_TRUE(aliased.Success) << aliased.ErrorText;
  ASSERT_TRUE(plain.Success) << plain.ErrorText;
  EXPECT_EQ(aliased.EEPROM, plain.EEPROM);
}

}  // namespace
