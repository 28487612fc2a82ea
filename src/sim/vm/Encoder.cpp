// Writes decoded statements back into bits with the compilers' encoding rules, so a test can
// prove that decoding lost nothing.

#include "sim/vm/ObjectCode.h"

namespace sim::vm {

void Encoder::Bits(int count, uint32_t value) {
  for (int i = count - 1; i >= 0; --i) bits_.push_back(static_cast<uint8_t>((value >> i) & 1));
}

void Encoder::TokenBits(const Token& token) {
  Bits(6, token.code);
  if (IsConstant(token.code)) {
    const int c = token.code - 32;
    Bits(1, token.longForm ? 1 : 0);
    if (token.longForm && c > 0) Bits(c, static_cast<uint32_t>(token.value - (1u << c)));
  } else if (IsVariable(token.code)) {
    Bits(kVariableAddressBits[VariableSize(token.code)], token.value);
  }
}

void Encoder::Address(int position) { Bits(kAddressFieldBits, FieldOfPosition(position)); }

void Encoder::Write(const Statement& s, int module) {
  for (const Token& t : s.pushes) {
    Bits(1, 1);
    TokenBits(t);
  }
  Bits(7, static_cast<uint32_t>(CodeOfOperation(s.op, module)));
  for (const Field& f : s.fields) {
    switch (f.kind) {
      case Field::Sub:
      case Field::Store:
        for (size_t i = 0; i < f.tokens.size(); ++i) {
          if (i > 0) Bits(1, 1);
          TokenBits(f.tokens[i]);
        }
        Bits(1, 0);
        break;
      case Field::Pushes:
        for (const Token& t : f.tokens) {
          Bits(1, 1);
          TokenBits(t);
        }
        Bits(1, 0);
        break;
      case Field::Address: Address(f.position); break;
      case Field::Number: Bits(f.bits, f.value); break;
      case Field::Separator: Bits(1, f.value); break;
    }
  }
}

}  // namespace sim::vm
