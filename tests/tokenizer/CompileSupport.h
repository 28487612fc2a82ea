#pragma once
// Helpers for the VD2-family compiler tests: compile a text, read the object-code bit stream
// back out of the image, and spell expected bit patterns from the encoding rules (written here
// independently of the compiler, so a test compares two derivations of the same bits).

#include <memory>
#include <string>
#include <string_view>

#include "tokenizer/Tokenizer.h"

namespace vd2test {

inline const char* ModuleWord(int module) {
  static const char* const names[] = {"", "VD1", "VD2", "VD2E", "VD2SX", "VD2P", "VD2PE"};
  return names[module];
}

// A source with the module and language directives in front of `body`.
inline std::string Program(std::string_view body, int module = 2, std::string_view version = "2.5") {
  return std::string("'{$VARDA ") + ModuleWord(module) + "}\n'{$TESSIC " + std::string(version) + "}\n" +
         std::string(body);
}

struct Result {
  std::unique_ptr<tok::Tokenizer> T;
  bool Ok = false;
  std::string Error;  // "" on success
  int Start = 0, Length = 0;
  std::string ErrorText(std::string_view source) const { return std::string(source.substr(Start, Length)); }
};

inline Result Compile(std::string_view source) {
  Result r;
  r.T = std::make_unique<tok::Tokenizer>();
  r.T->SetSource(source);
  r.Ok = r.T->Tokenize(false, true, false);
  const auto& tr = r.T->TokenizeResult;
  if (!r.Ok && tr.ErrorText) r.Error = tr.ErrorText;
  r.Start = tr.ErrorStart;
  r.Length = tr.ErrorLength;
  return r;
}

// The object code bits from position `from` to CodeBitPos.
inline std::string CodeBits(const tok::Tokenizer& t, int from = 0) {
  std::string bits;
  for (int p = from; p < t.CodeBitPos; ++p) {
    const int byte = t.TokenizeResult.EEPROM[2047 - p / 8];
    bits += ((byte >> (7 - p % 8)) & 1) ? '1' : '0';
  }
  return bits;
}

inline std::string Binary(unsigned value, int width) {
  std::string out;
  for (int i = width - 1; i >= 0; --i) out += ((value >> i) & 1) ? '1' : '0';
  return out;
}

// ---- expected bit patterns, from the encoding rules -----------------------------------------
// The constant token and payload of value v (no lead bit).
inline std::string Const(unsigned v) {
  int c = 0;
  for (int b = 15; b >= 1; --b)
    if (v >> b & 1) {
      c = b;
      break;
    }
  if (v == 0) return Binary(32, 6) + "1";
  if ((v & (v - 1)) == 0) return Binary(32 + c, 6) + "0";
  return Binary(32 + c, 6) + Binary(v, c + 1);
}
inline std::string PushC(unsigned v) {
  return "1" + Const(v);
}
// A variable item: size 0 bit .. 3 word; flags indexed/write; address width by size.
inline std::string Var(int size, int address, bool write = false, bool indexed = false) {
  static const int widths[] = {8, 6, 5, 4};
  return Binary(48 + size + (indexed ? 4 : 0) + (write ? 8 : 0), 6) + Binary(address, widths[size]);
}
inline std::string Op(int code) {
  return "1" + Binary(code, 6);
}  // a later token
inline std::string Tok(int code) {
  return Binary(code, 7);
}  // instruction code
inline std::string Addr(int position) {
  return Binary(position % 8, 3) + Binary(position / 8, 11);
}
inline std::string Store(int size, int address) {
  return Var(size, address, true) + "0";
}

inline std::string Spaceless(std::string_view s) {
  std::string out;
  for (char c : s)
    if (c != ' ') out += c;
  return out;
}

}  // namespace vd2test
