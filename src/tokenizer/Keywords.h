#pragma once
// The predefined symbol tables, loaded into the symbol table at the start of every call.

#include <array>
#include <cstdint>
#include <string_view>

#include "tokenizer/Elements.h"

namespace tok {

struct KeywordRecord {
  std::string_view Name;
  uint8_t Kind;
  int16_t Value;
};

struct ConditionalKeyword {
  uint32_t Mask;  // loaded when (Mask AND need) = need
  KeywordRecord Record;
};

constexpr int DirectiveKeywordCount = 9;
constexpr int MainKeywordCount = 355;
constexpr int FormatterCount = 100;
constexpr int MainBeforeFormattersCount = 229;
constexpr int MainAfterFormattersCount = 26;
constexpr int ConditionalKeywordCount = 53;
static_assert(MainBeforeFormattersCount + FormatterCount + MainAfterFormattersCount == MainKeywordCount);

extern const KeywordRecord DirectiveKeywords[DirectiveKeywordCount];
extern const KeywordRecord MainKeywordsBeforeFormatters[MainBeforeFormattersCount];
extern const KeywordRecord MainKeywordsAfterFormatters[MainAfterFormattersCount];
extern const ConditionalKeyword ConditionalKeywords[ConditionalKeywordCount];

// need = (64 shifted left by LanguageIs25) OR ModuleBit[TargetModule]
constexpr uint32_t ModuleBit[7] = {0, 1, 2, 4, 8, 16, 32};
constexpr uint32_t KeywordNeed(int targetModule, int languageIs25) {
  return (64u << languageIs25) | ModuleBit[targetModule];
}

// ---- formatters: 100 names built by one rule -----------------------------------------------
// Base forms DEC 438, HEX 448, BIN 270; DECn = 1014 - 16(n-1) (n 1..5), HEXn = 1008 - 16(n-1)
// (n 1..4), BINn = 1022 - 16(n-1) (n 1..16). Prefix S adds 1024, I 2048 and IS 3072; the I
// prefixes have no DEC forms.
struct FormatterName {
  char Text[8] = {};
  uint8_t Length = 0;
  int16_t Value = 0;
  constexpr std::string_view View() const { return {Text, Length}; }
};

namespace internal {
struct FormatterBase {
  std::string_view Word;
  int16_t BaseValue;
  int16_t WidthStart;
  int Widths;
};
constexpr FormatterBase FormatterBases[3] = {{"DEC", 438, 1014, 5}, {"HEX", 448, 1008, 4}, {"BIN", 270, 1022, 16}};
struct FormatterPrefix {
  std::string_view Text;
  int16_t Add;
  bool HasDecimal;
};
constexpr FormatterPrefix FormatterPrefixes[4] = {{"", 0, true}, {"S", 1024, true}, {"I", 2048, false}, {"IS", 3072, false}};

constexpr FormatterName MakeFormatter(std::string_view prefix, std::string_view word, int width, int value) {
  FormatterName f;
  for (char c : prefix) f.Text[f.Length++] = c;
  for (char c : word) f.Text[f.Length++] = c;
  if (width >= 10) f.Text[f.Length++] = static_cast<char>('0' + width / 10);
  if (width > 0) f.Text[f.Length++] = static_cast<char>('0' + width % 10);
  f.Value = static_cast<int16_t>(value);
  return f;
}
}  // namespace internal

constexpr std::array<FormatterName, FormatterCount> BuildFormatters() {
  std::array<FormatterName, FormatterCount> out{};
  int n = 0;
  for (const auto& prefix : internal::FormatterPrefixes) {
    for (const auto& base : internal::FormatterBases) {
      if (base.Word == "DEC" && !prefix.HasDecimal) continue;
      out[n++] = internal::MakeFormatter(prefix.Text, base.Word, 0, base.BaseValue + prefix.Add);
      for (int width = 1; width <= base.Widths; ++width)
        out[n++] = internal::MakeFormatter(prefix.Text, base.Word, width,
                                           base.WidthStart - 16 * (width - 1) + prefix.Add);
    }
  }
  return out;
}

inline constexpr std::array<FormatterName, FormatterCount> Formatters = BuildFormatters();
static_assert(Formatters[FormatterCount - 1].View() == "ISBIN16", "the formatter rule yields exactly 100 names");
static_assert(Formatters[FormatterCount - 1].Value == 1022 - 16 * 15 + 3072);

}  // namespace tok
