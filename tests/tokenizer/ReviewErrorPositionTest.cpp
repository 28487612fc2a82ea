// Common mistakes in programs: the error text and the exact stretch of source it marks.

#include <gtest/gtest.h>

#include <ostream>

#include "CompileSupport.h"

namespace {

using namespace vd2test;

struct ErrorCase {
  const char* Name;
  const char* Body;
  const char* Version;
  const char* Error;
  const char* Marked;  // the marked text
  int Occurrence;      // which occurrence of Marked in the body (0 = first)
};

// Test listings show the case by its name, not as raw bytes.
void PrintTo(const ErrorCase& c, std::ostream* out) {
  *out << c.Name;
}

const ErrorCase Cases[] = {
    {"UndefinedSymbol", "B0 = foo + 1\n", "2.5", "110-Undefined symbol", "foo", 0},
    {"MissingThen", "IF B0 = 1 HIGH 1\n", "2.5", "151-Expected 'THEN'", "HIGH", 0},
    {"MissingThen20", "IF B0 = 1 GOTO lbl\n", "2.0", "151-Expected 'THEN'", "GOTO", 0},
    {"NameAfterConditionIsUndefined", "IF B0 = 1 lbl\n", "2.0", "110-Undefined symbol", "lbl", 0},
    {"UnclosedIf", "HIGH 1\nIF B0 = 1 THEN\nHIGH 1\n", "2.5", "168-'IF' without 'ENDIF'", "IF", 0},
    {"UnclosedFor", "FOR B0 = 1 TO 5\nHIGH 1\n", "2.5", "169-'FOR' without 'NEXT'", "FOR", 0},
    {"UnclosedDo", "DO\nHIGH 1\n", "2.5", "170-'DO' without 'LOOP'", "DO", 0},
    {"UnclosedSelect", "SELECT B0\nCASE 1\nHIGH 1\n", "2.5", "184-'SELECT' without 'ENDSELECT'", "SELECT", 0},
    {"UndefinedLabel", "GOTO nowhere\n", "2.5", "111-Undefined label", "nowhere", 0},
    {"UndefinedLabelSecondUse", "here:\nGOTO here\nGOTO gone\n", "2.5", "111-Undefined label", "gone", 0},
    {"NextWithoutFor", "NEXT\n", "2.5", "132-'NEXT' must be preceded by 'FOR'", "NEXT", 0},
    {"LoopWithoutDo", "LOOP\n", "2.5", "164-'LOOP' must be preceded by 'DO'", "LOOP", 0},
    {"EndifWithoutIf", "ENDIF\n", "2.5", "160-'ENDIF' must be preceded by 'IF'", "ENDIF", 0},
    {"BinaryDigit", "B0 = %2\n", "2.5", "105-Expected binary digit", "2", 0},
    {"HexDigit", "B0 = $G1\n", "2.5", "104-Expected hex digit", "G", 0},
    {"TooBigNumberMarksTheCharacterAfter", "B0 = 70000 + 1\n", "2.5", "109-Constant exceeds 16 bits",
     "70000 ", 0},
    {"SeventeenDigits", "B0 = 00000000000000001\n", "2.5", "108-Constant exceeds 16 digits",
     "00000000000000001", 0},
    {"EmptyString", "DEBUG \"\"\n", "2.5", "101-Expected character(s)", "\"\"", 0},
    {"UnknownCharacter", "B0 = 1 ` 2\n", "2.5", "103-Unrecognized character", "`", 0},
    {"HashIn20", "#DEFINE X\n", "2.0", "103-Unrecognized character", "#", 0},
    {"LabelMissingColon", "lbl HIGH 1\n", "2.5", "174-Label is missing ':'", "lbl", 0},
    {"LabelTwice", "a:\na:\n", "2.5", "117-Label is already defined", "a", 1},
    {"ModifierOutOfRange", "B3.BIT9 = 1\n", "2.5", "140-Variable modifier is out-of-range", "BIT9", 0},
    {"ModifierOnBit", "IN3.BIT0 = 1\n", "2.5", "138-Variable is already bit-size", ".", 0},
    {"TooComplex", "B0 = 1+(2+(3+(4+(5+(6+(7+(8+9)))))))\n", "2.5", "144-Expression is too complex", "9", 0},
    {"ReadSecondTargetIn20", "READ 0, B0, B1\n", "2.0", "129-Expected ':' or end-of-line", ",", 1},
    {"ReadWordNeedsWordVariable", "READ 0, WORD B0\n", "2.5", "173-Expected a word variable", "B0", 0},
    {"PinAbove15", "p PIN 3 + 13\n", "2.5", "175-Pin number must be 0 to 15", "3 + 13", 0},
    {"ArraySizeZero", "a VAR BYTE(0)\n", "2.5", "125-Array size cannot be 0", "0", 0},
    {"WordDataPastTheEnd", "DATA @ 2047, WORD 1\n", "2.5", "114-Location is out of range", "1", 0},
    {"DataTwice", "DATA @ 5, 1\nDATA @ 5, 2\n", "2.5", "115-Location already contains data", "2", 0},
    {"TwoCaseLinesInARow", "SELECT B0\nCASE 1\nCASE 2\nHIGH 1\nENDSELECT\n", "2.5",
     "226-Expected statements to follow previous 'CASE'", "CASE", 1},
    {"AliasOfLaterVariable", "al VAR v.LOWBYTE\nv VAR WORD\n", "2.5", "110-Undefined symbol", "v", 0},
    {"ConstantDefinedTwice", "a CON 1\na CON 2\n", "2.5", "123-Symbol is already defined", "a", 1},
    {"ExitOutsideLoop", "EXIT\n", "2.5", "167-'EXIT' only allowed within FOR-NEXT and DO-LOOP structures",
     "EXIT", 0},
    {"ElseWithoutIf", "ELSE\n", "2.5", "159-'ELSE' must be preceded by 'IF' or 'CASE'", "ELSE", 0},
    {"OnWithoutGotoOrGosub", "ON B0 HIGH 1\n", "2.5", "185-Expected 'GOTO' or 'GOSUB'", "HIGH", 0},
    {"DivideByZeroInIf", "#IF 1/0 #THEN\n#ENDIF\nEND\n", "2.5", "113-Cannot divide by 0", "#THEN", 0},
    {"UnclosedCondIf", "#IF 1 #THEN\nEND\n", "2.5", "191-'#IF' without '#ENDIF'", "#IF", 0},
    {"UnclosedParenthesis", "B0 = (1 + 2\n", "2.5", "142-Expected a binary operator or ')'", "\n", 0},
    {"TwoOperandsInARow", "B0 = 1 2\n", "2.5", "142-Expected a binary operator or ')'", "2", 0},
    {"ForWithoutTo", "FOR B0 = 1 STEP 5\nNEXT\n", "2.5", "152-Expected 'TO'", "STEP", 0},
    {"ForLimitFollowedByNumber", "FOR B0 = 1 TO 5 6\nNEXT\n", "2.5", "142-Expected a binary operator or ')'",
     "6", 0},
    {"ForWithJunkAfterLimit", "FOR B0 = 1 TO 5 THEN\nNEXT\n", "2.5",
     "131-Expected 'STEP', end-of-line, or ':'", "THEN", 0},
    {"DoWithJunk", "DO B0\nLOOP\n", "2.5", "166-Expected 'WHILE', 'UNTIL', end-of-line, or ':'", "B0", 0},
    {"SelectWithoutCase", "SELECT B0\nHIGH 1\nENDSELECT\n", "2.5", "179-Expected 'CASE'", "HIGH", 0},
    {"StrNeedsByteVariable", "DEBUG STR W0\n", "2.5", "136-Expected a byte variable", "W0", 0},
    {"LookdownWithoutBracket", "LOOKDOWN B0, B1 [1], B2\n", "2.5",
     "143-Expected a comparison operator or '['", "B1", 0},
    {"SeroutMissingComma", "SEROUT 1, 84, 65]\n", "2.5", "133-Expected ','", "]", 0},
    {"ElseAfterElse", "IF B0 = 1 THEN\nELSE\nELSE\nENDIF\n", "2.5",
     "161-Expected a label, variable, instruction, or 'ENDIF'", "ELSE", 1},
    {"EndifInsideFor", "IF B0 = 1 THEN\nFOR B1 = 1 TO 2\nENDIF\n", "2.5",
     "176-Expected a label, variable, instruction, or 'NEXT'", "ENDIF", 0},
    {"NumberAsStatement", "5\n", "2.5", "149-Expected a label, variable, or instruction", "5", 0},
    {"GetIsANameOnVd2", "GET 3, B1\n", "2.5", "174-Label is missing ':'", "GET", 0},
    {"SecondVardaDirective", "'{$VARDA VD2}\nEND\n", "2.5", "155-Duplicate directive", "$VARDA", 0},
    {"ConstantChainTooLong", "a CON b\nb CON c\nc CON 1\n", "2.5", "110-Undefined symbol", "b", 0},
    {"WaitWithSevenValues", "DEBUGIN WAIT (1, 2, 3, 4, 5, 6, 7)\n", "2.5", "147-Limit of 6 values exceeded",
     ",", 5},
    {"CaseWithComparisonInRange", "SELECT B0\nCASE < 1 TO 3\nHIGH 1\nENDSELECT\n", "2.5",
     "141-Expected a constant, variable, unary operator, or '('", "<", 0},
    {"UserErrorDirective", "#ERROR \"Oops\"\nEND\n", "2.5", "199-Oops", "#ERROR \"Oops\"", 0},
};

int Find(std::string_view text, std::string_view what, int occurrence) {
  size_t at = text.find(what);
  for (int i = 0; i < occurrence && at != std::string_view::npos; ++i) at = text.find(what, at + 1);
  return at == std::string_view::npos ? -1 : static_cast<int>(at);
}

class ReviewErrorPosition : public ::testing::TestWithParam<ErrorCase> {};

TEST_P(ReviewErrorPosition, TextAndMarkedSource) {
  const ErrorCase& c = GetParam();
  const std::string source = Program(c.Body, 2, c.Version);
  const Result r = Compile(source);
  ASSERT_FALSE(r.Ok);
  EXPECT_EQ(r.Error, c.Error);
  const int bodyStart = static_cast<int>(source.size() - std::string_view(c.Body).size());
  const int at = Find(c.Body, c.Marked, c.Occurrence);
  ASSERT_GE(at, 0);
  EXPECT_EQ(r.Start, bodyStart + at) << "marked '" << r.ErrorText(source) << "'";
  EXPECT_EQ(r.Length, static_cast<int>(std::string_view(c.Marked).size()))
      << "marked '" << r.ErrorText(source) << "'";
}

INSTANTIATE_TEST_SUITE_P(Mistakes, ReviewErrorPosition, ::testing::ValuesIn(Cases),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(ReviewErrorPosition, NothingToTokenize) {
  for (const char* body : {"", "' only a comment\n", "a CON 1\nb VAR BYTE\n"}) {
    const Result r = Compile(Program(body));
    EXPECT_FALSE(r.Ok) << body;
    EXPECT_EQ(r.Error, "157-Nothing to tokenize") << body;
    EXPECT_EQ(r.Start, 0);
    EXPECT_EQ(r.Length, 0);
  }
}

// The error text has storage of its own: the source buffer's end stays empty.
TEST(ReviewErrorPosition, ErrorTextOutsideTheSource) {
  const Result r = Compile(Program("GOTO nowhere\n"));
  const auto& tr = r.T->TokenizeResult;
  ASSERT_NE(tr.ErrorText, nullptr);
  EXPECT_FALSE(tr.ErrorText >= tr.Source && tr.ErrorText < tr.Source + sizeof(tr.Source));
  EXPECT_EQ(tr.Source[sizeof(tr.Source) - 2], 0);
}

TEST(ReviewErrorPosition, GosubLimitMarksThe256th) {
  std::string body;
  for (int i = 0; i < 256; ++i) body += "GOSUB s" + std::to_string(i) + "\n";
  const std::string source = Program(body);
  const Result r = Compile(source);
  EXPECT_EQ(r.Error, "145-Limit of 255 GOSUBs exceeded");
  EXPECT_EQ(r.Start, static_cast<int>(source.rfind("GOSUB")));
  EXPECT_EQ(r.Length, 5);
}

TEST(ReviewErrorPosition, SeventeenthCaseLine) {
  std::string body = "SELECT B0\n";
  for (int i = 0; i < 17; ++i) body += "CASE " + std::to_string(i) + "\nHIGH 1\n";
  body += "ENDSELECT\n";
  const std::string source = Program(body);
  const Result r = Compile(source);
  EXPECT_EQ(r.Error, "181-Limit of 16 CASE statements within SELECT structure exceeded");
  EXPECT_EQ(r.Start, static_cast<int>(source.rfind("CASE")));
}

TEST(ReviewErrorPosition, VariableSpaceRunsOut) {
  std::string body;
  for (int i = 0; i < 13; ++i) body += "v" + std::to_string(i) + " VAR WORD\n";
  EXPECT_TRUE(Compile(Program(body + "END\n")).Ok);
  const Result r = Compile(Program(body + "b VAR BIT\nEND\n"));
  EXPECT_EQ(r.Error, "126-Out of variable space");
}

}  // namespace
