#pragma once
// Helpers for the VD1 compiler tests: compile a text and read the code bit stream back out of
// the image (code byte k is EEPROM byte 255 - k, most significant bit first).

#include <string>
#include <string_view>

#include "tokenizer/vd1/Vd1.h"

namespace vd1test {

inline tok::vd1::Outcome CompileText(std::string_view text) {
  tok::vd1::Outcome outcome;
  tok::vd1::Compile(text.data(), static_cast<int>(text.size()), outcome);
  return outcome;
}

inline std::string CodeBits(const tok::vd1::Outcome& outcome, int from, int count) {
  std::string bits;
  for (int bit = from; bit < from + count; ++bit) {
    const int byte = outcome.EEPROM[255 - bit / 8];
    bits += ((byte >> (7 - bit % 8)) & 1) ? '1' : '0';
  }
  return bits;
}

inline std::string WithoutSpaces(std::string_view text) {
  std::string out;
  for (char c : text)
    if (c != ' ') out += c;
  return out;
}

inline std::string Binary(int value, int width) {
  std::string out;
  for (int i = width - 1; i >= 0; --i) out += ((value >> i) & 1) ? '1' : '0';
  return out;
}

}  // namespace vd1test
