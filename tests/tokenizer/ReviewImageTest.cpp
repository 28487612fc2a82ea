// Declarations and the image: symbol values of VAR, CON, PIN and DATA names, the data bytes with
// their flags, and the download packets cut from the image.

#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "CompileSupport.h"

namespace {

using namespace vd2test;

struct SymbolCase {
  const char* Name;
  const char* Body;
  std::vector<std::pair<const char*, int>> Values;  // name, symbol value
};

// Test listings show the case by its name, not as raw bytes.
void PrintTo(const SymbolCase& c, std::ostream* out) { *out << c.Name; }

const SymbolCase SymbolCases[] = {
    {"WordThenByteThenBit", "x VAR WORD\ny VAR BYTE\nz VAR BIT\nEND\n", {{"X", 0x303}, {"Y", 0x208}, {"Z", 72}}},
    {"GroupsBySizeInDeclarationOrder",
     "a VAR BIT\nb VAR BYTE\nc VAR WORD\nd VAR NIB\ne VAR BYTE(2)\nf VAR BYTE\ng VAR WORD\nEND\n",
     {{"C", 0x303}, {"G", 0x304}, {"B", 0x20A}, {"E", 0x20B}, {"F", 0x20D}, {"D", 0x11C}, {"A", 116}}},
    {"AliasWithModifiers", "h VAR W0.HIGHBYTE\nn VAR INS.HIGHNIB\nb VAR W0.HIGHBYTE.BIT7\nEND\n",
     {{"H", 0x207}, {"N", 0x103}, {"B", 63}}},
    {"AliasOfLaterVariable", "v VAR WORD\nal VAR v.LOWBYTE\nEND\n", {{"V", 0x303}, {"AL", 0x206}}},
    {"ConstantForwardReference", "a CON b + 1\nb CON 5\nEND\n", {{"A", 6}, {"B", 5}}},
    {"ConstantLeftToRight", "a CON 10 + 2 * 3\nb CON 1 << 20\nc CON -5 + 7\nEND\n", {{"A", 36}, {"B", 0}, {"C", 2}}},
    {"DataNamesAtTheirAddresses", "t1 DATA 1, 2\nt2 DATA WORD 300\nt3 DATA (4)\nt4 DATA @ 100, 9\nt5 DATA\nEND\n",
     {{"T1", 0}, {"T2", 2}, {"T3", 4}, {"T4", 100}, {"T5", 101}}},
    {"PinNames", "p1 PIN 15\np2 PIN p1 - 3\nEND\n", {{"P1", 15}, {"P2", 12}}},
};

class ReviewSymbols : public ::testing::TestWithParam<SymbolCase> {};

TEST_P(ReviewSymbols, DeclaredValues) {
  const SymbolCase& c = GetParam();
  const std::string source = Program(c.Body);
  const Result r = Compile(source);
  ASSERT_TRUE(r.Ok) << r.Error << " at '" << r.ErrorText(source) << "'";
  for (const auto& [name, value] : c.Values) {
    const int index = r.T->FindSymbol(name);
    ASSERT_GE(index, 0) << name;
    EXPECT_EQ(static_cast<uint16_t>(r.T->SymbolTable.Records[index].Value), value) << name;
  }
}

INSTANTIATE_TEST_SUITE_P(Declarations, ReviewSymbols, ::testing::ValuesIn(SymbolCases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ReviewImage, DataBytesAndFlags) {
  const Result r = Compile(Program("DATA 1, WORD 300, (2), \"A\"\nDATA @ 20, 7(3)\nEND\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const auto& tr = r.T->TokenizeResult;
  const std::vector<std::pair<int, int>> bytes = {{0, 1}, {1, 44}, {2, 1}, {3, 0}, {4, 0}, {5, 65},
                                                  {20, 7}, {21, 7}, {22, 7}, {23, 0}};
  const std::vector<int> flags = {2, 2, 2, 1, 1, 2};
  for (const auto& [address, value] : bytes) EXPECT_EQ(tr.EEPROM[address], value) << address;
  for (int a = 0; a < 6; ++a) EXPECT_EQ(tr.EEPROMFlags[a] & 3, flags[a]) << a;
  for (int a = 20; a < 23; ++a) EXPECT_EQ(tr.EEPROMFlags[a] & 3, 2) << a;
  EXPECT_EQ(tr.EEPROMFlags[23] & 3, 0);
}

// Blocks with a value or code are sent in ascending order, a reserved-only block is not.
TEST(ReviewImage, PacketsForDataAndCode) {
  const Result r = Compile(Program("DATA @ 16, 5\nDATA @ 32, (4)\nDATA @ 1000, 1\nEND\n"));
  ASSERT_TRUE(r.Ok) << r.Error;
  const auto& tr = r.T->TokenizeResult;
  // Code: the return table field (14 bits), END, and the closing END: 28 bits in bytes 2047..2044.
  EXPECT_EQ(r.T->CodeBitPos, 28);
  ASSERT_EQ(tr.PacketCount, 3);
  const int blocks[] = {1, 62, 127};
  for (int p = 0; p < 3; ++p) {
    const uint8_t* packet = tr.PacketBuffer + 18 * p;
    EXPECT_EQ(packet[0], 0x80 + blocks[p]);
    int sum = 0;
    for (int i = 0; i < 18; ++i) sum += packet[i];
    EXPECT_EQ(sum % 256, 0);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(packet[1 + i], tr.EEPROM[blocks[p] * 16 + i]);
    for (int i = 0; i < 16; ++i) EXPECT_TRUE(tr.EEPROMFlags[blocks[p] * 16 + i] & 0x80);
  }
  EXPECT_EQ(tr.PacketBuffer[1], 5);
  EXPECT_EQ(tr.PacketBuffer[17], (256 - 0x81 - 5) & 0xFF);
  EXPECT_EQ(tr.PacketBuffer[18 + 1 + 1000 - 992], 1);
  EXPECT_FALSE(tr.EEPROMFlags[32] & 0x80);
  // Field 0 holds position 14: bits 110 then 00000000001, the byte 2047 is 11000000.
  EXPECT_EQ(tr.EEPROM[2047], 0xC0);
  EXPECT_EQ(tr.EEPROM[2046], 0x04);
}

TEST(ReviewImage, CodeReachingDataMarksTheDataItem) {
  const std::string body = "DATA @ 2046, 9\nEND\n";
  const std::string source = Program(body);
  const Result r = Compile(source);
  ASSERT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, "124-Data occupies same location as program");
  EXPECT_EQ(r.ErrorText(source), "9");
}

}  // namespace
