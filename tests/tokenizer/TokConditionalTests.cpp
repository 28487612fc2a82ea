// Conditional compilation (2.5): which parts of a program survive #IF, #SELECT and #DEFINE,
// the compile-time evaluator, and every directive error with its position.

#include <gtest/gtest.h>

#include <cstring>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

const std::string P25 = "'{$TESSIC 2.5}\n";  // 15 characters: code starts at offset 15

// The live program after conditional compilation, for `module`.
std::string Surviving(const std::string& body, uint8_t module = tok::ModuleVD2) {
  const std::string source = P25 + body;
  auto t = Make(source, module);
  if (auto failure = RunFront(*t)) return "error " + failure->Text;
  return LiveText(*t, source);
}

TEST(Conditional, IfElseKeepsTheActivePart) {
  const std::string ifElse = "#IF X #THEN\na\n#ELSE\nb\n#ENDIF\n";
  EXPECT_EQ(Surviving("#DEFINE X\n" + ifElse), "a ;");
  EXPECT_EQ(Surviving("#DEFINE X = 0\n" + ifElse), "b ;");
  EXPECT_EQ(Surviving(ifElse), "b ;");  // never defined: 0
  EXPECT_EQ(Surviving("c\n#IF 1 #THEN\na\n#ENDIF\nd\n"), "c ; a ; d ;");
  EXPECT_EQ(Surviving("c\n#IF 0 #THEN\na\n#ENDIF\nd\n"), "c ; d ;");
  EXPECT_EQ(Surviving("#IF 0 #THEN\n#IF 1 #THEN\na\n#ENDIF\n#ELSE\nb\n#ENDIF\n"), "b ;");
  EXPECT_EQ(Surviving("#IF 1 #THEN\n#IF 0 #THEN\na\n#ELSE\nb\n#ENDIF\n#ENDIF\n"), "b ;");
}

TEST(Conditional, IfConditionsEvaluateUnsignedLeftToRight) {
  struct Case {
    const char* Condition;
    bool Taken;
  };
  const Case cases[] = {
      {"NOT 0", true},
      {"-1 < 0", false},
      {"2 + 3 * 4 = 20", true},
      {"1 + (2 * 3) = 7", true},
      {"65535 * 65535 = 1", true},  // 16-bit wrap-around, no overflow on the way
      {"1 = 1 AND 2 = 3", false},
      {"1 = 1 OR 2 = 3", true},
      {"1 = 1 XOR 2 = 2", false},
      {"NOT 1 = 1", false},
      {"NOT 1 = 2", true},
      {"5 - 7 > 100", true},
      {"7 / 2 = 3", true},
      {"6 & 3 = 2", true},
      {"6 | 3 = 7", true},
      {"6 ^ 3 = 5", true},
      {"1 << 3 = 8", true},
      {"8 >> 2 = 2", true},
      {"1 <> 2", true},
      {"2 >= 2", true},
      {"2 <= 1", false},
      {"UNKNOWN", false},
      {"UNKNOWN = 0", true},
      {"$TESSIC = 250", true},
      {"$VARDA = VD2", true},
      {"$VARDA = VD2E", false},
      {"$PORT = -1", true},
      {"0", false},
      {"NOT (1 = 2)", true},
      {"(1 = 1) AND (2 = 3)", false},
      {"((1 + 1) = 2) OR 0 = 1", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Surviving(std::string("#IF ") + c.Condition + " #THEN\nyes\n#ELSE\nno\n#ENDIF\n"),
              c.Taken ? "yes ;" : "no ;")
        << c.Condition;
  }
}

TEST(Conditional, DefineSetsAndChangesValues) {
  const std::string source = P25 + "#DEFINE X\n#DEFINE Y = 2 + 3\n";
  auto t = Make(source);
  ASSERT_EQ(RunFront(*t), std::nullopt);
  auto value = [&](const char* name) { return t->SymbolTable.Records[t->FindSymbol(name)].Value; };
  EXPECT_EQ(value("X"), -1);  // 65535
  EXPECT_EQ(value("Y"), 5);
  auto wide = Make(P25 + "#DEFINE Z = 65535 * 65535\n");
  ASSERT_EQ(RunFront(*wide), std::nullopt);
  EXPECT_EQ(wide->SymbolTable.Records[wide->FindSymbol("Z")].Value, 1);
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("X")].Kind, tok::DefinedName);
  EXPECT_EQ(LiveText(*t, source), "");

  EXPECT_EQ(Surviving("#DEFINE X\n#DEFINE X = 3\n#IF X = 3 #THEN\na\n#ENDIF\n"), "a ;");
}

TEST(Conditional, DefineAndErrorAreIgnoredOnlyWhenTheInnermostFrameIsInactive) {
  EXPECT_EQ(
      Surviving("#IF 0 #THEN\n#DEFINE Y = 5\n#ERROR \"no\"\n#ENDIF\n#IF Y #THEN\na\n#ELSE\nb\n#ENDIF\n"),
      "b ;");
  // The inner #IF is active although the outer one is not.
  EXPECT_EQ(
      Surviving(
          "#IF 0 #THEN\n#IF 1 #THEN\n#DEFINE Y = 5\n#ENDIF\n#ENDIF\n#IF Y #THEN\na\n#ELSE\nb\n#ENDIF\n"),
      "a ;");
}

TEST(Conditional, SelectKeepsTheBodyOfTheTakenCase) {
  const std::string select =
      "#SELECT $VARDA\n#CASE VD2, VD2E\na\n#CASE VD2SX\nb\n#CASE #ELSE\nc\n#ENDSELECT\nd\n";
  EXPECT_EQ(Surviving(select, tok::ModuleVD2), "a ; d ;");
  EXPECT_EQ(Surviving(select, tok::ModuleVD2E), "a ; d ;");
  EXPECT_EQ(Surviving(select, tok::ModuleVD2SX), "b ; d ;");
  EXPECT_EQ(Surviving(select, tok::ModuleVD2P), "c ; d ;");
  EXPECT_EQ(Surviving("#SELECT 1\n#CASE 2\na\n#ENDSELECT\nb\n"), "b ;");
  EXPECT_EQ(Surviving("#SELECT 1\n#CASE 1\na\n#CASE 1\nb\n#ENDSELECT\n"), "a ;");  // only the first
}

TEST(Conditional, CaseRangesAreInclusiveAndComparisonsWork) {
  struct Case {
    int Selector;
    const char* Values;
    bool Taken;
  };
  const Case cases[] = {
      {2, "3 TO 5", false},       {3, "3 TO 5", true}, {5, "3 TO 5", true},       {6, "3 TO 5", false},
      {2, "< 3", true},           {3, "< 3", false},   {9, "1, 3 TO 5, 9", true}, {4, "1, 3 TO 5, 9", true},
      {2, "1, 3 TO 5, 9", false}, {7, ">= 7", true},   {7, "<> 7", false},        {8, "4 + 4", true},
  };
  for (const Case& c : cases) {
    const std::string body = "#DEFINE S = " + std::to_string(c.Selector) + "\n#SELECT S\n#CASE " + c.Values +
                             "\nin\n#CASE #ELSE\nout\n#ENDSELECT\n";
    EXPECT_EQ(Surviving(body), c.Taken ? "in ;" : "out ;") << c.Selector << " " << c.Values;
  }
}

TEST(Conditional, DirectivesAreUnknownBeforeVersionTwoPointFive) {
  auto t = Make("x = 1\n");
  EXPECT_EQ(RunFront(*t), std::nullopt);
  t = Make("#IF 1 #THEN\n");
  EXPECT_EQ(RunFront(*t), (Failure{"103-Unrecognized character", 0, 1}));
}

struct CondError {
  std::string Body;  // after the 15-character $TESSIC line
  Failure Expected;
};

const std::string Nest17 = [] {
  std::string s;
  for (int i = 0; i < 17; ++i) s += "#IF 1 #THEN\n";
  return s;
}();
const std::string Select17 = [] {
  std::string s;
  for (int i = 0; i < 17; ++i) s += "#SELECT 1\n#CASE 1\n";
  return s;
}();

const CondError CondErrors[] = {
    {"#IF 1 #THEN\n", {"191-'#IF' without '#ENDIF'", 15, 3}},
    {"#IF 1 #THEN\n#ELSE\n", {"191-'#IF' without '#ENDIF'", 15, 3}},
    {"#ELSE\n", {"193-'#ELSE' must be preceded by '#IF'", 15, 5}},
    {"#ENDIF\n", {"194-'#ENDIF' must be preceded by '#IF'", 15, 6}},
    {"#IF 1\n", {"190-Expected #THEN", 20, 1}},
    {"#IF 1 #THEN\n#ELSE\n#ELSE\n#ENDIF\n", {"200-Expected '#ENDIF'", 33, 5}},
    {Nest17, {"197-Limit of 16 nested #IF-#THEN statements exceeded", 15 + 16 * 12, 3}},
    {Select17, {"218-Limit of 16 nested #SELECT statements exceeded", 15 + 16 * 18, 7}},
    {"#DEFINE X\nX CON 5\n", {"123-Symbol is already defined", 23, 1}},
    {"#DEFINE 5\n", {"196-Expected a user-defined symbol", 23, 1}},
    {"#DEFINE X 3\n", {"150-Expected '='", 25, 1}},
    {"#DEFINE X = 1 2\n", {"142-Expected a binary operator or ')'", 29, 1}},
    {"#IF X #THEN\n#ENDIF\nX CON 1\n", {"195-Illegal symbol in conditional-compile directive", 19, 1}},
    {"#IF B0 #THEN\n#ENDIF\n", {"195-Illegal symbol in conditional-compile directive", 19, 2}},
    {"#IF 1/0 #THEN\n#ENDIF\n", {"113-Cannot divide by 0", 23, 5}},
    {"#IF 1 MAX 2 #THEN\n", {"189-Illegal operator in conditional-compile directive", 21, 3}},
    {"#IF ABS 1 #THEN\n", {"189-Illegal operator in conditional-compile directive", 19, 3}},
    {"#IF * 1 #THEN\n", {"188-Expected number, editor directive, #DEFINE'd symbol, or '-'", 19, 1}},
    {"#IF 1 Y #THEN\n", {"110-Undefined symbol", 21, 1}},
    {"#ERROR \"Bad\", 33\n", {"199-Bad!", 15, 16}},
    {"#ERROR X\n", {"198-Expected a character or ASCII value", 22, 1}},
    {"#ERROR \"A\" \"B\"\n", {"130-Expected ',', end-of-line, or ':'", 27, 1}},
    {"#SELECT 1\nx=1\n", {"219-Expected '#CASE'", 25, 1}},
    {"#SELECT 1 2\n", {"129-Expected ':' or end-of-line", 25, 1}},
    {"#SELECT Q\n#CASE 1\n#ENDSELECT\nQ VAR BYTE\n",
     {"195-Illegal symbol in conditional-compile directive", 23, 1}},
    {"#CASE 1\n", {"220-'#CASE' must be preceded by '#SELECT'", 15, 5}},
    {"#ENDSELECT\n", {"221-'#ENDSELECT' must be preceded by '#SELECT'", 15, 10}},
    {"#SELECT 1\n#CASE ELSE\n#ENDSELECT\n", {"224-Expected '#ELSE'", 31, 4}},
    {"#SELECT 1\n#CASE 1\n", {"192-'#SELECT' without '#ENDSELECT'", 15, 7}},
    {"#SELECT 1\n#CASE 1\n#IF 1 #THEN\n#CASE 2\n",
     {"222-Expected a declaration, run-time statement, or '#ENDIF'", 45, 5}},
    {"#SELECT 1\n#CASE 1\n#IF 1 #THEN\n#ENDSELECT\n",
     {"222-Expected a declaration, run-time statement, or '#ENDIF'", 45, 10}},
    {"#IF 1 #THEN\n#SELECT 1\n#CASE 1\n#ELSE\n",
     {"223-Expected a declaration, run-time statement, or '#ENDSELECT'", 45, 5}},
    {"#IF 1 #THEN\n#SELECT 1\n#CASE 1\n#ENDIF\n",
     {"223-Expected a declaration, run-time statement, or '#ENDSELECT'", 45, 6}},
    {"#SELECT 1\n#CASE < 1 TO 3\n", {"141-Expected a constant, variable, unary operator, or '('", 31, 1}},
    {"#SELECT 1\n#CASE 1 TO < 3\n", {"141-Expected a constant, variable, unary operator, or '('", 36, 1}},
    {"#SELECT 1\n#CASE 1 2\n", {"142-Expected a binary operator or ')'", 33, 1}},
    {"#SELECT 1\n#CASE 1 AND 2\n", {"142-Expected a binary operator or ')'", 33, 3}},
    {"#SELECT 1\n#CASE NOT 1\n", {"188-Expected number, editor directive, #DEFINE'd symbol, or '-'", 31, 3}},
    {"#SELECT NOT 1\n", {"225-Expected number, editor directive, or #DEFINE'd symbol", 23, 3}},
};

TEST(Conditional, ErrorsWithTheirPositions) {
  for (const CondError& c : CondErrors) {
    auto t = Make(P25 + c.Body);
    EXPECT_EQ(RunFront(*t), c.Expected) << c.Body;
  }
}

TEST(Conditional, UserErrorTextKeptOutsideTheSource) {
  auto t = Make(P25 + "#ERROR \"Stop here\"\n");
  EXPECT_FALSE(t->Tokenize(false, false, false));
  const char* text = t->TokenizeResult.ErrorText;
  ASSERT_NE(text, nullptr);
  EXPECT_STREQ(text, "199-Stop here");
  const tok::ResultRecord& r = t->TokenizeResult;
  EXPECT_FALSE(text >= r.Source && text < r.Source + tok::SourceCapacity);
  EXPECT_EQ(r.Source[tok::SourceCapacity - 2], 0);
}

}  // namespace
