// The expression compiler: exact token bits of constants, operators, variables, modifiers and
// indexes (worked out by hand from the encoding rules), its limits, and ConstValue.

#include <gtest/gtest.h>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

struct Compiled {
  std::optional<Failure> Error;
  std::string Bits;
};

Compiled CompileExpr(const std::string& source, bool allowConditions = false, bool pinsAsConstants = false) {
  auto t = Make(source);
  Compiled out;
  if ((out.Error = Scan(*t))) return out;
  try {
    t->Scan.ElementIndex = 0;
    t->ArgDepth = 0;
    t->StartExpression(allowConditions, pinsAsConstants);
  } catch (const tok::ETokenizeError&) {
    out.Error = FailureOf(*t);
  }
  out.Bits = BufferBits(t->ExprBuffer());
  return out;
}

struct BitsCase {
  const char* Source;
  const char* Bits;  // spaces only for reading
  bool Conditions;
};

// Token 6 bits, a 1 before every later token; constant 32 + c then its payload;
// variable 48 + size + 4 indexed + 8 write then the address in 8/6/5/4 bits.
const BitsCase BitsCases[] = {
    {"0", "100000 1", false},
    {"1", "100000 0", false},
    {"2", "100001 0", false},
    {"3", "100001 11", false},
    {"4", "100010 0", false},
    {"5", "100010 101", false},
    {"255", "100111 11111111", false},
    {"1000", "101001 1111101000", false},
    {"32768", "101111 0", false},
    {"65535", "101111 1111111111111111", false},
    {"2 + 3 * 4", "100001 0  1 100001 11  1 001111  1 100010 0  1 010010", false},
    {"-5", "100010 101  1 000011", false},
    {"1 + (2 * 3)", "100000 0  1 100001 0  1 100001 11  1 010010  1 001111", false},
    {"ABS -1", "100000 0  1 000011  1 000001", false},
    {"~B0", "110010 00110  1 000010", false},
    {"B0 = B1 AND B2 < B3",
     "110010 00110  1 110010 00111  1 011100  1 110010 01000  1 110010 01001  1 011111  1 001010", true},
    {"NOT B0 = 1", "110010 00110  1 100000 0  1 011100  1 000010", true},
    {"(B0 = 1)", "110010 00110  1 100000 0  1 011100", true},
    {"W0.HIGHBYTE", "110010 00111", false},
    {"W0.HIGHBYTE.BIT7", "110000 00111111", false},
    {"INS.HIGHNIB", "110001 000011", false},
    {"W1.LOWBYTE", "110010 01000", false},
    {"B0(1)", "100000 0  1 110110 00110", false},
    {"B0(B1 + 1) + 2", "110010 00111  1 100000 0  1 001111  1 110110 00110  1 100001 0  1 001111", false},
    {"W12 HYP 2", "110011 1111  1 100001 0  1 001000", false},
    {"B1 REV 3 DIG 1", "110010 00111  1 100001 11  1 011001  1 100000 0  1 010110", false},
};

TEST(Expression, BitsOfConstantsOperatorsAndVariables) {
  for (const BitsCase& c : BitsCases) {
    const Compiled out = CompileExpr(c.Source, c.Conditions);
    ASSERT_EQ(out.Error, std::nullopt) << c.Source;
    EXPECT_EQ(out.Bits, Squeeze(c.Bits)) << c.Source;
  }
}

struct ErrorCase {
  std::string Source;
  bool Conditions;
  Failure Expected;
};

const std::string NineValues = "1+(2+(3+(4+(5+(6+(7+(8+9)))))))";
const std::string Sums33 = [] {
  std::string s = "1";
  for (int i = 0; i < 33; ++i) s += "+1";
  return s;
}();
const std::string Parens256 = std::string(256, '(') + "1";

const ErrorCase ErrorCases[] = {
    {"B3.BIT9", false, {"140-Variable modifier is out-of-range", 3, 4}},
    {"IN3.BIT0", false, {"138-Variable is already bit-size", 3, 1}},
    {"B3.5", false, {"137-Expected a variable modifier", 3, 1}},
    {"B3.WORD", false, {"137-Expected a variable modifier", 3, 4}},
    {"B3.HIGHBYTE", false, {"139-Expected a smaller-size variable modifier", 3, 8}},
    {"W0.NIB4", false, {"137-Expected a variable modifier", 3, 4}},
    {"B0.BIT8", false, {"140-Variable modifier is out-of-range", 3, 4}},
    {"1 +", false, {"141-Expected a constant, variable, unary operator, or '('", 2, 1}},
    {"1 + )", false, {"141-Expected a constant, variable, unary operator, or '('", 4, 1}},
    {"* 2", false, {"141-Expected a constant, variable, unary operator, or '('", 0, 1}},
    {"1 2", false, {"142-Expected a binary operator or ')'", 2, 1}},
    {"1 B0", false, {"142-Expected a binary operator or ')'", 2, 2}},
    {"(1", false, {"142-Expected a binary operator or ')'", 1, 1}},
    {"1 = 2", false, {"142-Expected a binary operator or ')'", 2, 1}},
    {"1 AND 2", false, {"142-Expected a binary operator or ')'", 2, 3}},
    {"x + 1", false, {"110-Undefined symbol", 0, 1}},
    {"1 + x", false, {"110-Undefined symbol", 4, 1}},
    {"1 x", false, {"110-Undefined symbol", 2, 1}},
    {"B0(1", false, {"120-Expected ')'", 3, 1}},
    {"$VARDA", false, {"104-Expected hex digit", 1, 1}},
    {NineValues, false, {"144-Expression is too complex", 23, 1}} /* at the 9 */,
    {Sums33, false, {"144-Expression is too complex", 66, 1}},
    {Parens256, false, {"144-Expression is too complex", 255, 1}},
};

TEST(Expression, ErrorsWithTheirPositions) {
  for (const ErrorCase& c : ErrorCases)
    EXPECT_EQ(CompileExpr(c.Source, c.Conditions).Error, c.Expected) << c.Source;
}

TEST(Expression, LimitsJustBelowTheErrors) {
  std::string sums32 = "1";
  for (int i = 0; i < 32; ++i) sums32 += "+1";
  const Compiled out = CompileExpr(sums32);
  EXPECT_EQ(out.Error, std::nullopt);
  EXPECT_EQ(out.Bits.size(), 7u + 32u * 15u);

  EXPECT_EQ(CompileExpr("1+(2+(3+(4+(5+(6+(7+8))))))").Error, std::nullopt);  // eight values
  EXPECT_EQ(CompileExpr(std::string(255, '(') + "1" + std::string(255, ')')).Error, std::nullopt);
}

TEST(Expression, TheExpressionEndsAtTheFirstElementThatCannotContinueIt) {
  auto t = Make("1 + 2, 3");
  ASSERT_EQ(Scan(*t), std::nullopt);
  t->Scan.ElementIndex = 0;
  t->ArgDepth = 0;
  t->StartExpression(false, false);
  tok::Element next;
  t->NextElement(next);
  EXPECT_EQ(next.Kind, tok::Comma);  // left unread for the caller
  EXPECT_EQ(t->ArgDepth, 1);
  EXPECT_EQ(t->OperatorTop, 0);
}

TEST(Expression, PinsReadTheirInputBitOrTheirNumber) {
  auto t = Make("P P");
  ASSERT_EQ(Scan(*t), std::nullopt);
  tok::Symbol pin;
  pin.SetName("P");
  pin.Kind = tok::PinName;
  pin.Value = 5;
  t->AddSymbol(pin);
  t->Scan.ElementIndex = 0;
  t->ArgDepth = 0;
  t->StartExpression(false, false);
  EXPECT_EQ(BufferBits(t->ExprBuffer()), Squeeze("110000 00000101"));
  t->ArgDepth = 0;
  t->StartExpression(false, true);
  EXPECT_EQ(BufferBits(t->ExprBuffer()), Squeeze("100010 101"));
}

TEST(Expression, TargetVariablesCarryTheWriteFlag) {
  struct Case {
    const char* Source;
    const char* Bits;
  };
  const Case cases[] = {
      {"W1", "111011 0100"},  // 48 + 3 + 8
      {"B0(2)", "100001 0  1 111110 00110"},
      {"OUT3", "111000 00010011"},  // bit 19
      {"P", "111000 00010101"},     // pin 5 writes output bit 21
  };
  for (const Case& c : cases) {
    auto t = Make(c.Source);
    ASSERT_EQ(Scan(*t), std::nullopt);
    tok::Symbol pin;
    pin.SetName("P");
    pin.Kind = tok::PinName;
    pin.Value = 5;
    t->AddSymbol(pin);
    t->Scan.ElementIndex = 0;
    t->ArgDepth = 0;
    t->CompileTargetVariable(true);
    EXPECT_EQ(BufferBits(t->ExprBuffer()), Squeeze(c.Bits)) << c.Source;
  }
  auto t = Make("5");
  ASSERT_EQ(Scan(*t), std::nullopt);
  t->Scan.ElementIndex = 0;
  EXPECT_THROW(t->CompileTargetVariable(true), tok::ETokenizeError);
  EXPECT_EQ(FailureOf(*t), (Failure{"135-Expected a variable", 0, 1}));
}

TEST(Expression, ModifiersRewriteTheElement) {
  auto t = Make("W0.HIGHBYTE.BIT7");
  ASSERT_EQ(Scan(*t), std::nullopt);
  t->Scan.ElementIndex = 0;
  tok::Element e;
  t->NextElement(e);
  t->ApplyModifiers(e);
  EXPECT_EQ(e.Kind, tok::Variable);
  EXPECT_EQ(e.Value, 63);
}

TEST(Expression, EvaluationStackLimitCountsForSqrAndAtn) {
  auto t = Make("");
  t->ArgDepth = 8;
  EXPECT_THROW(t->EmitToken(0), tok::ETokenizeError);
  EXPECT_THROW(t->EmitToken(9), tok::ETokenizeError);
  EXPECT_THROW(t->EmitToken(32), tok::ETokenizeError);
  t->ArgDepth = 7;
  t->EmitToken(9);
  EXPECT_EQ(t->ArgDepth, 6);
  t->EmitToken(60);  // indexed write pops the index
  EXPECT_EQ(t->ArgDepth, 5);
  t->EmitToken(52);  // indexed read of nothing: no change
  EXPECT_EQ(t->ArgDepth, 5);
}

TEST(Expression, BuffersCopyAndAppend) {
  auto t = Make("");
  t->ArgDepth = 0;
  t->EmitConstant(3);  // 100001 11
  t->CopyExprBuffer(0, 2);
  t->ClearExprBuffer(0);
  t->EmitConstant(1);                             // 100000 0
  t->AppendExprBuffer(2, tok::layout::TokenAnd);  // 1, the copy, then the AND token
  EXPECT_EQ(BufferBits(t->ExprBuffer()), Squeeze("100000 0  1 100001 11  1 001010"));
  EXPECT_EQ(BufferBits(t->ExprSlot(2)), Squeeze("100001 11"));
}

struct ConstCase {
  const char* Source;
  bool MustBeKnown;
  uint16_t Value;
  bool Known;
};

const ConstCase ConstCases[] = {
    {"10 + 2 * 3", true, 36, true}, {"1 << 20", true, 0, true},    {"1 >> 20", true, 0, true},
    {"-5", true, 65531, true},      {"100 / 7", true, 14, true},   {"6 & 3 | 8", true, 10, true},
    {"5 - 7", true, 65534, true},   {"$FF ^ 15", true, 240, true}, {"3 AND 1", true, 3, true},
    {"2 * -3", true, 65530, true},  {"x + 1", false, 2, false},    {"1 = 1", true, 1, true},
    {"256 * 256", true, 0, true},   {"1 << 16", true, 0, true},    {"$8000 >> 15", true, 1, true},
};

TEST(ConstValue, ValuesLeftToRightWithoutPrecedence) {
  for (const ConstCase& c : ConstCases) {
    auto t = Make(c.Source);
    ASSERT_EQ(Scan(*t), std::nullopt) << c.Source;
    t->Scan.ElementIndex = 0;
    const tok::ConstantValue result = t->ConstValue(c.MustBeKnown, false);
    EXPECT_EQ(result.Known, c.Known) << c.Source;
    EXPECT_EQ(result.Value, c.Value) << c.Source;
  }
}

TEST(ConstValue, Errors) {
  struct Case {
    const char* Source;
    bool MustBeKnown;
    bool Conditional;
    Failure Expected;
  };
  const Case cases[] = {
      {"x + 1", true, false, {"110-Undefined symbol", 0, 1}},
      {"1 / 0", true, false, {"113-Cannot divide by 0", 4, 1}},
      {"* 3", true, false, {"112-Expected a constant", 0, 1}},
      {"B0", true, false, {"112-Expected a constant", 0, 2}},
      {"* 3", true, true, {"188-Expected number, editor directive, #DEFINE'd symbol, or '-'", 0, 1}},
      {"B0", true, true, {"225-Expected number, editor directive, or #DEFINE'd symbol", 0, 2}},
  };
  for (const Case& c : cases) {
    auto t = Make(c.Source);
    ASSERT_EQ(Scan(*t), std::nullopt) << c.Source;
    t->Scan.ElementIndex = 0;
    EXPECT_THROW(t->ConstValue(c.MustBeKnown, c.Conditional), tok::ETokenizeError) << c.Source;
    EXPECT_EQ(FailureOf(*t), c.Expected) << c.Source;
  }
}

}  // namespace
