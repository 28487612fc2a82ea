// The expression compiler: strictly left to right, parentheses only, into a postfix stream of
// 6-bit tokens in ExprBuffer. A stack of operators and group markers (128) orders the output;
// the floor protects the entries of an enclosing compile.

#include <algorithm>

#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

constexpr uint8_t Marker = 128;

// Operators the compile-time evaluator does not know.
bool IllegalInCondition(int code) {
  switch (code) {
    case 8: case 9: case 13: case 14: case 17: case 19: case 20: case 22: case 25:
      return true;
    default:
      return false;
  }
}

}  // namespace

void Tokenizer::PushOperator(uint8_t entry) {
  if (OperatorTop == 255) RaiseTokenizeError(ErrExpressionTooComplex);
  OperatorStack[++OperatorTop] = entry;
}

void Tokenizer::Flush() {
  while (OperatorTop > OperatorFloor && OperatorStack[OperatorTop] != Marker) EmitToken(OperatorStack[OperatorTop--]);
}

void Tokenizer::CloseGroup() {
  if (OperatorTop > OperatorFloor) --OperatorTop;
  --GroupLevel;
  Flush();
}

void Tokenizer::CompileExpression(bool AllowConditions, bool PinsAsConstants, int SpliceAt, bool Conditional) {
  const uint8_t savedLevel = GroupLevel;
  const uint8_t savedTop = OperatorTop;
  const uint8_t savedFloor = OperatorFloor;
  GroupLevel = 0;
  OperatorFloor = OperatorTop;

  enum class State { C, O, V, A, Done } state = AllowConditions ? State::C : State::O;
  Element e;
  bool found = false;
  // Steps back over the element just read, so the caller (or the next state) reads it again.
  auto unread = [&] {
    if (found) --ElementIndex;
  };

  while (state != State::Done) {
    switch (state) {
      case State::C:
        PushOperator(Marker);
        PushOperator(Marker);
        GroupLevel += 2;
        for (;;) {
          found = NextElement(e);
          if (e.Kind != LeftParen || !found) break;
          PushOperator(Marker);
          ++GroupLevel;
        }
        if (found && e.Kind == NotWord) {
          if (SpliceAt != 0) RaiseTokenizeError(ErrExpectedOperand);
          OperatorTop -= 2;
          GroupLevel -= 2;
          PushOperator(layout::TokenNot);
          break;  // state C again
        }
        unread();
        state = State::O;
        break;

      case State::O:
        found = NextElement(e);
        switch (e.Kind) {
          case Constant:
          case PinName:
            state = State::V;
            break;
          case Variable:
            // The compile-time evaluator has no value for a run-time variable.
            if (Conditional) RaiseTokenizeError(ErrCondIllegalSymbol);
            state = State::V;
            break;
          case DirectiveWord:
          case ModuleName:
          case DefinedName:
            if (!Conditional) RaiseTokenizeError(ErrExpectedOperand);
            state = State::V;
            break;
          case BinaryOperator:
            if (e.Value != 16) RaiseTokenizeError(Conditional ? ErrCondExpectedOperand : ErrExpectedOperand);
            PushOperator(layout::TokenNegate);
            break;
          case UnaryOperator:
            if (Conditional) RaiseTokenizeError(ErrCondIllegalOperator);
            PushOperator(static_cast<uint8_t>(e.Value));
            break;
          case LeftParen:
            PushOperator(Marker);
            ++GroupLevel;
            break;
          case Unresolved:
            if (!Conditional) RaiseTokenizeError(ErrUndefinedSymbol);
            if (LookupIsDeclared) RaiseTokenizeError(ErrCondIllegalSymbol);
            e.Value = 0;  // an unknown name counts as 0
            state = State::V;
            break;
          default:
            RaiseTokenizeError(Conditional ? ErrCondExpectedOperand : ErrExpectedOperand);
        }
        break;

      case State::V:
        if (e.Kind == Constant || e.Kind == Unresolved || (e.Kind == PinName && (PinsAsConstants || Conditional)) ||
            (Conditional && (e.Kind == DirectiveWord || e.Kind == ModuleName || e.Kind == DefinedName))) {
          EmitConstant(e.Value);
        } else {
          EmitVariable(e, false);
        }
        state = State::A;
        break;

      case State::A: {
        Flush();
        found = NextElement(e);
        const int index = ElementIndex - 1;
        if (SpliceAt > 0 && found && index == SpliceAt) {
          const uint8_t compare = ControlStack.Empty() ? layout::CompareEqual : ControlStack.Top().CaseCompare;
          if (e.Kind != Comparison) {
            unread();
            e.Kind = Comparison;
            e.Value = compare;
          } else if (compare != layout::CompareEqual) {
            RaiseTokenizeError(ErrExpectedOperand);
          }
          SpliceAt = -1;
        }
        switch (e.Kind) {
          case BinaryOperator:
            if (Conditional && IllegalInCondition(e.Value)) RaiseTokenizeError(ErrCondIllegalOperator);
            PushOperator(static_cast<uint8_t>(e.Value));
            state = State::O;
            break;
          case Comparison:
            if (!AllowConditions) RaiseTokenizeError(ErrExpectedBinaryOperator);
            CloseGroup();
            PushOperator(static_cast<uint8_t>(e.Value));
            PushOperator(Marker);
            ++GroupLevel;
            state = State::O;
            break;
          case LogicalOperator:
            if (!AllowConditions || SpliceAt != 0) RaiseTokenizeError(ErrExpectedBinaryOperator);
            CloseGroup();
            CloseGroup();
            PushOperator(static_cast<uint8_t>(e.Value));
            state = State::C;
            break;
          case RightParen:
            if (AllowConditions && GroupLevel == 2) {
              CloseGroup();
              CloseGroup();
              if (OperatorTop != OperatorFloor) RaiseTokenizeError(ErrExpectedBinaryOperator);
              unread();
              state = State::Done;
              break;
            }
            --GroupLevel;
            if (OperatorTop > OperatorFloor) {
              --OperatorTop;  // the group's marker
            } else {
              unread();  // the ")" belongs to the caller
              state = State::Done;
            }
            break;
          case Unresolved:
            RaiseTokenizeError(ErrUndefinedSymbol);
          case LeftParen:
          case Variable:
          case UnaryOperator:
          case Constant:
            RaiseTokenizeError(ErrExpectedBinaryOperator);
          default:
            // The #CASE value follows the selector (a live element, so the jump cannot repeat).
            if (SpliceAt > 0 && SpliceAt < EndMark && ElementList[SpliceAt].Kind != Deleted) {
              ElementIndex = static_cast<uint16_t>(SpliceAt);
              break;
            }
            if (AllowConditions) {
              CloseGroup();
              CloseGroup();
            }
            if (OperatorTop != OperatorFloor) RaiseTokenizeError(ErrExpectedBinaryOperator);
            unread();
            state = State::Done;
        }
        break;
      }
      case State::Done:
        break;
    }
  }
  GroupLevel = savedLevel;
  OperatorTop = savedTop;
  OperatorFloor = savedFloor;
}

void Tokenizer::StartExpression(bool AllowConditions, bool PinsAsConstants, int SpliceAt) {
  OperatorTop = 0;
  OperatorFloor = 0;
  GroupLevel = 0;
  ClearExprBuffer(0);
  CompileExpression(AllowConditions, PinsAsConstants, SpliceAt, false);
}

void Tokenizer::StartCondition(int SpliceAt) {
  OperatorTop = 0;
  OperatorFloor = 0;
  GroupLevel = 0;
  ClearExprBuffer(0);
  ArgDepth = 0;
  CompileExpression(true, false, SpliceAt, true);
}

void Tokenizer::CompileTargetVariable(bool Write) {
  OperatorTop = 0;
  OperatorFloor = 0;
  ClearExprBuffer(0);
  Element e;
  NextElement(e);
  if (e.Kind == PinName) {
    // A pin is its input bit when read and its output bit when written.
    if (Write) e.Value = static_cast<uint16_t>(e.Value + 16);
  } else if (e.Kind != Variable) {
    RaiseTokenizeError(ErrExpectedVariable);
  }
  EmitVariable(e, Write);
}

// ---- encoders -------------------------------------------------------------------------------

void Tokenizer::ExprWriteBits(int count, uint16_t value) {
  ExprBits& buffer = ExprBuffers[0];
  layout::BitWriter bits(count, value);
  while (bits.Remaining() > 0) {
    const int used = buffer.BitCount % 16;
    uint16_t& word = buffer.Words[buffer.BitCount / 16];
    if (used == 0) word = 0;
    const int n = std::min(16 - used, bits.Remaining());
    word = layout::AppendToWord(word, n, bits.Take(n));
    buffer.BitCount = static_cast<uint16_t>(buffer.BitCount + n);
    if (buffer.BitCount == layout::ExprBitLimit) RaiseTokenizeError(ErrExpressionTooComplex);
  }
}

void Tokenizer::EmitToken(int code) {
  if ((code == layout::TokenSqr || code == layout::TokenAtn) && ArgDepth == 8)
    RaiseTokenizeError(ErrExpressionTooComplex);
  if (code >= 8 && code <= 31) {
    --ArgDepth;
  } else if (code >= 32 && code <= 51) {
    if (ArgDepth == 8) RaiseTokenizeError(ErrExpressionTooComplex);
    ++ArgDepth;
  } else if (code >= 60 && code <= 63) {
    --ArgDepth;
  }
  if (ExprBuffers[0].BitCount == 0)
    ExprWriteBits(layout::TokenBits, static_cast<uint16_t>(code));
  else
    ExprWriteBits(layout::LeadBit + layout::TokenBits, static_cast<uint16_t>(64 + code));
}

void Tokenizer::EmitConstant(uint16_t value) {
  const layout::ConstantEncoding c = layout::EncodeConstant(value);
  EmitToken(c.Token);
  ExprWriteBits(c.PayloadBits, c.Payload);
}

void Tokenizer::EmitVariable(Element& element, bool Write) {
  ApplyModifiers(element);
  uint16_t value = element.Value;
  Element next;
  if (PeekElement(next) && next.Kind == LeftParen) {
    NextElement(next);
    // The index is a group of its own; the group level is left as it was (the nested compile
    // saves and restores it), so a ")" after the variable still closes the caller's group.
    PushOperator(Marker);
    CompileExpression(false, true, 0, false);
    --OperatorTop;  // the marker
    NextElement(next);
    if (next.Kind != RightParen) RaiseTokenizeError(ErrExpectedRightParen);
    value |= layout::VariableIndexedFlag;
  }
  if (Write) value |= layout::VariableWriteFlag;
  EmitToken(layout::VariableToken(value));
  ExprWriteBits(layout::VariableAddressBits[layout::VariableSize(value)],
                static_cast<uint16_t>(layout::VariableAddress(value)));
}

void Tokenizer::ApplyModifiers(Element& element) {
  Element next;
  while (PeekElement(next) && next.Kind == Period) {
    NextElement(next);
    const int size = layout::VariableSize(element.Value);
    const int address = layout::VariableAddress(element.Value);
    if (size == 0) RaiseTokenizeError(ErrAlreadyBitSize);
    NextElement(next);
    if (next.Kind != Modifier) RaiseTokenizeError(ErrExpectedModifier);
    const int target = layout::ModifierSize(next.Value);
    if (target >= size) RaiseTokenizeError(ErrExpectedSmallerModifier);
    const int shift = layout::ModifierShift(size, target);
    const int last = layout::LastSubOffset(shift);
    int offset = layout::ModifierOffset(next.Value);
    if (next.Value & layout::ModifierHighFlag) offset = last;
    if (offset > last) RaiseTokenizeError(ErrModifierOutOfRange);
    element.Value = layout::VariableValue(target, layout::SubCell(address, shift, offset));
  }
  NewSymbol.Kind = element.Kind;
  NewSymbol.Value = static_cast<int16_t>(element.Value);
}

void Tokenizer::CopyExprBuffer(int from, int to) { ExprBuffers[to] = ExprBuffers[from]; }

void Tokenizer::AppendExprBuffer(int from, int code) {
  const ExprBits source = ExprBuffers[from];
  ExprWriteBits(1, 1);
  const int full = source.BitCount / 16;
  for (int i = 0; i < full; ++i) ExprWriteBits(16, source.Words[i]);
  if (source.BitCount % 16) ExprWriteBits(source.BitCount % 16, source.Words[full]);
  EmitToken(code);
}

}  // namespace tok
