#pragma once
// The VD1 object code: one bit stream, most significant bit first, in a 256-byte code buffer
// whose byte k becomes EEPROM byte 255 - k (the module reads its program downwards from 255).
//
//   bit 0         8            19
//   +-------------+------------+-------------------------------+--------+----------------+
//   | lowest addr | return tbl | statements ...                | END    | return table   |
//   | (8 bits)    | pos (11)   |                               | 11111  | 11 bits / GOSUB|
//   +-------------+------------+-------------------------------+--------+----------------+
//
// Operand read (a value the instruction takes):
//   variable   0 vvvvvv                  (7 bits: 0 and the 6-bit variable code)
//   constant   100 b                     (0, 1)
//              101 bbbb                  (up to 15)
//              110 bbbbbbbb              (up to 255)
//              111 bbbbbbbbbbbbbbbb      (anything else)
// Operand written (a target):   vvvvvv  (6-bit variable code)
// Label, next, loop position:   11-bit code bit position

#include <array>
#include <cstdint>
#include <vector>

#include "tokenizer/vd1/Vd1Kinds.h"

namespace tok::vd1 {

constexpr int ImageSize = 256;
constexpr int CodeBitLimit = ImageSize * 8;

constexpr int HeaderBits = 8;
constexpr int ReturnTablePosAt = 8;
constexpr int AddressBits = 11;
constexpr int FirstStatementAt = 19;
constexpr int InstructionBits = 5;
constexpr int VariableBits = 6;
constexpr int GosubNumberBits = 4;
constexpr int OperatorIndexBits = 4;
constexpr int ComparisonBits = 5;

// A run of bits not yet placed in the code (operands are read before they are written).
struct Field {
  uint32_t bits = 0;
  int width = 0;
};

Field VariableOperand(uint8_t code);
Field ConstantOperand(uint16_t value);

// The bit writer over the code buffer. While measuring (the first pass) it only counts, so
// that the limit is still checked; "127-EEPROM full" when a bit would fall past byte 255.
class CodeWriter {
 public:
  void Reset(bool measuring);
  int Position() const { return position_; }
  void SetPosition(int position) { position_ = position; }
  void Write(uint32_t bits, int width);
  void Write(const Field& field) { Write(field.bits, field.width); }
  void Write(const std::vector<Field>& fields);
  // Writes `width` bits at `at` without moving the position.
  void WriteAt(int at, uint32_t bits, int width);
  // Writes even while measuring (the header is placed at the end of the first pass).
  void ForceWriteAt(int at, uint32_t bits, int width);

  const std::array<uint8_t, ImageSize>& Bytes() const { return bytes_; }
  bool Touched(int byte) const { return touched_[byte]; }

 private:
  void Put(int at, uint32_t bits, int width);

  std::array<uint8_t, ImageSize> bytes_{};
  std::array<bool, ImageSize> touched_{};
  int position_ = 0;
  bool measuring_ = false;
};

}  // namespace tok::vd1
