// The VD1 scanner: elements, values and positions.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tokenizer/vd1/Vd1Keywords.h"
#include "tokenizer/vd1/Vd1Scanner.h"

namespace {

using namespace tok::vd1;

struct Expected {
  Kind kind;
  int value;
  int start;
  int length;
};

struct ScanCase {
  std::string source;
  std::vector<Expected> elements;  // up to the end of the source
};

// clang-format off
const ScanCase kScans[] = {
    {"HIGH 1\r\nlow 2", {{KInstruction, IHigh, 0, 4}, {KConstant, 1, 5, 1}, {KEndOfLine, 0, 6, 1},
                        {KEndOfLine, 0, 7, 1}, {KInstruction, ILow, 8, 3}, {KConstant, 2, 12, 1}}},
    {"' a comment ? {\nHigh", {{KEndOfLine, 0, 0, 1}, {KInstruction, IHigh, 16, 4}}},
    {"\"AB\",", {{KConstant, 'A', 1, 1}, {KComma, 0, 2, 1}, {KConstant, 'B', 2, 1}, {KComma, 0, 4, 1}}},
    {"\"\"5", {{KConstant, 5, 2, 1}}},
    {"\"A\nB", {{KConstant, 'A', 1, 1}, {KEndOfLine, 0, 2, 1}, {KUndefined, 0, 3, 1}}},
    {"< = <> >< <= =< => >= =- = -", {{KLessEqual, 0, 0, 3}, {KNotEqual, 0, 4, 2}, {KNotEqual, 0, 7, 2},
                                      {KLessEqual, 0, 10, 2}, {KLessEqual, 0, 13, 2},
                                      {KGreaterEqual, 0, 16, 2}, {KGreaterEqual, 0, 19, 2},
                                      {KEqualMinus, 0, 22, 2}, {KEqualMinus, 0, 25, 3}}},
    {"** // &/ |/ ^/ + * / & | ^ # ( ) :", {{KStarStar, 0, 0, 2}, {KSlashSlash, 0, 3, 2}, {KAndNot, 0, 6, 2},
                                            {KOrNot, 0, 9, 2}, {KXorNot, 0, 12, 2}, {KPlus, 0, 15, 1},
                                            {KStar, 0, 17, 1}, {KSlash, 0, 19, 1}, {KAmpersand, 0, 21, 1},
                                            {KBar, 0, 23, 1}, {KCaret, 0, 25, 1}, {KHash, 0, 27, 1},
                                            {KOpenParen, 0, 29, 1}, {KCloseParen, 0, 31, 1},
                                            {KColon, 0, 33, 1}}},
    {"$1F %101 @7 $ % @", {{KConstant, 31, 0, 3}, {KConstant, 5, 4, 4}, {KConstant, 7, 9, 2},
                           {KNumberPrefix, 16, 12, 1}, {KNumberPrefix, 2, 14, 1}, {KNumberPrefix, 10, 16, 1}}},
    {"70000 $FFFFF 0065535", {{KConstant, 70000 - 65536, 0, 5}, {KConstant, 0xFFFF, 6, 6}, {KConstant, 65535, 13, 7}}},
    {"b0 W6 port Pins dir7 bit15 cls Cr", {{KVariable, 34, 0, 2}, {KVariable, 62, 3, 2}, {KVariable, 48, 6, 4},
                                           {KVariable, 32, 11, 4}, {KVariable, 15, 16, 4},
                                           {KVariable, 31, 21, 5}, {KDebugWord, 1, 27, 3},
                                           {KDebugWord, 2, 31, 2}}},
    {"rem Symbol eeprom bsave min max and or then to step n2400",
     {{KRem, 0, 0, 3}, {KSymbol, 0, 4, 6}, {KEeprom, 0, 11, 6}, {KBsave, 0, 18, 5}, {KMin, 0, 24, 3},
      {KMax, 0, 28, 3}, {KAnd, 0, 32, 3}, {KOr, 0, 36, 2}, {KThen, 0, 39, 4}, {KTo, 0, 44, 2},
      {KStep, 0, 47, 4}, {KConstant, 4, 52, 5}}},
    {"_name9 5x", {{KUndefined, 0, 0, 6}, {KConstant, 5, 7, 1}, {KUndefined, 0, 8, 1}}},
};
// clang-format on

TEST(Vd1Scanner, ElementsValuesAndPositions) {
  UserSymbols symbols;
  for (const ScanCase& c : kScans) {
    SCOPED_TRACE(c.source);
    Scanner scanner(c.source.data(), static_cast<int>(c.source.size()), symbols);
    for (const Expected& e : c.elements) {
      const Token token = scanner.Next();
      EXPECT_EQ(token.kind, e.kind) << "at " << e.start;
      EXPECT_EQ(token.value, e.value) << "at " << e.start;
      EXPECT_EQ(token.start, e.start);
      EXPECT_EQ(token.length, e.length) << "at " << e.start;
      EXPECT_EQ(scanner.ErrorStart(), e.start);
      EXPECT_FALSE(token.endOfSource);
    }
    const Token end = scanner.Next();
    EXPECT_TRUE(end.endOfSource);
    EXPECT_EQ(end.start, static_cast<int>(c.source.size()));
  }
}

TEST(Vd1Scanner, PeekKeepsPositionAndErrorMark) {
  UserSymbols symbols;
  const std::string text = "HIGH \"AB\"";
  Scanner scanner(text.data(), static_cast<int>(text.size()), symbols);
  scanner.Next();
  for (int i = 0; i < 2; ++i) {
    const Token peeked = scanner.Peek();
    EXPECT_EQ(peeked.value, 'A');
    EXPECT_EQ(scanner.ErrorStart(), 0);
    EXPECT_EQ(scanner.ErrorLength(), 4);
  }
  EXPECT_EQ(scanner.Next().value, 'A');
  EXPECT_TRUE(scanner.Peek().quoted);
  EXPECT_EQ(scanner.Next().kind, KComma);
  EXPECT_EQ(scanner.Next().value, 'B');
  EXPECT_TRUE(scanner.Next().endOfSource);
}

TEST(Vd1Scanner, UserSymbolsResolveAfterKeywords) {
  UserSymbols symbols;
  symbols.Add("LOOP", KLabel, 77);
  symbols.Add("LED", KConstant, 5);
  const std::string text = "loop Led other";
  Scanner scanner(text.data(), static_cast<int>(text.size()), symbols);
  const Token loop = scanner.Next(), led = scanner.Next(), other = scanner.Next();
  EXPECT_EQ(loop.kind, KLabel);
  EXPECT_EQ(loop.value, 77);
  EXPECT_EQ(led.kind, KConstant);
  EXPECT_EQ(led.value, 5);
  EXPECT_EQ(other.kind, KUndefined);
}

}  // namespace

namespace {

// Every entry is found under its own name (no name twice), and the kinds hold as many entries
// as the dialect has words of each kind.
TEST(Vd1Keywords, TableIsCompleteAndUnambiguous) {
  int perKind[43] = {};
  const Keyword* table = KeywordTable();
  for (int i = 0; i < KeywordCount; ++i) {
    const auto found = FindKeyword(table[i].name);
    ASSERT_TRUE(found.has_value()) << table[i].name;
    EXPECT_EQ(found->kind, table[i].kind) << table[i].name;
    EXPECT_EQ(found->value, table[i].value) << table[i].name;
    ++perKind[table[i].kind];
  }
  const struct {
    Kind kind;
    int count;
  } counts[] = {{KConstant, 16},    {KVariable, 56}, {KInstruction, 32}, {KRem, 1},          {KSymbol, 1},
                {KEeprom, 1},       {KBsave, 1},     {KMin, 1},          {KStep, 1},         {KDebugWord, 2},
                {KNumberPrefix, 3}, {KNotEqual, 2},  {KLessEqual, 2},    {KGreaterEqual, 2}, {KEqualMinus, 1},
                {KEqual, 1},        {KColon, 1},     {KLabel, 0},        {KUndefined, 0},    {KEndOfLine, 0}};
  for (const auto& c : counts) EXPECT_EQ(perKind[c.kind], c.count) << int(c.kind);
  EXPECT_FALSE(FindKeyword("LET2").has_value());
  EXPECT_FALSE(FindKeyword("high").has_value());  // names are looked up upper case
}

}  // namespace
