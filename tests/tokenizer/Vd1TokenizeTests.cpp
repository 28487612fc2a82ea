// The VD1 path through Tokenize: the directive selects the VD1 compiler and its outcome lands
// in TokenizeResult.

#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "tokenizer/Tokenizer.h"
#include "tokenizer/vd1/Vd1.h"

namespace {

struct Run {
  std::unique_ptr<tok::Tokenizer> tokenizer = std::make_unique<tok::Tokenizer>();
  bool ok = false;
  tok::ResultRecord& r() { return tokenizer->TokenizeResult; }
};

std::unique_ptr<Run> TokenizeText(const std::string& text, bool anyVersion = false) {
  auto run = std::make_unique<Run>();
  EXPECT_TRUE(run->tokenizer->SetSource(text));
  run->ok = run->tokenizer->Tokenize(false, true, anyVersion);
  return run;
}

const char kProgram[] =
    "'{$VARDA VD1}\r\n"
    "SYMBOL count = B2\r\n"
    "Top: DEBUG count\r\n"
    "count = count + 1\r\n"
    "GOTO Top\r\n";

TEST(Vd1Tokenize, ImagePacketAndRecordFields) {
  auto run = TokenizeText(kProgram);
  ASSERT_TRUE(run->ok) << (run->r().ErrorText ? run->r().ErrorText : "");
  auto& r = run->r();
  EXPECT_EQ(r.TargetModule, tok::ModuleVD1);
  EXPECT_EQ(r.LanguageVersion, 100);
  EXPECT_EQ(r.PacketCount, 1);
  EXPECT_EQ(r.DebugCount, 1);
  EXPECT_EQ(r.DebugFlag, 1);
  EXPECT_EQ(r.ErrorStart, 0);
  EXPECT_EQ(r.ErrorLength, 0);

  // The same source compiled on its own gives the same image; the packet is it reversed.
  const std::string source(kProgram);
  tok::vd1::Outcome direct;
  tok::vd1::Compile(source.data(), static_cast<int>(source.size()), direct);
  ASSERT_TRUE(direct.Success);
  for (int i = 0; i < 256; ++i) {
    EXPECT_EQ(r.EEPROM[i], direct.EEPROM[i]) << i;
    EXPECT_EQ(r.EEPROMFlags[i], direct.EEPROMFlags[i]) << i;
    EXPECT_EQ(r.PacketBuffer[i], r.EEPROM[255 - i]) << i;
  }
  EXPECT_EQ(r.PacketBuffer[0], r.EEPROM[255]);
  for (int i = 256; i < tok::EEPROMSize; ++i) ASSERT_EQ(r.EEPROMFlags[i], 0) << i;
  // module bytes: B2 is bit 18 of the 32-bit mask
  EXPECT_EQ(r.ModuleBytes[2], 1 << 2);

  // The debug text area sits in the last 1024 bytes of Source: one entry, the DEBUG at 19.
  const char* area = r.Source + tok::SourceCapacity - 1024;
  EXPECT_EQ(static_cast<uint8_t>(area[0]), 19);
  EXPECT_EQ(static_cast<uint8_t>(area[1]), 0);
  EXPECT_EQ(static_cast<uint8_t>(area[2]), 4);
  EXPECT_EQ(std::string(area + 4 + 3), "COUNT = ");

  // The label and the symbol are in the symbol table.
  const int label = run->tokenizer->FindSymbol("TOP");
  ASSERT_GE(label, 0);
  EXPECT_EQ(run->tokenizer->SymbolTable.Records[label].Kind, tok::Label);
  EXPECT_EQ(run->tokenizer->SymbolTable.Records[label].Value, 19);
  const int alias = run->tokenizer->FindSymbol("COUNT");
  ASSERT_GE(alias, 0);
  EXPECT_EQ(run->tokenizer->SymbolTable.Records[alias].Kind, tok::Variable);
  EXPECT_EQ(run->tokenizer->SymbolTable.Records[alias].Value, 36);
}

TEST(Vd1Tokenize, ErrorsKeepTextAndPosition) {
  const std::string text = "'{$VARDA VD1}\nHIGH 1\nGOTO nowhere\n";
  auto run = TokenizeText(text);
  ASSERT_FALSE(run->ok);
  auto& r = run->r();
  ASSERT_NE(r.ErrorText, nullptr);
  EXPECT_STREQ(r.ErrorText, "110-Undefined symbol");
  EXPECT_FALSE(r.ErrorText >= r.Source && r.ErrorText < r.Source + tok::SourceCapacity);  // its own storage
  EXPECT_EQ(r.ErrorStart, static_cast<int>(text.find("nowhere")));
  EXPECT_EQ(r.ErrorLength, 7);
  EXPECT_EQ(r.PacketCount, 0);
  EXPECT_EQ(r.Success, 0);
}

// A VD1 program that compiles to nothing but the header and END still makes its packet.
TEST(Vd1Tokenize, EmptyProgramStillHasAnImage) {
  auto run = TokenizeText("'{$VARDA VD1}\n' nothing here\n");
  ASSERT_TRUE(run->ok);
  EXPECT_EQ(run->r().PacketCount, 1);
  EXPECT_EQ(run->r().EEPROM[255], 255 - 24 / 8);
}

TEST(Vd1Tokenize, LanguageVersionForVd1) {
  const struct {
    const char* text;
    bool anyVersion;
    const char* error;  // null: compiles
  } cases[] = {
      {"'{$VARDA VD1}\n'{$TESSIC 1.0}\nHIGH 1\n", false, nullptr},
      {"'{$VARDA VD1}\n'{$TESSIC 2.0}\nHIGH 1\n", false,
       "231-Invalid TESSIC version number.  Must be 1.0 for VD1 module"},
      {"'{$VARDA VD1}\n'{$TESSIC 2.5}\nHIGH 1\n", false,
       "231-Invalid TESSIC version number.  Must be 1.0 for VD1 module"},
      {"'{$VARDA VD1}\n'{$TESSIC 2.0}\nHIGH 1\n", true, nullptr},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.text);
    auto run = TokenizeText(c.text, c.anyVersion);
    EXPECT_EQ(run->ok, c.error == nullptr);
    if (c.error) {
      ASSERT_NE(run->r().ErrorText, nullptr);
      EXPECT_STREQ(run->r().ErrorText, c.error);
    } else {
      EXPECT_EQ(run->r().PacketCount, 1);
    }
  }
}

// The target can also be preset by the caller; the directive lines are plain comments to the
// VD1 compiler either way.
TEST(Vd1Tokenize, PresetTargetModule) {
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  ASSERT_TRUE(tokenizer->SetSource("'{$VARDA VD2}\nHIGH 1\n"));
  tokenizer->TokenizeResult.TargetModule = tok::ModuleVD1;
  ASSERT_TRUE(tokenizer->Tokenize(false, false, false));
  EXPECT_EQ(tokenizer->TokenizeResult.PacketCount, 1);
  EXPECT_EQ(tokenizer->TokenizeResult.PacketBuffer[0], 0xFB);
}

}  // namespace
