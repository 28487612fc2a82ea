// The owners of the tokenizer's state on their own: the stack of open structures, the one of
// open #IF/#SELECT blocks, the element list, the symbol tables, the code writer and the
// character classes both scanners read with.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "tokenizer/CharacterClasses.h"
#include "tokenizer/CodeWriter.h"
#include "tokenizer/ConditionalStack.h"
#include "tokenizer/ControlStack.h"
#include "tokenizer/ElementScanner.h"
#include "tokenizer/SymbolTables.h"

namespace {

tok::ControlFrame Frame(uint8_t kind, uint16_t start) {
  tok::ControlFrame frame;
  frame.Kind = kind;
  frame.Start = start;
  return frame;
}

TEST(ControlStack, EachKindIsCountedUnderItsStructure) {
  tok::ControlStack stack;
  for (uint8_t kind : {tok::IfThenPartSingle, tok::ForFrame, tok::IfThenPart, tok::DoFrame, tok::SelectFrame,
                       tok::IfAfterElseSingle})
    stack.Push(Frame(kind, 0));
  EXPECT_EQ(stack.OpenIfs(), 3);
  EXPECT_EQ(stack.OpenFors(), 1);
  EXPECT_EQ(stack.OpenDos(), 1);
  EXPECT_EQ(stack.OpenSelects(), 1);
  stack.Top().Kind = tok::IfElsePartSingle;  // a single-line IF moves on: still an IF
  stack.Pop();
  stack.Pop();
  EXPECT_EQ(stack.OpenIfs(), 2);
  EXPECT_EQ(stack.OpenSelects(), 0);
  EXPECT_EQ(stack.Top().Kind, tok::DoFrame);
  stack.Clear();
  EXPECT_TRUE(stack.Empty());
  EXPECT_EQ(stack.OpenIfs() + stack.OpenFors() + stack.OpenDos() + stack.OpenSelects(), 0);
}

TEST(ControlStack, InnermostLoopPassesOverIfAndSelect) {
  tok::ControlStack stack;
  EXPECT_EQ(stack.InnermostLoop(), nullptr);
  stack.Push(Frame(tok::ForFrame, 1));
  stack.Push(Frame(tok::DoFrame, 2));
  stack.Push(Frame(tok::SelectFrame, 3));
  stack.Push(Frame(tok::IfThenPart, 4));
  ASSERT_NE(stack.InnermostLoop(), nullptr);
  EXPECT_EQ(stack.InnermostLoop()->Start, 2);
  stack.Pop();
  stack.Pop();
  stack.Pop();
  EXPECT_EQ(stack.InnermostLoop()->Start, 1);
  stack.Pop();
  stack.Push(Frame(tok::IfThenPart, 5));
  EXPECT_EQ(stack.InnermostLoop(), nullptr);
}

TEST(ConditionalStack, WhichPartsAreInactive) {
  using Type = tok::ConditionalFrame::Type;
  using Cases = tok::ConditionalFrame::CaseState;
  struct Case {
    Type Kind;
    bool Skipping;
    Cases State;
    bool Inactive;
  };
  const Case cases[] = {
      {Type::IfThen, false, Cases::NoneTaken, false}, {Type::IfThen, true, Cases::InTaken, true},
      {Type::IfElse, true, Cases::NoneTaken, true},   {Type::IfElse, false, Cases::AfterTaken, false},
      {Type::Select, false, Cases::NoneTaken, true},  {Type::Select, true, Cases::InTaken, false},
      {Type::Select, false, Cases::AfterTaken, true},
  };
  for (const Case& c : cases) {
    tok::ConditionalFrame frame;
    frame.Kind = c.Kind;
    frame.Skipping = c.Skipping;
    frame.Cases = c.State;
    EXPECT_EQ(frame.Inactive(), c.Inactive) << static_cast<int>(c.Kind) << " " << static_cast<int>(c.State);
  }
}

TEST(ConditionalStack, PushStartsAFreshFrameAndCountsIt) {
  tok::ConditionalStack stack;
  tok::ConditionalFrame& select = stack.Push(tok::ConditionalFrame::Type::Select, 7);
  select.Cases = tok::ConditionalFrame::CaseState::InTaken;
  select.SkipRest = 9;
  stack.Pop();
  const tok::ConditionalFrame& fresh = stack.Push(tok::ConditionalFrame::Type::IfThen, 12);
  EXPECT_EQ(fresh.Start, 12);
  EXPECT_EQ(fresh.Cases, tok::ConditionalFrame::CaseState::NoneTaken);
  EXPECT_EQ(fresh.SkipRest, 0);
  EXPECT_FALSE(fresh.Skipping);
  stack.Push(tok::ConditionalFrame::Type::Select, 13);
  EXPECT_EQ(stack.OpenIfs(), 1);
  EXPECT_EQ(stack.OpenSelects(), 1);
}

tok::Element Of(uint8_t kind) {
  tok::Element e;
  e.Kind = kind;
  return e;
}

TEST(ElementScanner, AppendsAtTheEndAndReadsOnlyLiveElements) {
  auto scanner = std::make_unique<tok::ElementScanner>();
  scanner->StartScan();
  for (uint8_t kind :
       {tok::Instruction, tok::Constant, tok::EndOfStatement, tok::Instruction, tok::EndOfStatement})
    scanner->Append(Of(kind));
  EXPECT_EQ(scanner->EndMark, 5);
  EXPECT_EQ(scanner->ElementIndex, 0);  // appending leaves the read position alone
  scanner->DeleteStatement(0, 1);       // the first line: its end goes too
  EXPECT_EQ(scanner->ElementList[2].Kind, tok::Deleted);
  EXPECT_TRUE(scanner->SkipDeleted());
  EXPECT_EQ(scanner->ElementIndex, 3);
  scanner->DeleteElements(3, 4);
  EXPECT_FALSE(scanner->SkipDeleted());
  EXPECT_EQ(scanner->ElementIndex, 5);
}

TEST(ElementScanner, FullAtTheElementLimit) {
  auto scanner = std::make_unique<tok::ElementScanner>();
  scanner->StartScan();
  while (!scanner->Full()) scanner->Append(Of(tok::Comma));
  EXPECT_EQ(scanner->EndMark, tok::ElementLimit);
}

tok::Symbol Named(const std::string& name, uint8_t kind, int16_t value) {
  tok::Symbol s;
  s.SetName(name);
  s.Kind = kind;
  s.Value = value;
  return s;
}

TEST(SymbolTables, LookupTellsKnownFromDeclaredLaterFromUnknown) {
  auto tables = std::make_unique<tok::SymbolTables>();
  ASSERT_TRUE(tables->Add(Named("SPEED", tok::Constant, 40)));
  ASSERT_TRUE(tables->AddDeclaredName("LATER"));
  const tok::LookupResult known = tables->Lookup("SPEED");
  EXPECT_EQ(known.Kind, tok::Constant);
  EXPECT_EQ(known.Value, 40);
  EXPECT_FALSE(known.DeclaredLater);
  EXPECT_TRUE(tables->Lookup("LATER").DeclaredLater);
  EXPECT_EQ(tables->Lookup("LATER").Kind, tok::Unresolved);
  EXPECT_FALSE(tables->Lookup("NEVER").DeclaredLater);
  EXPECT_TRUE(tables->SetValue("SPEED", 41));
  EXPECT_EQ(tables->Lookup("SPEED").Value, 41);
  EXPECT_FALSE(tables->SetValue("NEVER", 1));
}

TEST(SymbolTables, AFullTableRefusesAndKeepsWhatItHas) {
  auto tables = std::make_unique<tok::SymbolTables>();
  for (int i = 0; i < tok::SymbolLimit; ++i)
    ASSERT_TRUE(tables->Add(Named("N" + std::to_string(i), tok::Label, 0)));
  EXPECT_TRUE(tables->Full());
  EXPECT_FALSE(tables->Add(Named("ONEMORE", tok::Label, 0)));
  EXPECT_EQ(tables->Find("ONEMORE"), -1);
  EXPECT_EQ(tables->Find("N1023"), 1023);
  tables->Clear();
  EXPECT_EQ(tables->Find("N0"), -1);
  EXPECT_TRUE(tables->Add(Named("ONEMORE", tok::Label, 0)));
}

TEST(CodeWriter, StartPlacesTheCodeAndRestartsFixupsAndGosubNumbers) {
  auto code = std::make_unique<tok::CodeWriter>();
  code->GosubTotal = 3;
  code->Start(4 * 14);
  code->AddFixup(9);
  EXPECT_EQ(code->FixupList[0].ElementIndex, 9);
  EXPECT_EQ(code->FixupList[0].Position, 56);
  EXPECT_EQ(code->NextGosubNumber(), 1);
  EXPECT_EQ(code->NextGosubNumber(), 2);
  code->Start(14);
  EXPECT_EQ(code->FixupCount, 0);
  EXPECT_EQ(code->NextGosubNumber(), 1);
  EXPECT_EQ(code->GosubTotal, 3);  // counted before the loop, kept through it
}

TEST(CharacterClasses, DigitsInEachBaseAndCase) {
  struct Case {
    char C;
    int Base;
    int Value;
  };
  const Case cases[] = {{'0', 2, 0},   {'1', 2, 1},   {'2', 2, -1},  {'9', 10, 9},  {'A', 10, -1},
                        {'a', 16, 10}, {'F', 16, 15}, {'f', 16, 15}, {'G', 16, -1}, {'/', 10, -1}};
  for (const Case& c : cases)
    EXPECT_EQ(tok::chars::DigitValue(c.C, c.Base), c.Value) << c.C << " base " << c.Base;
}

TEST(CharacterClasses, NamesAreAsciiOnly) {
  const std::string nameStarts = "AZaz_", nameOnly = "09", neither = " \t$.'\xC3\xA9";
  for (char c : nameStarts) EXPECT_TRUE(tok::chars::IsNameStart(c) && tok::chars::IsNameChar(c)) << c;
  for (char c : nameOnly) EXPECT_TRUE(!tok::chars::IsNameStart(c) && tok::chars::IsNameChar(c)) << c;
  for (char c : neither) EXPECT_FALSE(tok::chars::IsNameChar(c)) << static_cast<int>(c);
  EXPECT_EQ(tok::chars::Upper('q'), 'Q');
  EXPECT_EQ(tok::chars::Upper('\xE9'), '\xE9');
}

}  // namespace
