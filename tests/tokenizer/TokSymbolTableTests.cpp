// Symbol tables: hash chains, the 1024-entry limits, and which keywords each module and
// language version loads; the formatter names built by their rule.

#include <gtest/gtest.h>

#include <set>

#include "TokTestSupport.h"
#include "tokenizer/Keywords.h"

using namespace toktest;

namespace {

std::unique_ptr<tok::Tokenizer> Loaded(uint8_t module, bool is25) {
  auto t = Make("", module);
  t->LoadDirectiveSymbols();
  t->LanguageIs25 = is25 ? 1 : 0;
  t->LoadKeywordSymbols();
  return t;
}

TEST(SymbolTable, HashIgnoresCaseAndSpreadsSimilarNames) {
  EXPECT_EQ(tok::NameHash("Limit7"), tok::NameHash("LIMIT7"));
  // Anagrams and numbered names, which a character sum piles into few chains.
  EXPECT_NE(tok::NameHash("AB"), tok::NameHash("BA"));
  std::set<int> chains;
  for (int i = 0; i < 600; ++i) {
    const int hash = tok::NameHash("LIMIT" + std::to_string(i));
    ASSERT_GE(hash, 0);
    ASSERT_LT(hash, tok::HashSize);
    chains.insert(hash);
  }
  EXPECT_GT(chains.size(), 400u);
}

TEST(SymbolTable, ANameAddedTwiceIsFoundAsAddedFirst) {
  auto t = Make("");
  t->LoadDirectiveSymbols();
  for (int16_t value : {1, 2}) {
    tok::Symbol s;
    s.SetName("TWICE");
    s.Value = value;
    t->AddSymbol(s);
  }
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("TWICE")].Value, 1);
}

TEST(SymbolTable, NamesSharingAChainAreAllFound) {
  auto t = Make("");
  t->LoadDirectiveSymbols();
  for (const char* name : {"AB", "BA", "AB_"}) {
    tok::Symbol s;
    s.SetName(name);
    s.Kind = tok::Constant;
    s.Value = static_cast<int16_t>(std::string_view(name).size());
    t->AddSymbol(s);
  }
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("AB")].Value, 2);
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("BA")].Value, 2);
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("AB_")].Value, 3);
  EXPECT_EQ(t->FindSymbol("ab"), -1);  // callers upper-case names
  EXPECT_TRUE(t->SetSymbolValue("BA", 9));
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("BA")].Value, 9);
  EXPECT_FALSE(t->SetSymbolValue("CA", 9));
}

TEST(SymbolTable, BothTablesHoldExactly1024Names) {
  auto t = Make("");
  t->LoadDirectiveSymbols();
  for (int i = t->SymbolTable.Count; i < tok::SymbolLimit; ++i) {
    tok::Symbol s;
    s.SetName("N" + std::to_string(i));
    t->AddSymbol(s);
  }
  EXPECT_GE(t->FindSymbol("N1023"), 0);
  tok::Symbol extra;
  extra.SetName("EXTRA");
  EXPECT_THROW(t->AddSymbol(extra), tok::ETokenizeError);
  EXPECT_EQ(FailureOf(*t).Text, "128-Symbol table full");

  for (int i = 0; i < tok::SymbolLimit; ++i) t->AddDeclaredName("D" + std::to_string(i));
  EXPECT_GE(t->FindDeclaredName("D1023"), 0);
  EXPECT_THROW(t->AddDeclaredName("D1024"), tok::ETokenizeError);
}

TEST(SymbolTable, LookupKeepsWhatItFoundAndTheDeclaredFlag) {
  auto t = Loaded(tok::ModuleVD2, false);
  t->AddDeclaredName("LATER");
  EXPECT_TRUE(t->LookupName("HIGH"));
  EXPECT_EQ(t->LastLookup.Kind, tok::Instruction);
  EXPECT_EQ(t->LastLookup.Value, 22);
  EXPECT_FALSE(t->LookupName("LATER"));
  EXPECT_EQ(t->LastLookup.Kind, tok::Unresolved);
  EXPECT_TRUE(t->LastLookup.DeclaredLater);
  EXPECT_FALSE(t->LookupName("NEVER"));
  EXPECT_FALSE(t->LastLookup.DeclaredLater);
}

TEST(SymbolTable, KeywordsPerModuleAndVersion) {
  struct Case {
    uint8_t Module;
    bool Is25;
    int Count;  // 9 directive symbols + 355 main + the conditional entries that match
    std::set<std::string> Present, Absent;
  };
  const Case cases[] = {
      {tok::ModuleVD2,
       false,
       364,
       {"HIGH", "W12", "ISBIN16", "MSBPOST"},
       {"GET", "DO", "#IF", "LCDIN", "SPSTR", "CRSRXY"}},
      {tok::ModuleVD2,
       true,
       397,
       {"DO", "#IF", "#THEN", "PIN", "CRSRXY", "DEBUGIN"},
       {"GET", "LCDIN", "SPSTR"}},
      {tok::ModuleVD2E, false, 367, {"GET", "PUT", "RUN"}, {"DO", "LCDIN"}},
      {tok::ModuleVD2SX, true, 400, {"GET", "ELSEIF"}, {"SPSTR", "POLLMODE"}},
      {tok::ModuleVD2P, false, 384, {"LCDIN", "AUXIO", "SPSTR", "GET"}, {"DO", "WHILE"}},
      {tok::ModuleVD2PE, true, 417, {"POLLMODE", "SPSTR", "#ENDSELECT", "UNTIL"}, {"IDEC"}},
  };
  for (const Case& c : cases) {
    auto t = Loaded(c.Module, c.Is25);
    EXPECT_EQ(t->SymbolTable.Count, c.Count) << int(c.Module) << c.Is25;
    for (const std::string& name : c.Present) EXPECT_GE(t->FindSymbol(name), 0) << name;
    for (const std::string& name : c.Absent) EXPECT_EQ(t->FindSymbol(name), -1) << name;
  }
}

TEST(SymbolTable, NoNameOccursTwice) {
  auto t = Loaded(tok::ModuleVD2PE, true);
  for (int i = 0; i < t->SymbolTable.Count; ++i)
    EXPECT_EQ(t->FindSymbol(t->SymbolTable.Records[i].NameView()), i) << t->SymbolTable.Records[i].NameView();
}

TEST(SymbolTable, SelectedKeywordValues) {
  auto t = Loaded(tok::ModuleVD2PE, true);
  struct Case {
    const char* Name;
    uint8_t Kind;
    int16_t Value;
  };
  const Case cases[] = {
      {"IN0", tok::Variable, 0},
      {"DIR15", tok::Variable, 47},
      {"DIRD", tok::Variable, 267},
      {"B25", tok::Variable, 543},
      {"W12", tok::Variable, 783},
      {"OUTS", tok::Variable, 769},
      {"HIGHBIT", tok::Modifier, 128},
      {"HIGHNIB", tok::Modifier, 384},
      {"HIGHBYTE", tok::Modifier, 640},
      {"BYTE1", tok::Modifier, 513},
      {"NIB3", tok::Modifier, 259},
      {"NUM", tok::NumFormat, 4358},
      {"SNUM", tok::NumFormat, 5382},
      {"DEC", tok::Formatter, 438},
      {"DEC1", tok::Formatter, 1014},
      {"DEC5", tok::Formatter, 950},
      {"HEX4", tok::Formatter, 960},
      {"BIN16", tok::Formatter, 782},
      {"SDEC", tok::Formatter, 1462},
      {"IHEX", tok::Formatter, 2496},
      {"ISBIN", tok::Formatter, 3342},
      {"ISBIN16", tok::Formatter, 3854},
      {"=<", tok::Comparison, 27},
      {"><", tok::Comparison, 29},
      {"*/", tok::BinaryOperator, 17},
      {"~", tok::UnaryOperator, 2},
      {"NOT", tok::NotWord, 2},
      {"XOR", tok::LogicalOperator, 12},
      {"@", tok::AtSign, 0},
      {"\\", tok::Backslash, 0},
      {"#ENDSELECT", tok::CondDirective, 14},
      {"#THEN", tok::HashThen, 0},
      {"AUXIO", tok::Instruction, 0},
      {"UNITSOFF", tok::Constant, 28},
      {"CRSRY", tok::Constant, 15},
      {"VD2PE", tok::ModuleName, 6},
  };
  for (const Case& c : cases) {
    const int i = t->FindSymbol(c.Name);
    ASSERT_GE(i, 0) << c.Name;
    EXPECT_EQ(t->SymbolTable.Records[i].Kind, c.Kind) << c.Name;
    EXPECT_EQ(t->SymbolTable.Records[i].Value, c.Value) << c.Name;
  }
}

TEST(SymbolTable, FormattersFollowTheirRule) {
  std::set<std::string> names;
  for (const tok::FormatterName& f : tok::Formatters) names.insert(std::string(f.View()));
  EXPECT_EQ(names.size(), 100u);
  EXPECT_EQ(names.count("IDEC"), 0u);
  EXPECT_EQ(names.count("ISDEC1"), 0u);
  EXPECT_EQ(names.count("SHEX4"), 1u);
  EXPECT_EQ(names.count("HEX5"), 0u);
}

TEST(SymbolTable, UnknownTargetModuleFailsAtPositionZero) {
  for (uint8_t module : {0, 7}) {
    auto t = Make("", module);
    t->TokenizeResult.ErrorStart = 5;
    t->TokenizeResult.ErrorLength = 5;
    t->LoadDirectiveSymbols();
    EXPECT_THROW(t->LoadKeywordSymbols(), tok::ETokenizeError);
    EXPECT_EQ(FailureOf(*t), (Failure{"156-Unknown target module.  $VARDA directive not found", 0, 0}));
  }
}

}  // namespace
