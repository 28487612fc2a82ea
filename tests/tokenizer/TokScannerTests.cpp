// The scanner: element lists of small sources (worked out by hand from the character rules),
// numbers and their limits, names, operators, strings, comments and the element limit.

#include <gtest/gtest.h>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

struct ScanCase {
  std::string Source;
  bool Is25;
  std::string Elements;  // kind:value@start+length ...
};

// The closing end element takes the token start and scan position where the scan stopped.
// Kinds: 0 directive word, 3 instruction, 9 comparison, 10 binary operator, 12 constant,
// 13 period, 14 comma, 46 unresolved, 47 end of statement.
const ScanCase ScanCases[] = {
    {"x=1:y=2", false, "46:0@0+1 9:28@1+1 12:1@2+1 47:1@3+1 46:0@4+1 9:28@5+1 12:2@6+1 47:0@6+1"},
    {"x = 5 : DEBUG \"Hi\", CR\r\n", false,
     "46:0@0+1 9:28@2+1 12:5@4+1 47:1@6+1 3:5@8+5 12:72@15+1 14:0@16+1 12:105@16+1 14:0@18+1 12:13@20+2 "
     "47:0@22+1"},
    {"DEBUG 1,\n2", true, "3:5@0+5 12:1@6+1 14:0@7+1 12:2@9+1 47:0@9+1"},
    {"DEBUG 1,\n2", false, "3:5@0+5 12:1@6+1 14:0@7+1 47:0@8+1 12:2@9+1 47:0@9+1"},
    // After a trailing comma the end starts one past the line end that follows the comma; when
    // the source ends right after the comma, it stays at the closing marker with no length
    // (never past the source, which error marks rely on).
    {"DEBUG 1,", true, "3:5@0+5 12:1@6+1 14:0@7+1 47:0@8+0"},
    {"DEBUG 1,\r\n", true, "3:5@0+5 12:1@6+1 14:0@7+1 47:0@9+1"},
    {"DEBUG 1,' more\n2", true, "3:5@0+5 12:1@6+1 14:0@7+1 12:2@15+1 47:0@15+1"},
    {"$1F", false, "12:31@0+3 47:0@0+3"},
    {"$VARDA", true, "0:0@0+6 47:0@0+6"},
    {"%101", false, "12:5@0+4 47:0@0+4"},
    {"0000000000000001", false, "12:1@0+16 47:0@0+16"},
    {"65535", false, "12:65535@0+5 47:0@0+5"},
    {"high High HIGH", false, "3:22@0+4 3:22@5+4 3:22@10+4 47:0@10+4"},
    {"a < = b", false, "46:0@0+1 9:27@2+3 46:0@6+1 47:0@6+1"},
    {"a<>b a><b a=>b", false,
     "46:0@0+1 9:29@1+2 46:0@3+1 46:0@5+1 9:29@6+2 46:0@8+1 46:0@10+1 9:26@11+2 46:0@13+1 47:0@13+1"},
    {"a**b a* *b a*/b a*-b", false,
     "46:0@0+1 10:19@1+2 46:0@3+1 46:0@5+1 10:19@6+3 46:0@9+1 46:0@11+1 10:17@12+2 46:0@14+1 "
     "46:0@16+1 10:18@17+1 10:16@18+1 46:0@19+1 47:0@19+1"},
    {"x ' comment\ny", false, "46:0@0+1 47:0@2+1 46:0@12+1 47:0@12+1"},
    {"a\r\nb\r\n", false, "46:0@0+1 47:0@1+1 46:0@3+1 47:0@4+1"},
    {"\n\n:", false, "47:1@2+1"},
    {"B3.BIT9", false, "5:521@0+2 13:0@2+1 7:9@3+4 47:0@3+4"},
    {"", false, ""},
    {"\r\n  \t\r\n", false, ""},
    {"#IF", true, "2:25@0+3 47:0@0+3"},
};

TEST(Scanner, ElementListsOfSmallSources) {
  for (const ScanCase& c : ScanCases) {
    auto t = Make(c.Source);
    ASSERT_EQ(Scan(*t, c.Is25), std::nullopt) << c.Source;
    EXPECT_EQ(Elements(*t), c.Elements) << c.Source;
  }
}

struct ScanErrorCase {
  std::string Source;
  bool Is25;
  Failure Expected;
};

const ScanErrorCase ScanErrors[] = {
    {"x = \"\"", false, {"101-Expected character(s)", 4, 2}},
    {"x = \"ab\n", false, {"102-Expected terminating \"", 4, 4}},
    {"x = {", false, {"103-Unrecognized character", 4, 1}},
    {"x = \xC3\xA9", false, {"103-Unrecognized character", 4, 1}},
    {"x = ;", false, {"103-Unrecognized character", 4, 1}},
    {"#IF", false, {"103-Unrecognized character", 0, 1}},
    {"x = $G", false, {"104-Expected hex digit", 5, 1}},
    {"$VARDA", false, {"104-Expected hex digit", 1, 1}},
    {"x = %2", false, {"105-Expected binary digit", 5, 1}},
    {"%", false, {"105-Expected binary digit", 1, 1}},
    {std::string(33, 'A'), false, {"106-Symbol exceeds 32 characters", 0, 33}},
    {"00000000000000001", false, {"108-Constant exceeds 16 digits", 0, 17}},
    {"x = 65536", false, {"109-Constant exceeds 16 bits", 4, 6}},
    {"99999", false, {"109-Constant exceeds 16 bits", 0, 6}},
    {"#FOO", true, {"154-Expected a directive", 0, 4}},
};

TEST(Scanner, ErrorsMarkTheFaultyText) {
  for (const ScanErrorCase& c : ScanErrors) {
    auto t = Make(c.Source);
    EXPECT_EQ(Scan(*t, c.Is25), c.Expected) << c.Source;
  }
}

TEST(Scanner, NameOfThirtyTwoCharactersIsAccepted) {
  auto t = Make(std::string(32, 'q'));
  ASSERT_EQ(Scan(*t), std::nullopt);
  EXPECT_EQ(Elements(*t), "46:0@0+32 47:0@0+32");
}

TEST(Scanner, ElementLimitIsTenThousandTwoHundredForty) {
  std::string fits;
  for (int i = 0; i < 10239; ++i) fits += "1 ";  // 10239 constants and the closing end
  auto t = Make(fits);
  ASSERT_EQ(Scan(*t), std::nullopt);
  EXPECT_EQ(t->Scan.EndMark, 10240);

  const std::string over = fits + "1 ";
  t = Make(over);
  EXPECT_EQ(Scan(*t), (Failure{"107-Too many elements", static_cast<int>(over.size()) - 1, 1}));
}

TEST(Scanner, ControlCharactersBecomeLineEnds) {
  auto t = Make(
      "a\x01"
      "b\tc\x1F"
      "d");
  ASSERT_EQ(Scan(*t), std::nullopt);
  EXPECT_EQ(Elements(*t), "46:0@0+1 47:0@1+1 46:0@2+1 46:0@4+1 47:0@5+1 46:0@6+1 47:0@6+1");
  EXPECT_EQ(t->TokenizeResult.Source[1], 3);
  EXPECT_EQ(t->TokenizeResult.Source[3], '\t');
}

TEST(Scanner, NamesDeclaredLaterGoIntoDeclaredNames) {
  auto t = Make("y = x\nx CON 5\nz VAR BYTE\nw DATA 1\n");
  ASSERT_EQ(Scan(*t), std::nullopt);
  for (const char* name : {"X", "Z", "W"}) EXPECT_GE(t->FindDeclaredName(name), 0) << name;
  EXPECT_EQ(t->FindDeclaredName("Y"), -1);
}

TEST(Scanner, NextElementResolvesNamesDeclaredAfterTheScan) {
  auto t = Make("x + 1");
  ASSERT_EQ(Scan(*t), std::nullopt);
  tok::Symbol x;
  x.SetName("X");
  x.Kind = tok::Constant;
  x.Value = 5;
  t->AddSymbol(x);
  tok::Element e;
  t->Scan.ElementIndex = 0;
  ASSERT_TRUE(t->NextElement(e));
  EXPECT_EQ(e.Kind, tok::Constant);
  EXPECT_EQ(e.Value, 5);
  EXPECT_EQ(t->Scan.ElementList[0].Kind, tok::Unresolved);  // the list itself keeps the name
}

TEST(Scanner, PeekRestoresThePositionAndNextStopsAtTheEnd) {
  auto t = Make("a b");
  ASSERT_EQ(Scan(*t), std::nullopt);
  tok::Element e;
  t->Scan.ElementIndex = 0;
  t->NextElement(e);
  ASSERT_TRUE(t->PeekElement(e));
  EXPECT_EQ(e.Start, 2);
  EXPECT_EQ(t->TokenizeResult.ErrorStart, 0);  // still the element read last
  EXPECT_EQ(t->Scan.ElementIndex, 1);
  t->NextElement(e);  // b
  t->NextElement(e);  // end
  EXPECT_FALSE(t->NextElement(e));
  EXPECT_EQ(e.Kind, tok::EndOfStatement);
  EXPECT_FALSE(t->PeekElement(e));
  EXPECT_EQ(t->Scan.ElementIndex, t->Scan.EndMark);
}

TEST(Scanner, DeleteStatementRemovesTheLineEndOfALineItEmpties) {
  struct Case {
    std::string Source;
    int First, Last;
    std::string Live;
  };
  const Case cases[] = {
      {"a b\nc\n", 0, 1, "c ;"},         // whole first line: its end goes too
      {"a b\nc\n", 1, 1, "a ; c ;"},     // part of a line: the end stays
      {"a\nb c\nd\n", 2, 3, "a ; d ;"},  // a middle line after an end
      {"a : b\n", 2, 2, "a :"},          // after ':' the line end goes too
  };
  for (const Case& c : cases) {
    auto t = Make(c.Source);
    ASSERT_EQ(Scan(*t), std::nullopt);
    t->DeleteStatement(c.First, c.Last);
    std::string live = LiveText(*t, c.Source);
    EXPECT_EQ(live, c.Live) << c.Source;
  }
}

}  // namespace
