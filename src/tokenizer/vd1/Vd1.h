#pragma once
// The VD1 module's Tessic 1.0 compiler. The smallest module of the family runs its own
// interpreter from a 256-byte EEPROM, so it has its own keywords, scanner, errors and object
// code; Tokenize hands it the whole source when the target module is VD1 (see TokenizeVd1).

#include <array>
#include <cstdint>
#include <string_view>
#include <vector>

#include "tokenizer/vd1/Vd1Layout.h"
#include "tokenizer/vd1/Vd1Symbols.h"

namespace tok::vd1 {

constexpr int DebugAreaSize = 1024;
constexpr int ModuleByteCount = 5;
constexpr int GosubLimit = 16;
constexpr int ForLimit = 8;

struct Outcome {
  bool Success = false;
  std::string_view ErrorText;  // the number, a hyphen and the text; empty on success
  int ErrorStart = 0;          // the element being read when the error struck
  int ErrorLength = 0;
  int DebugCount = 0;  // DEBUG statements
  std::array<uint8_t, ImageSize> EEPROM{};
  std::array<uint8_t, ImageSize> EEPROMFlags{};  // 128, plus 3 for code and 2 for data
  // Bytes 0..3: 32-bit mask (bit n BITn, bit 16+n Bn), byte 4: bit n Wn; the RAM cells that
  // SYMBOL names alias.
  std::array<uint8_t, ModuleByteCount> ModuleBytes{};
  std::array<uint8_t, DebugAreaSize> DebugText{};
  std::vector<UserSymbol> Symbols;  // labels and SYMBOL names, in order of definition
  int CodeBits = 0;                 // the code with its closing END, from bit 0
  int GosubCount = 0;
  int LowestCodeAddress = 0;  // the EEPROM address in the header byte
};

// Compiles `length` characters of `source`. Line ends may be any control characters, as the
// first scan leaves them (the line-end marker 3) or as an editor writes them.
void Compile(const char* source, int length, Outcome& outcome);

}  // namespace tok::vd1
