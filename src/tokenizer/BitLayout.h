#pragma once
// Every bit layout of the object code, the expression buffers and the download packets, and
// the one BitWriter that splits a value into bit runs. No other file shifts bits into place.

#include <cstdint>

namespace tok::layout {

// ---------------------------------------------------------------------------------------------
// BitWriter: a value's low `count` bits (1..16), left-aligned, handed out most significant first.
//
//   value 0b101, count 3  ->  Aligned = 1010 0000 0000 0000
//   Take(2) -> 0b10, Take(1) -> 0b1
class BitWriter {
 public:
  constexpr BitWriter(int count, uint16_t value)
      : aligned_(static_cast<uint16_t>(count >= 16 ? value : (value << (16 - count)))), remaining_(count) {}
  constexpr int Remaining() const { return remaining_; }
  // The next n bits (n <= Remaining()), right-aligned.
  constexpr uint16_t Take(int n) {
    const uint16_t bits = static_cast<uint16_t>(n == 0 ? 0 : aligned_ >> (16 - n));
    aligned_ = static_cast<uint16_t>(n >= 16 ? 0 : aligned_ << n);
    remaining_ -= n;
    return bits;
  }

 private:
  uint16_t aligned_;
  int remaining_;
};

// ---------------------------------------------------------------------------------------------
// Expression buffer: a bit count and 32 words. Bits enter a word at the bottom while the word
// shifts left, so a full word holds its first bit in bit 15 and the last, partial word holds
// its bits right-aligned.
//
//   word k, full:     [b0 b1 b2 ... b15]          (b0 = bit 16k of the stream)
//   last, r bits:     [0 .. 0 b0 b1 ... b(r-1)]
constexpr int ExprWords = 32;
constexpr int ExprBitLimit = 496;  // the write that makes the count reach this fails

constexpr uint16_t AppendToWord(uint16_t word, int n, uint16_t bits) {
  return static_cast<uint16_t>(n >= 16 ? bits : ((word << n) | bits));
}

// Bit i of a buffer holding `count` bits (0 or 1).
constexpr int ExprBitAt(const uint16_t* words, int count, int i) {
  const int word = i / 16;
  const int fullWords = count / 16;
  const int inWord = i % 16;
  if (word < fullWords) return (words[word] >> (15 - inWord)) & 1;
  const int used = count % 16;
  return (words[word] >> (used - 1 - inWord)) & 1;
}

// Reads a buffer's bits in stream order, n at a time (most significant first in the result).
class ExprBitReader {
 public:
  constexpr ExprBitReader(const uint16_t* words, int count) : words_(words), count_(count) {}
  constexpr int Remaining() const { return count_ - pos_; }
  constexpr uint16_t Read(int n) {
    uint16_t value = 0;
    for (int i = 0; i < n && pos_ < count_; ++i)
      value = static_cast<uint16_t>((value << 1) | ExprBitAt(words_, count_, pos_++));
    return value;
  }

 private:
  const uint16_t* words_;
  int count_;
  int pos_ = 0;
};

// ---------------------------------------------------------------------------------------------
// Expression token stream: 6-bit tokens; every token after the first is preceded by a 1 bit.
//
//   first:  [t5 t4 t3 t2 t1 t0] payload...
//   later:  [1][t5 .. t0] payload...
constexpr int TokenBits = 6;
constexpr int LeadBit = 1;

constexpr int UnaryFirst = 0, UnaryLast = 7;  // 0 SQR 1 ABS 2 NOT 3 negate 4 DCD 5 NCD 6 COS 7 SIN
constexpr int TokenSqr = 0, TokenNot = 2, TokenNegate = 3;
constexpr int BinaryFirst = 8, BinaryLast = 25;
constexpr int TokenHyp = 8, TokenAtn = 9, TokenAnd = 10, TokenOr = 11, TokenXor = 12, TokenMin = 13,
              TokenMax = 14, TokenAdd = 15, TokenSubtract = 16, TokenMultiplyHigh = 17, TokenMultiply = 18,
              TokenMultiplyMiddle = 19, TokenModulo = 20, TokenDivide = 21, TokenDig = 22,
              TokenShiftLeft = 23, TokenShiftRight = 24, TokenRev = 25;
constexpr int ComparisonFirst = 26, ComparisonLast = 31;
constexpr int CompareGreaterEqual = 26, CompareLessEqual = 27, CompareEqual = 28, CompareNotEqual = 29,
              CompareGreater = 30, CompareLess = 31;
constexpr int ConstantTokenBase = 32;  // 32 + c, c = 0..15
constexpr int VariableTokenBase = 48;  // 48 + size + 4*indexed + 8*write

// ---------------------------------------------------------------------------------------------
// Constant payload for value v, c = index of the highest set bit among bits 15..1 (0 for v 0, 1):
//
//   v = 0            [32]       [1]
//   v = 2^c          [32 + c]   [0]
//   otherwise        [32 + c]   [1 v(c-1) .. v0]      (the c + 1 low bits of v, top one is 1)
struct ConstantEncoding {
  uint8_t Token;        // 32 + c
  uint8_t PayloadBits;  // 1 or c + 1
  uint16_t Payload;
};

constexpr ConstantEncoding EncodeConstant(uint16_t v) {
  int c = 0;
  for (int bit = 15; bit >= 1; --bit)
    if (v & (1u << bit)) {
      c = bit;
      break;
    }
  if (v == 0) return {ConstantTokenBase, 1, 1};
  if ((v & (v - 1)) == 0) return {static_cast<uint8_t>(ConstantTokenBase + c), 1, 0};
  const uint16_t mask = static_cast<uint16_t>(c >= 15 ? 0xFFFF : ((1u << (c + 1)) - 1));
  return {static_cast<uint8_t>(ConstantTokenBase + c), static_cast<uint8_t>(c + 1),
          static_cast<uint16_t>(v & mask)};
}

// Decoding: after the token's exponent c and the first payload bit.
constexpr uint16_t PowerOfTwo(int c) {
  return static_cast<uint16_t>(1u << c);
}
constexpr uint16_t DecodedConstant(int c, uint16_t lowBits) {
  return static_cast<uint16_t>((1u << c) + lowBits);  // lowBits: the c bits after the 1
}

// ---------------------------------------------------------------------------------------------
// Variable value (symbol value and payload):
//
//   value:   [ ... | write 2048 | indexed 1024 | size (2 bits) << 8 | address (8 bits) ]
//   token:   48 + size + 4*indexed + 8*write, then the address in 8/6/5/4 bits (bit/nib/byte/word)
constexpr uint16_t VariableIndexedFlag = 1024;
constexpr uint16_t VariableWriteFlag = 2048;
constexpr int VariableAddressBits[4] = {8, 6, 5, 4};

constexpr int VariableSize(uint16_t value) {
  return (value >> 8) & 3;
}
constexpr int VariableAddress(uint16_t value) {
  return value & 0xFF;
}
constexpr uint16_t VariableValue(int size, int address) {
  return static_cast<uint16_t>((size << 8) | address);
}
constexpr int VariableToken(uint16_t flaggedValue) {
  return VariableTokenBase + (flaggedValue >> 8);
}

// Modifier value: target size * 256 + offset, plus 128 for HIGHBIT, HIGHNIB and HIGHBYTE.
constexpr uint16_t ModifierHighFlag = 128;
constexpr int ModifierSize(uint16_t value) {
  return value >> 8;
}
constexpr int ModifierOffset(uint16_t value) {
  return value & 0x7F;
}
// Cells of the smaller size in one cell of the larger: word->byte 1, word->nib 2, word->bit 4,
// byte->nib 1, byte->bit 3, nib->bit 2 (as a shift).
constexpr int ModifierShift(int fromSize, int toSize) {
  return fromSize - toSize + (toSize == 0 ? 1 : 0);
}
constexpr int SubCell(int address, int shift, int offset) {
  return (address << shift) + offset;
}
constexpr int LastSubOffset(int shift) {
  return (1 << shift) - 1;
}

// ---------------------------------------------------------------------------------------------
// Object code: code position p counts bits from the top of the EEPROM down.
//
//   p:        0 1 2 3 4 5 6 7 | 8 9 ...
//   byte:     2047            | 2046 ...
//   bit:      7 6 5 4 3 2 1 0 | 7 6 ...
constexpr int CodeBitLimit = 16384;
constexpr int CodeByteAddress(int position) {
  return 2047 - position / 8;
}
constexpr int CodeBitsFreeInByte(int position) {
  return 8 - position % 8;
}
// Places n bits (right-aligned) at position p into its byte.
constexpr uint8_t CodeBitsInByte(int position, int n, uint16_t bits) {
  return static_cast<uint8_t>(bits << (CodeBitsFreeInByte(position) - n));
}

// Instruction token: 7 bits, the module's code for the operation.
constexpr int InstructionBits = 7;

// Address field of a code position p (14 bits):
//
//   [p mod 8 : 3 bits][p div 8 : 11 bits]
constexpr int AddressFieldBits = 14;
constexpr int AddressLowBits = 3;
constexpr int AddressHighBits = 11;
constexpr uint16_t AddressLow(int position) {
  return static_cast<uint16_t>(position % 8);
}
constexpr uint16_t AddressHigh(int position) {
  return static_cast<uint16_t>(position / 8);
}

// ---------------------------------------------------------------------------------------------
// Download packet, 18 bytes, one per 16-byte EEPROM block that holds bytes to download:
//
//   [0x80 + block][16 image bytes, lowest address first][checksum: all 18 bytes sum to 0 mod 256]
constexpr int BlockSize = 16;
constexpr uint8_t PacketHeader(int block) {
  return static_cast<uint8_t>(0x80 + block);
}
constexpr uint8_t PacketChecksum(unsigned sumOfFirst17) {
  return static_cast<uint8_t>((256 - sumOfFirst17 % 256) % 256);
}

}  // namespace tok::layout
