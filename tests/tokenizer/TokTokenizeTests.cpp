// Tokenize as a whole: the error table, where error texts go, the reset, the preset module and
// the guard against a size the record cannot hold.

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

TEST(ErrorTable, TextsAreNumberedAndExact) {
  std::set<std::string> numbers;
  for (std::string_view text : tok::ErrorTable) {
    ASSERT_GE(text.size(), 4u);
    EXPECT_TRUE(std::isdigit(text[0]) && std::isdigit(text[1]) && std::isdigit(text[2]) && text[3] == '-')
        << text;
    numbers.insert(std::string(text.substr(0, 3)));
  }
  EXPECT_EQ(numbers.size(), 119u);  // every row shows its own number
  EXPECT_EQ(tok::ErrorTable[1], "102-Expected terminating \"");
  EXPECT_EQ(tok::ErrorTable[17], "118-Expected '\\'");
  EXPECT_EQ(tok::ErrorTable[23], "203-Expected '}'.  Can not specify more than 7 additional project files.");
  EXPECT_EQ(tok::ErrorTable[59], "156-Unknown target module.  $VARDA directive not found");
  EXPECT_EQ(tok::ErrorTable[102], "199-");
  EXPECT_EQ(tok::ErrorTable[118],
            "232-Invalid TESSIC version number.  Must be 2.0 or 2.5 for VD2-type modules.");
}

bool InsideSource(const tok::ResultRecord& r, const char* text) {
  return text >= r.Source && text < r.Source + tok::SourceCapacity;
}

TEST(Tokenize, ErrorTextHasItsOwnStorageAndPositionIsKept) {
  for (int row : {0, 1, 22, 59, 102, 118}) {
    auto t = Make("");
    t->TokenizeResult.ErrorStart = 3;
    t->TokenizeResult.ErrorLength = 4;
    EXPECT_THROW(t->RaiseTokenizeError(row), tok::ETokenizeError);
    const char* text = t->TokenizeResult.ErrorText;
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(std::string_view(text), tok::ErrorTable[row]);
    EXPECT_FALSE(InsideSource(t->TokenizeResult, text));
    EXPECT_EQ(t->TokenizeResult.Source[tok::SourceCapacity - 2], 0);
    EXPECT_EQ(t->TokenizeResult.ErrorStart, 3);
    EXPECT_EQ(t->TokenizeResult.ErrorLength, 4);
  }
  auto t = Make("");
  EXPECT_THROW(t->RaiseTokenizeError(128 + 60), tok::ETokenizeError);  // only the low 7 bits count
  EXPECT_STREQ(t->TokenizeResult.ErrorText, "157-Nothing to tokenize");
}

// A source that fills the record keeps its last characters when compiling it fails.
TEST(Tokenize, AnErrorLeavesTheEndOfAFullSourceAsItWas) {
  const std::string head = "'{$VARDA VD2}\nGOTO nowhere\n'";
  const std::string source = head + std::string(tok::Tokenizer::SourceSizeLimit - head.size(), 'z');
  auto t = Make(source);
  EXPECT_FALSE(t->Tokenize(false, true, false));
  const tok::ResultRecord& r = t->TokenizeResult;
  EXPECT_STREQ(r.ErrorText, "111-Undefined label");
  EXPECT_EQ(std::string_view(r.Source + r.ErrorStart, r.ErrorLength), "nowhere");
  EXPECT_EQ(std::string_view(r.Source + head.size(), source.size() - head.size()),
            source.substr(head.size()));
}

TEST(Tokenize, NothingToTokenizeUnlessOnlyDirectivesAreRead) {
  for (const char* source : {"", "' a comment\r\n", "'{$VARDA VD2}\n' {$TESSIC 2.5}\n\n"}) {
    auto t = Make(source);
    t->TokenizeResult.ErrorStart = 9;
    EXPECT_FALSE(t->Tokenize(false, false, false)) << source;
    EXPECT_EQ(FailureOf(*t), (Failure{"157-Nothing to tokenize", 0, 0})) << source;
    EXPECT_EQ(t->TokenizeResult.Success, 0);
    t->SetSource(source);  // the passes rewrite the text in place
    EXPECT_TRUE(t->Tokenize(true, false, false)) << source;
    EXPECT_EQ(t->TokenizeResult.ErrorText, nullptr);
  }
}

TEST(Tokenize, MissingTargetDirective) {
  auto t = Make("x = 1\n");
  EXPECT_FALSE(t->Tokenize(false, true, false));
  EXPECT_EQ(FailureOf(*t), (Failure{"156-Unknown target module.  $VARDA directive not found", 0, 0}));
  EXPECT_EQ(t->TokenizeResult.TargetModule, 0);
}

TEST(Tokenize, ResetClearsTheRecordButKeepsTheSource) {
  auto t = Make("'{$VARDA VD2E, a.x}\n'{$PORT COM1}\n");
  ASSERT_TRUE(t->Tokenize(true, true, false));
  ASSERT_NE(t->TokenizeResult.Port, nullptr);
  t->TokenizeResult.EEPROM[5] = 9;
  t->TokenizeResult.EEPROMFlags[5] = 2;
  t->TokenizeResult.ModuleBytes[0] = 1;
  t->SetSource("' nothing\n");
  EXPECT_TRUE(t->Tokenize(true, false, false));
  const tok::ResultRecord& r = t->TokenizeResult;
  EXPECT_EQ(r.Port, nullptr);
  EXPECT_EQ(r.ProjectFiles[0], nullptr);
  EXPECT_EQ(r.EEPROM[5], 0);
  EXPECT_EQ(r.EEPROMFlags[5], 0);
  EXPECT_EQ(r.ModuleBytes[0], 0);
  EXPECT_EQ(r.TargetModule, tok::ModuleVD2E);  // kept: the directive was not read this time
}

TEST(Tokenize, ASizeBeyondTheRecordFailsWithoutText) {
  auto t = Make("x");
  t->TokenizeResult.SourceSize = 70000;
  EXPECT_FALSE(t->Tokenize(false, false, false));
  EXPECT_EQ(t->TokenizeResult.ErrorText, nullptr);
  t->TokenizeResult.SourceSize = -1;
  EXPECT_FALSE(t->Tokenize(false, false, false));
}

TEST(Tokenize, SetSourceRefusesTextsThatDoNotFit) {
  auto t = Make("");
  EXPECT_TRUE(t->SetSource(std::string(65535, ' ')));
  EXPECT_FALSE(t->SetSource(std::string(65536, ' ')));
  EXPECT_EQ(t->TokenizeResult.SourceSize, 65535);
}

TEST(Tokenize, ScannerErrorsAbortTheCompilation) {
  struct Case {
    std::string Source;
    Failure Expected;
  };
  const Case cases[] = {
      {"x = 1\ny = {\n", {"103-Unrecognized character", 10, 1}},
      {"DEBUG \"abc\n", {"102-Expected terminating \"", 6, 5}},
      {"'{$TESSIC 2.5}\nx = 1\n#ERROR \"Halt\"\n", {"199-Halt", 21, 13}},
  };
  for (const Case& c : cases) {
    auto t = Make(c.Source);
    EXPECT_EQ(TokenizeFor(*t), c.Expected) << c.Source;
  }
}

}  // namespace
