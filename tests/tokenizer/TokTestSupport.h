#pragma once
// Helpers for the tokenizer core tests: run the front passes (scan, directives, conditional
// compilation) on a text, describe the element list, read expression and code bits.

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "tokenizer/Tokenizer.h"

namespace toktest {

struct Failure {
  std::string Text;
  int Start = 0;
  int Length = 0;
  bool operator==(const Failure&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Failure& f) {
  return out << '"' << f.Text << "\" at " << f.Start << " length " << f.Length;
}

inline Failure FailureOf(const tok::Tokenizer& t) {
  return {t.TokenizeResult.ErrorText ? t.TokenizeResult.ErrorText : "(no text)", t.TokenizeResult.ErrorStart,
          t.TokenizeResult.ErrorLength};
}

inline std::unique_ptr<tok::Tokenizer> Make(std::string_view source, uint8_t module = tok::ModuleVD2) {
  auto t = std::make_unique<tok::Tokenizer>();
  t->SetSource(source);
  t->TokenizeResult.TargetModule = module;
  return t;
}

// The passes Tokenize runs before the declarations, in its order, for a preset module.
// Returns the failure, or nothing when they all passed.
inline std::optional<Failure> RunFront(tok::Tokenizer& t, bool conditional = true, bool any = false) {
  try {
    t.LanguageIs25 = 0;
    t.LoadDirectiveSymbols();
    t.ScanSource(false);
    t.ReadTargetModuleDirective(false);
    t.ReadPortDirective();
    t.ReadLanguageDirective(any);
    t.SetDirectiveSymbolValues();
    t.LoadKeywordSymbols();
    t.ScanSource(true);
    if (conditional) t.ConditionalCompile();
  } catch (const tok::ETokenizeError&) {
    return FailureOf(t);
  }
  return std::nullopt;
}

// Only the two scans, for module `module` and the given language flag (no directive passes).
inline std::optional<Failure> Scan(tok::Tokenizer& t, bool is25 = false) {
  try {
    t.LanguageIs25 = 0;
    t.LoadDirectiveSymbols();
    t.ScanSource(false);
    t.LanguageIs25 = is25 ? 1 : 0;
    t.LoadKeywordSymbols();
    t.ScanSource(true);
  } catch (const tok::ETokenizeError&) {
    return FailureOf(t);
  }
  return std::nullopt;
}

// Full Tokenize with the module preset (the source's $VARDA is not read).
inline std::optional<Failure> TokenizeFor(tok::Tokenizer& t, uint8_t module = tok::ModuleVD2) {
  t.TokenizeResult.TargetModule = module;
  if (t.Tokenize(false, false, false)) return std::nullopt;
  return FailureOf(t);
}

// The live elements as "kind:value@start+length" separated by spaces.
inline std::string Elements(const tok::Tokenizer& t) {
  std::string out;
  for (int i = 0; i < t.Scan.EndMark; ++i) {
    const tok::Element& e = t.Scan.ElementList[i];
    if (e.Kind == tok::Deleted) continue;
    if (!out.empty()) out += ' ';
    out += std::to_string(e.Kind) + ':' + std::to_string(e.Value) + '@' + std::to_string(e.Start) + '+' +
           std::to_string(e.Length);
  }
  return out;
}

// The live elements as their source text, line ends as ";" and ':' as ":".
inline std::string LiveText(const tok::Tokenizer& t, std::string_view source) {
  std::string out;
  for (int i = 0; i < t.Scan.EndMark; ++i) {
    const tok::Element& e = t.Scan.ElementList[i];
    if (e.Kind == tok::Deleted) continue;
    if (!out.empty()) out += ' ';
    if (e.Kind == tok::EndOfStatement)
      out += e.Value == 1 ? ':' : ';';
    else
      out += std::string(source.substr(e.Start, e.Length));
  }
  return out;
}

// Bits of an expression buffer in stream order.
inline std::string BufferBits(const tok::ExprBits& b) {
  std::string out;
  for (int i = 0; i < b.BitCount; ++i) out += tok::layout::ExprBitAt(b.Words, b.BitCount, i) ? '1' : '0';
  return out;
}

// Object-code bits from code position `from` (bit 7 of byte 2047 is position 0).
inline std::string CodeBits(const tok::Tokenizer& t, int from, int count) {
  std::string out;
  for (int p = from; p < from + count; ++p) {
    const int byte = t.TokenizeResult.EEPROM[2047 - p / 8];
    out += ((byte >> (7 - p % 8)) & 1) ? '1' : '0';
  }
  return out;
}

inline std::string Squeeze(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c == '0' || c == '1') out += c;
  return out;
}

}  // namespace toktest
