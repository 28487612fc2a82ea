#include "tokenizer/vd1/Vd1Layout.h"

namespace tok::vd1 {

Field VariableOperand(uint8_t code) {
  return {code & 0x3Fu, 1 + VariableBits};
}

Field ConstantOperand(uint16_t value) {
  if (value <= 1) return {(0b100u << 1) | value, 3 + 1};
  if (value <= 15) return {(0b101u << 4) | value, 3 + 4};
  if (value <= 255) return {(0b110u << 8) | value, 3 + 8};
  return {(0b111u << 16) | value, 3 + 16};
}

void CodeWriter::Reset(bool measuring) {
  measuring_ = measuring;
  position_ = 0;
}

void CodeWriter::Write(uint32_t bits, int width) {
  WriteAt(position_, bits, width);
  position_ += width;
}

void CodeWriter::Write(const std::vector<Field>& fields) {
  for (const Field& field : fields) Write(field);
}

void CodeWriter::WriteAt(int at, uint32_t bits, int width) {
  if (at + width > CodeBitLimit) throw Failure{Error::EepromFull};
  if (!measuring_) Put(at, bits, width);
}

void CodeWriter::ForceWriteAt(int at, uint32_t bits, int width) {
  if (at + width > CodeBitLimit) throw Failure{Error::EepromFull};
  Put(at, bits, width);
}

void CodeWriter::Put(int at, uint32_t bits, int width) {
  for (int i = 0; i < width; ++i) {
    const int bit = at + i;
    const int byte = bit / 8;
    const uint8_t mask = static_cast<uint8_t>(0x80u >> (bit % 8));
    if ((bits >> (width - 1 - i)) & 1u)
      bytes_[byte] |= mask;
    else
      bytes_[byte] &= static_cast<uint8_t>(~mask);
    touched_[byte] = true;
  }
}

}  // namespace tok::vd1
