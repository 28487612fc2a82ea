// The object-code writer: bits from address 2047 downward, the code flags, the EEPROM-full
// limit and the collision with DATA bytes; copying expression buffers into the code.

#include <gtest/gtest.h>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

TEST(ObjectCode, BitsFillBytesFromTheTopDown) {
  auto t = Make("");
  t->WriteBits(3, 0b101);
  EXPECT_EQ(t->TokenizeResult.EEPROM[2047], 0xA0);
  t->WriteBits(16, 0xABCD);  // 10101 | 01111001 | 101
  const tok::ResultRecord& r = t->TokenizeResult;
  EXPECT_EQ(r.EEPROM[2047], 0xB5);
  EXPECT_EQ(r.EEPROM[2046], 0x79);
  EXPECT_EQ(r.EEPROM[2045], 0xA0);
  EXPECT_EQ(t->CodeBitPos, 19);
  for (int a : {2047, 2046, 2045}) EXPECT_EQ(r.EEPROMFlags[a], tok::FlagCode) << a;
  EXPECT_EQ(r.EEPROMFlags[2044], 0);
  EXPECT_EQ(CodeBits(*t, 0, 19), "1011010101111001101");
}

TEST(ObjectCode, WritingOrsIntoTheImage) {
  auto t = Make("");
  t->WriteBits(8, 0x0F);
  t->Code.BitPos = 0;  // patching an earlier field
  t->WriteBits(4, 0xA);
  EXPECT_EQ(t->TokenizeResult.EEPROM[2047], 0xAF);
  EXPECT_EQ(t->CodeBitPos, 4);
}

TEST(ObjectCode, EEPROMFullAtTheSixteenThousandThreeHundredEightyFifthBit) {
  auto t = Make("");
  t->Code.BitPos = 16380;
  t->WriteBits(4, 0xF);
  EXPECT_EQ(t->CodeBitPos, 16384);
  EXPECT_EQ(t->TokenizeResult.EEPROM[0], 0x0F);
  t->TokenizeResult.ErrorStart = 7;
  t->TokenizeResult.ErrorLength = 2;
  EXPECT_THROW(t->WriteBits(1, 1), tok::ETokenizeError);
  EXPECT_EQ(FailureOf(*t), (Failure{"127-EEPROM full", 7, 2}));  // position of the element read last

  t->Code.BitPos = 16383;
  EXPECT_THROW(t->WriteBits(2, 1), tok::ETokenizeError);
}

TEST(ObjectCode, CodeMayNotReachDataBytes) {
  struct Case {
    uint8_t Flag;
    bool Collides;
  };
  const Case cases[] = {{tok::FlagReserved, true}, {tok::FlagData, true}, {tok::FlagCode, false}, {0, false}};
  for (const Case& c : cases) {
    auto t = Make("");
    t->TokenizeResult.EEPROMFlags[2046] = c.Flag;
    t->Code.SourcePosTable[2046] = {10, 4};
    if (c.Collides) {
      EXPECT_THROW(t->WriteBits(16, 0xFFFF), tok::ETokenizeError);
      EXPECT_EQ(FailureOf(*t), (Failure{"124-Data occupies same location as program", 10, 4}));
      EXPECT_EQ(t->TokenizeResult.EEPROM[2047], 0xFF);  // the byte before was written
      EXPECT_EQ(t->TokenizeResult.EEPROM[2046], 0);
    } else {
      t->WriteBits(16, 0xFFFF);
      EXPECT_EQ(t->TokenizeResult.EEPROM[2046], 0xFF);
    }
  }
}

TEST(ObjectCode, ExpressionBuffersGoIntoTheCodeInOrder) {
  auto t = Make("");
  t->ArgDepth = 0;
  for (int i = 0; i < 5; ++i) t->EmitConstant(65535);  // 5 x 22 or 23 bits: a partial last word
  const std::string expr = BufferBits(t->ExprBuffer());
  ASSERT_EQ(expr.size(), 22u + 4u * 23u);
  t->CopyExprToCode(0, true);
  EXPECT_EQ(CodeBits(*t, 0, 1 + static_cast<int>(expr.size())), "1" + expr);
  EXPECT_EQ(t->CodeBitPos, 1 + expr.size());

  auto u = Make("");
  u->ArgDepth = 0;
  u->EmitConstant(2);
  u->CopyExprBuffer(0, 3);
  u->CopyExprToCode(3, false);
  EXPECT_EQ(CodeBits(*u, 0, 7), "1000010");
}

TEST(ObjectCode, ExpressionBufferHoldsAtMost495Bits) {
  auto t = Make("");
  for (int i = 0; i < 30; ++i) t->ExprWriteBits(16, 0x5555);  // 480 bits
  t->ExprWriteBits(15, 0x1234);                               // 495
  EXPECT_EQ(t->ExprBuffer().BitCount, 495);
  EXPECT_THROW(t->ExprWriteBits(1, 1), tok::ETokenizeError);
  EXPECT_EQ(FailureOf(*t).Text, "144-Expression is too complex");
}

}  // namespace
