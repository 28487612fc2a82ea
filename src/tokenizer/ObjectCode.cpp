// The object-code writer: bits fill the EEPROM image from address 2047 downward, each byte from
// its most significant bit; code may not reach a byte that holds DATA.

#include <algorithm>

#include "tokenizer/Tokenizer.h"

namespace tok {

void Tokenizer::WriteBits(int count, uint16_t value) {
  if (Code.BitPos + count > layout::CodeBitLimit) RaiseTokenizeError(ErrEEPROMFull);
  ResultRecord& r = TokenizeResult;
  layout::BitWriter bits(count, value);
  while (bits.Remaining() > 0) {
    const int address = layout::CodeByteAddress(Code.BitPos);
    const uint8_t use = r.EEPROMFlags[address] & FlagUseMask;
    if (use == FlagReserved || use == FlagData) {
      r.ErrorStart = Code.SourcePosTable[address].Start;
      r.ErrorLength = Code.SourcePosTable[address].Length;
      RaiseTokenizeError(ErrDataOverlapsProgram);
    }
    const int n = std::min(layout::CodeBitsFreeInByte(Code.BitPos), bits.Remaining());
    r.EEPROM[address] |= layout::CodeBitsInByte(Code.BitPos, n, bits.Take(n));
    r.EEPROMFlags[address] |= FlagCode;
    Code.BitPos = static_cast<uint16_t>(Code.BitPos + n);
  }
}

void Tokenizer::CopyExprToCode(int buffer, bool Lead) {
  if (Lead) WriteBits(1, 1);
  const ExprBits& source = ExprBuffers[buffer];
  const int full = source.BitCount / 16;
  for (int i = 0; i < full; ++i) WriteBits(16, source.Words[i]);
  if (source.BitCount % 16) WriteBits(source.BitCount % 16, source.Words[full]);
}

}  // namespace tok
