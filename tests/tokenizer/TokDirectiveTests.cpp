// Editor directives: $VARDA with project files, $PORT, $TESSIC, the preset module, and the
// directive symbols.

#include <gtest/gtest.h>

#include <cstring>

#include "TokTestSupport.h"

using namespace toktest;

namespace {

std::unique_ptr<tok::Tokenizer> ReadDirectives(const std::string& source, bool readTarget = true) {
  auto t = Make(source, readTarget ? tok::ModuleNone : tok::ModuleVD2);
  t->Tokenize(true, readTarget, false);
  return t;
}

TEST(Directives, AllThreeAreReadIntoTheResult) {
  const std::string source =
      "' {$VARDA VD2SX, one.bsx, \"two files.bsx\"} ignored\r\n"
      "'{$PORT com7}\r\n"
      "' { $TESSIC 2.5 }\r\n"
      "x = 1\r\n";
  auto t = ReadDirectives(source);
  const tok::ResultRecord& r = t->TokenizeResult;
  ASSERT_TRUE(r.Success) << FailureOf(*t);
  EXPECT_EQ(r.TargetModule, tok::ModuleVD2SX);
  EXPECT_EQ(r.TargetStart, 10);
  ASSERT_NE(r.ProjectFiles[0], nullptr);
  EXPECT_STREQ(r.ProjectFiles[0], "one.bsx");
  EXPECT_EQ(r.ProjectFileStarts[0], 17);
  ASSERT_NE(r.ProjectFiles[1], nullptr);
  EXPECT_STREQ(r.ProjectFiles[1], "two files.bsx");
  EXPECT_EQ(r.ProjectFileStarts[1], 27);
  EXPECT_EQ(r.ProjectFiles[2], nullptr);
  ASSERT_NE(r.Port, nullptr);
  EXPECT_STREQ(r.Port, "com7");
  EXPECT_EQ(r.PortStart, static_cast<int>(source.find("com7")));
  EXPECT_EQ(r.LanguageVersion, 250);
  EXPECT_EQ(r.LanguageStart, static_cast<int>(source.find("2.5")));
  EXPECT_EQ(t->LanguageIs25, 1);
  EXPECT_EQ(t->PortNumber(), 7);
  EXPECT_EQ(r.ErrorStart, 0);
  EXPECT_EQ(r.ErrorLength, 0);
}

TEST(Directives, DirectiveSymbolsTakeTheirValues) {
  auto t = ReadDirectives("'{$VARDA VD2P}\n'{$PORT COM12345}\n'{$TESSIC 2.0}\n");
  ASSERT_TRUE(t->TokenizeResult.Success) << FailureOf(*t);
  auto value = [&](const char* name) { return t->SymbolTable.Records[t->FindSymbol(name)].Value; };
  EXPECT_EQ(value("$VARDA"), 5);
  EXPECT_EQ(value("$PORT"), 123);  // up to three digits after "COM"
  EXPECT_EQ(value("$TESSIC"), 200);

  t = ReadDirectives("'{$VARDA VD2}\n");
  EXPECT_EQ(t->SymbolTable.Records[t->FindSymbol("$PORT")].Value, -1);
}

TEST(Directives, DefaultLanguageVersionFollowsTheModule) {
  EXPECT_EQ(ReadDirectives("'{$VARDA VD2}\n")->TokenizeResult.LanguageVersion, 200);
  EXPECT_EQ(ReadDirectives("'{$VARDA VD1}\n")->TokenizeResult.LanguageVersion, 100);
  EXPECT_EQ(ReadDirectives("'{$VARDA VD2PE}\n'{$TESSIC 2.5}\n")->TokenizeResult.LanguageVersion, 250);
}

TEST(Directives, PresetModuleIgnoresTheSourcesDirective) {
  auto t = ReadDirectives("'{$VARDA VD2SX, a.bsx}\n'{$VARDA VD1}\n", false);
  ASSERT_TRUE(t->TokenizeResult.Success) << FailureOf(*t);
  EXPECT_EQ(t->TokenizeResult.TargetModule, tok::ModuleVD2);
  EXPECT_EQ(t->TokenizeResult.ProjectFiles[0], nullptr);
}

TEST(Directives, CommentsThatAreNoDirectivesAreIgnored) {
  for (const char* source : {"' $VARDA VD2\n", "'{ VARDA VD2}\n", "'{\n", "'\n", "x = 1 ' {$VARDA VD2}x\n"}) {
    auto t = ReadDirectives(source);
    EXPECT_TRUE(t->TokenizeResult.Success) << source << FailureOf(*t);
    EXPECT_EQ(t->TokenizeResult.TargetModule, source[0] == 'x' ? tok::ModuleVD2 : tok::ModuleNone) << source;
  }
}

TEST(Directives, SevenProjectFilesFitTheEighthDoesNot) {
  auto t = ReadDirectives("'{$VARDA VD2PE, a, b, c, d, e, f, g}\n");
  ASSERT_TRUE(t->TokenizeResult.Success) << FailureOf(*t);
  EXPECT_STREQ(t->TokenizeResult.ProjectFiles[6], "g");
}

struct DirectiveError {
  std::string Source;
  bool ReadTarget;
  Failure Expected;
};

const DirectiveError DirectiveErrors[] = {
    {"'{$VARDA VD2, file.x}", true, {"201-Expected '}'", 12, 1}},
    {"'{$VARDA VD2SX, a, b, c, d, e, f, g, h}", true,
     {"203-Expected '}'.  Can not specify more than 7 additional project files.", 35, 1}},
    {"'{$VARDA VD9}", true, {"204-Expected a target module: VD1, VD2, VD2E, VD2SX, VD2P, or VD2PE", 9, 3}},
    {"'{$VARDA VD2E, }", true, {"153-Expected a filename", 15, 1}},
    {"'{$VARDA VD2E, \"\"}", true, {"101-Expected character(s)", 16, 1}},
    {"'{$VARDA VD2E, \"a.b}", true, {"102-Expected terminating \"", 16, 4}},
    {"'{$VARDA VD2}\n'{$VARDA VD2}", true, {"155-Duplicate directive", 16, 6}},
    {"'{$PORT COM1}\n'{$PORT COM2}", false, {"155-Duplicate directive", 16, 5}},
    {"'{$PORT LPT1}", false, {"208-Expected COM Port name: COM1, COM2, etc", 8, 4}},
    {"'{$PORT COM}", false, {"208-Expected COM Port name: COM1, COM2, etc", 8, 3}},
    {"'{$PORT COM1X}", false, {"208-Expected COM Port name: COM1, COM2, etc", 8, 5}},
    {"'{$PORT COM1 x}", false, {"201-Expected '}'", 13, 1}},
    {"'{$TESSIC 2.5}\n'{$TESSIC 2.5}", false, {"155-Duplicate directive", 17, 7}},
    {"'{$TESSIC x}", false, {"112-Expected a constant", 10, 1}},
    {"'{$TESSIC 3.0}", false, {"187-Invalid TESSIC version number.  Must be 1.0, 2.0 or 2.5", 10, 3}},
    {"'{$TESSIC 1.0}", false,
     {"232-Invalid TESSIC version number.  Must be 2.0 or 2.5 for VD2-type modules.", 10, 3}},
    {"'{$TESSIC 0.5}", false, {"186-Constant cannot be less than 1", 10, 2}},
    {"'{$FOO}", false, {"154-Expected a directive", 2, 4}},
    {"'{$VARDA VD2 *}", true, {"103-Unrecognized character", 13, 1}},
    {"'{$VARDA VD2 ;}", true, {"201-Expected '}'", 13, 1}},  // ';' is a file-name character
};

TEST(Directives, ErrorsWithTheirPositions) {
  for (const DirectiveError& c : DirectiveErrors) {
    auto t = ReadDirectives(c.Source, c.ReadTarget);
    EXPECT_FALSE(t->TokenizeResult.Success) << c.Source;
    EXPECT_EQ(FailureOf(*t), c.Expected) << c.Source;
  }
}

TEST(Directives, VersionRulesPerModuleUnlessAnyVersionIsAllowed) {
  struct Case {
    uint8_t Module;
    const char* Version;
    bool Any;
    const char* Error;  // nullptr: accepted
  };
  const Case cases[] = {
      {tok::ModuleVD1, "2.0", false, "231-Invalid TESSIC version number.  Must be 1.0 for VD1 module"},
      {tok::ModuleVD1, "1.0", false, nullptr},
      {tok::ModuleVD1, "2.5", true, nullptr},
      {tok::ModuleVD2E, "1.0", false,
       "232-Invalid TESSIC version number.  Must be 2.0 or 2.5 for VD2-type modules."},
      {tok::ModuleVD2E, "1.0", true, nullptr},
      {tok::ModuleVD2E, "2.5", false, nullptr},
  };
  for (const Case& c : cases) {
    auto t = Make(std::string("'{$TESSIC ") + c.Version + "}\n", c.Module);
    const bool ok = t->Tokenize(true, false, c.Any);
    if (c.Error) {
      EXPECT_FALSE(ok);
      EXPECT_EQ(FailureOf(*t).Text, c.Error);
    } else {
      EXPECT_TRUE(ok) << FailureOf(*t);
    }
  }
}

TEST(Directives, NamesAreTerminatedInPlace) {
  auto t = ReadDirectives("'{$VARDA VD2E, x.bsx}\n'{$PORT COM3}\n'{$TESSIC 2.0}\n");
  const char* src = t->TokenizeResult.Source;
  EXPECT_EQ(src[t->TokenizeResult.ProjectFileStarts[0] + 5], 0);
  EXPECT_EQ(src[t->TokenizeResult.PortStart + 4], 0);
  EXPECT_EQ(src[t->TokenizeResult.LanguageStart + 3], 0);
}

}  // namespace
