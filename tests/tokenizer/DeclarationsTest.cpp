// Declarations: variable allocation, CON and PIN values, the DATA image and the packets.

#include <gtest/gtest.h>

#include "CompileSupport.h"

using namespace vd2test;

namespace {

int SymbolValue(const tok::Tokenizer& t, const char* name) {
  const int i = t.SymbolTable.Find(name);
  return i < 0 ? -1 : static_cast<uint16_t>(t.SymbolTable.Records[i].Value);
}

struct SymbolCase {
  const char* Body;
  const char* Name;
  int Value;  // size * 256 + cell for variables
};

const SymbolCase SymbolCases[] = {
    {"x VAR WORD\ny VAR BYTE\nz VAR BIT\nEND\n", "X", 3 * 256 + 3},
    {"x VAR WORD\ny VAR BYTE\nz VAR BIT\nEND\n", "Y", 2 * 256 + 8},
    {"x VAR WORD\ny VAR BYTE\nz VAR BIT\nEND\n", "Z", 72},
    {"b VAR BIT\nn VAR NIB\nw VAR WORD(2)\nc VAR BYTE\nEND\n", "W", 3 * 256 + 3},
    {"b VAR BIT\nn VAR NIB\nw VAR WORD(2)\nc VAR BYTE\nEND\n", "C", 2 * 256 + 10},
    {"b VAR BIT\nn VAR NIB\nw VAR WORD(2)\nc VAR BYTE\nEND\n", "N", 1 * 256 + 22},
    {"b VAR BIT\nn VAR NIB\nw VAR WORD(2)\nc VAR BYTE\nEND\n", "B", 92},
    {"h VAR W0.HIGHBYTE\nEND\n", "H", 2 * 256 + 7},
    {"h VAR INS.HIGHNIB\nEND\n", "H", 1 * 256 + 3},
    {"h VAR W1.HIGHBYTE.BIT7\nEND\n", "H", 79},
    {"k VAR BYTE\nh VAR k.HIGHNIB\nEND\n", "H", 1 * 256 + 13},  // alias of a variable allocated in pass 1
    {"A CON B + 1\nB CON 5\nEND\n", "A", 6},
    {"A CON 10 + 2 * 3\nEND\n", "A", 36},
    {"p PIN q\nq CON 4\nEND\n", "P", 4},
    {"t DATA 1, 2\nu DATA 3\nEND\n", "U", 2},
    {"t DATA @ 100, 5\nEND\n", "T", 100},
    {"DATA 1\nt DATA\nu DATA WORD 1, (3)\nv DATA 0\nEND\n", "V", 6},
};

TEST(Declarations, SymbolValues) {
  for (const SymbolCase& c : SymbolCases) {
    SCOPED_TRACE(std::string(c.Body) + " " + c.Name);
    const Result r = Compile(Program(c.Body));
    ASSERT_TRUE(r.Ok) << r.Error;
    EXPECT_EQ(SymbolValue(*r.T, c.Name), c.Value);
  }
}

TEST(Declarations, VariableCountsPerSize) {
  const Result r = Compile(Program("a VAR BIT(3)\nb VAR NIB\nc VAR BYTE(2)\nd VAR WORD\ne VAR d\nEND\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const uint8_t* counts = r.T->TokenizeResult.VarCounts;
  EXPECT_EQ(counts[0], 3);
  EXPECT_EQ(counts[1], 1);
  EXPECT_EQ(counts[2], 2);
  EXPECT_EQ(counts[3], 1);
}

TEST(Declarations, ThirteenWordsFillTheVariableSpace) {
  EXPECT_TRUE(Compile(Program("a VAR WORD(13)\nEND\n")).Ok);
  EXPECT_TRUE(Compile(Program("a VAR WORD(12)\nb VAR BYTE\nc VAR NIB(2)\nEND\n")).Ok);
  EXPECT_FALSE(Compile(Program("a VAR WORD(12)\nb VAR BYTE\nc VAR NIB(2)\nd VAR BIT\nEND\n")).Ok);
}

struct ImageCase {
  const char* Body;
  int Address;
  std::vector<int> Bytes;  // image bytes from Address on
  std::vector<int> Flags;  // use bits of the same bytes
};

const ImageCase ImageCases[] = {
    {"DATA 1, 2, WORD 513\nEND\n", 0, {1, 2, 1, 2}, {2, 2, 2, 2}},
    {"DATA (2), 7(3)\nEND\n", 0, {0, 0, 7, 7, 7}, {1, 1, 2, 2, 2}},
    {"DATA WORD (2)\nEND\n", 0, {0, 0, 0, 0, 0}, {1, 1, 1, 1, 0}},
    {"DATA \"AB\", 0\nEND\n", 0, {65, 66, 0}, {2, 2, 2}},
    {"DATA @ 10, 5, @ 3, 6\nEND\n", 3, {6, 0, 0, 0, 0, 0, 0, 5}, {2, 0, 0, 0, 0, 0, 0, 2}},
    {"DATA 1(0), 9\nEND\n", 0, {9, 0}, {2, 0}},
    {"n CON 3\nDATA n + later\nlater CON 4\nEND\n", 0, {7}, {2}},
};

TEST(Declarations, DataImage) {
  for (const ImageCase& c : ImageCases) {
    SCOPED_TRACE(c.Body);
    const Result r = Compile(Program(c.Body));
    ASSERT_TRUE(r.Ok) << r.Error;
    const auto& tr = r.T->TokenizeResult;
    for (size_t i = 0; i < c.Bytes.size(); ++i) {
      EXPECT_EQ(tr.EEPROM[c.Address + i], c.Bytes[i]) << "byte " << c.Address + i;
      EXPECT_EQ(tr.EEPROMFlags[c.Address + i] & 3, c.Flags[i]) << "flag " << c.Address + i;
    }
  }
}

TEST(Declarations, DeclarationLinesLeaveNoStatement) {
  // Declarations after a label and a colon leave the label on its own.
  const Result r = Compile(Program("start: x CON 5\ny VAR BYTE : z VAR BYTE\nHIGH x\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(CodeBits(*r.T, 14), PushC(5) + Tok(5) + Tok(0));
}

// ---- packets ----------------------------------------------------------------------------------

std::vector<std::vector<int>> Packets(const tok::Tokenizer& t) {
  std::vector<std::vector<int>> out;
  const auto& tr = t.TokenizeResult;
  for (int p = 0; p < tr.PacketCount; ++p)
    out.emplace_back(tr.PacketBuffer + 18 * p, tr.PacketBuffer + 18 * p + 18);
  return out;
}

TEST(Packets, ReservedOnlyBlocksAreNotSent) {
  const Result r = Compile(Program("DATA @ 16, (16)\nDATA @ 40, 9\nHIGH 1\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const auto packets = Packets(*r.T);
  ASSERT_EQ(packets.size(), 2u);
  EXPECT_EQ(packets[0][0], 0x82);
  EXPECT_EQ(packets[0][1 + 8], 9);
  EXPECT_EQ(packets[1][0], 0xFF);
  for (const auto& p : packets) {
    int sum = 0;
    for (int b : p) sum += b;
    EXPECT_EQ(sum % 256, 0);
  }
  // Every packed byte is marked, the reserved block is not.
  const auto& flags = r.T->TokenizeResult.EEPROMFlags;
  EXPECT_EQ(flags[16] & 0x80, 0);
  EXPECT_EQ(flags[32] & 0x80, 0x80);
  EXPECT_EQ(flags[2047] & 0x80, 0x80);
}

TEST(Packets, OneCodeByteSendsItsWholeBlock) {
  // HIGH 5 and END: 38 bits from position 0, so bytes 2043..2047 (worked out by hand).
  const Result r = Compile(Program("HIGH 5\n", 2, "2.0"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const auto packets = Packets(*r.T);
  ASSERT_EQ(packets.size(), 1u);
  const std::vector<int> expected = {0xFF, 0, 0, 0,    0,    0,    0,    0,    0,
                                     0,    0, 0, 0x00, 0x0A, 0x15, 0x07, 0xC0, 0x1B};
  EXPECT_EQ(packets[0], expected);
}

TEST(Packets, DataFarApartGivesTwoPacketsInOrder) {
  const Result r = Compile(Program("DATA @ 1000, 1\nDATA @ 5, 2\nEND\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const auto packets = Packets(*r.T);
  ASSERT_EQ(packets.size(), 3u);
  EXPECT_EQ(packets[0][0], 0x80);
  EXPECT_EQ(packets[1][0], 0x80 + 1000 / 16);
  EXPECT_EQ(packets[2][0], 0xFF);
}

TEST(Packets, DataOnlyProgramStillCompiles) {
  const Result r = Compile(Program("DATA 1\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  EXPECT_EQ(r.T->TokenizeResult.PacketCount, 1);
  EXPECT_EQ(r.T->CodeBitPos, 14);  // no statement: no END, field 0 left empty
}

TEST(Packets, NothingToTokenize) {
  const Result r = Compile(Program("x VAR BYTE\n' only a comment\n"));
  EXPECT_EQ(r.Error, "157-Nothing to tokenize");
  EXPECT_EQ(r.Start, 0);
  EXPECT_EQ(r.Length, 0);
}

}  // namespace
