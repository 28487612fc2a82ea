// The two compile-time evaluators: EvaluateExpr runs a compiled condition (conditional
// compilation); ConstValue reads the constant expressions of declarations.

#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

uint16_t Truth(bool b) {
  return b ? 0xFFFF : 0;
}

}  // namespace

uint16_t Tokenizer::EvaluateExpr() {
  layout::ExprBitReader reader(ExprBuffers[0].Words, ExprBuffers[0].BitCount);
  uint16_t stack[8] = {};
  int depth = 0;
  while (reader.Remaining() >= layout::TokenBits) {
    const int code = reader.Read(layout::TokenBits);
    if (code >= layout::VariableTokenBase) {
      RaiseTokenizeError(ErrCondIllegalSymbol);  // never compiled in conditional mode
    } else if (code >= layout::ConstantTokenBase) {
      const int c = code - layout::ConstantTokenBase;
      uint16_t value;
      if (reader.Read(1) == 0)
        value = layout::PowerOfTwo(c);
      else
        value = c == 0 ? 0 : layout::DecodedConstant(c, reader.Read(c));
      if (depth == 8) RaiseTokenizeError(ErrExpressionTooComplex);
      stack[depth++] = value;
    } else if (code <= layout::UnaryLast) {
      if (depth > 0) {
        uint16_t& v = stack[depth - 1];
        if (code == layout::TokenNot) v = static_cast<uint16_t>(v ^ 0xFFFF);
        if (code == layout::TokenNegate) v = static_cast<uint16_t>(-v);
      }
    } else if (depth >= 2) {
      const uint16_t y = stack[--depth];
      uint16_t& x = stack[depth - 1];
      // clang-format off
      switch (code) {
        case 10: x = x & y; break;
        case 11: x = x | y; break;
        case 12: x = x ^ y; break;
        case 15: x = static_cast<uint16_t>(x + y); break;
        case 16: x = static_cast<uint16_t>(x - y); break;
        case 18: x = static_cast<uint16_t>(uint32_t{x} * y); break;
        case 21:
          if (y == 0) RaiseTokenizeError(ErrDivideByZero);
          x = static_cast<uint16_t>(x / y);
          break;
        case 23: x = static_cast<uint16_t>(static_cast<uint32_t>(x) << (y % 32)); break;
        case 24: x = static_cast<uint16_t>(static_cast<uint32_t>(x) >> (y % 32)); break;
        case 26: x = Truth(x >= y); break;
        case 27: x = Truth(x <= y); break;
        case 28: x = Truth(x == y); break;
        case 29: x = Truth(x != y); break;
        case 30: x = Truth(x > y); break;
        case 31: x = Truth(x < y); break;
        default:
          break;
      }
      // clang-format on
    }
    if (reader.Remaining() > 0) reader.Read(1);  // the lead bit of the next token
  }
  return stack[0];
}

ConstantValue Tokenizer::ConstValue(bool MustBeKnown, bool Conditional) {
  uint16_t accumulator = 0;
  int pending = 15;  // "+"
  bool known = true;
  for (;;) {
    Element e;
    NextElement(e);
    bool negate = false;
    if (e.Kind == BinaryOperator) {
      if (e.Value != 16) RaiseTokenizeError(Conditional ? ErrCondExpectedOperand : ErrExpectedConstant);
      negate = true;
      NextElement(e);
    }
    uint16_t operand = 0;
    if (e.Kind == Constant || e.Kind == PinName || e.Kind == DirectiveWord || e.Kind == ModuleName ||
        (Conditional && e.Kind == DefinedName)) {
      operand = e.Value;
    } else if (!Conditional) {
      if (e.Kind != Unresolved) RaiseTokenizeError(ErrExpectedConstant);
      if (MustBeKnown) RaiseTokenizeError(ErrUndefinedSymbol);
      operand = 1;
      known = false;
    } else {
      if (e.Kind != Unresolved) RaiseTokenizeError(ErrCondExpectedValue);
      if (LastLookup.DeclaredLater) RaiseTokenizeError(ErrCondIllegalSymbol);
      operand = 0;
    }
    if (negate) operand = static_cast<uint16_t>(-operand);
    if ((pending == 23 || pending == 24) && operand > 16) operand = 16;
    // clang-format off
    switch (pending) {
      case 10: accumulator &= operand; break;
      case 11: accumulator |= operand; break;
      case 12: accumulator ^= operand; break;
      case 15: accumulator = static_cast<uint16_t>(accumulator + operand); break;
      case 16: accumulator = static_cast<uint16_t>(accumulator - operand); break;
      case 18: accumulator = static_cast<uint16_t>(uint32_t{accumulator} * operand); break;
      case 21:
        if (operand == 0) RaiseTokenizeError(ErrDivideByZero);
        accumulator = static_cast<uint16_t>(accumulator / operand);
        break;
      case 23: accumulator = static_cast<uint16_t>(static_cast<uint32_t>(accumulator) << operand); break;
      case 24: accumulator = static_cast<uint16_t>(accumulator >> operand); break;
    }
    // clang-format on
    Element next;
    if (!PeekElement(next) || next.Kind != BinaryOperator) break;
    const int op = next.Value;
    if (!(op == 10 || op == 11 || op == 12 || op == 15 || op == 16 || op == 18 || op == 21 || op == 23 ||
          op == 24))
      break;
    NextElement(next);
    pending = op;
  }
  return {known, accumulator};
}

}  // namespace tok
