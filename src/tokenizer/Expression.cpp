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
  using namespace layout;
  switch (code) {
    case TokenHyp:
    case TokenAtn:
    case TokenMin:
    case TokenMax:
    case TokenMultiplyHigh:
    case TokenMultiplyMiddle:
    case TokenModulo:
    case TokenDig:
    case TokenRev:
      return true;
    default:
      return false;
  }
}

}  // namespace

// One compile of an expression. Each state reads what it needs and names the state after it:
//   Condition     the opening groups of a condition term, and NOT
//   Operand       unary operators and "(" up to an operand
//   Value         the operand's token
//   AfterOperand  an operator, a closing ")", the CASE splice or the expression's end
class ExpressionCompiler {
 public:
  ExpressionCompiler(Tokenizer& t, const ExpressionOptions& options)
      : t(t), options(options), splice(options.CaseValueAt > 0 ? Splice::Pending : Splice::None) {}

  void Run() {
    State state = options.AllowConditions ? State::Condition : State::Operand;
    while (state != State::Done) state = Step(state);
  }

 private:
  enum class State { Condition, Operand, Value, AfterOperand, Done };
  // The CASE value follows the selector: waiting for it, or already compared.
  enum class Splice { None, Pending, Done };

  Tokenizer& t;
  const ExpressionOptions options;
  Splice splice;
  Element e;
  bool found = false;

  State Step(State state) {
    switch (state) {
      case State::Condition:
        return Condition();
      case State::Operand:
        return Operand();
      case State::Value:
        return Value();
      case State::AfterOperand:
        return AfterOperand();
      case State::Done:
        break;
    }
    return State::Done;
  }

  void Read() { found = t.NextElement(e); }
  // Steps back over the element just read, so the caller (or the next state) reads it again.
  void Unread() {
    if (found) --t.Scan.ElementIndex;
  }
  [[noreturn]] void Fail(int plainRow, int conditionalRow) {
    t.RaiseTokenizeError(options.Conditional ? conditionalRow : plainRow);
  }
  void OpenGroup() {
    t.PushOperator(Marker);
    ++t.GroupLevel;
  }

  State Condition() {
    t.PushOperator(Marker);
    t.PushOperator(Marker);
    t.GroupLevel += 2;
    for (Read(); found && e.Kind == LeftParen; Read()) OpenGroup();
    if (found && e.Kind == NotWord) {
      if (splice != Splice::None) t.RaiseTokenizeError(ErrExpectedOperand);
      t.OperatorTop -= 2;
      t.GroupLevel -= 2;
      t.PushOperator(layout::TokenNot);
      return State::Condition;
    }
    Unread();
    return State::Operand;
  }

  State Operand() {
    Read();
    switch (e.Kind) {
      case Constant:
      case PinName:
        return State::Value;
      case Variable:
        // The compile-time evaluator has no value for a run-time variable.
        if (options.Conditional) t.RaiseTokenizeError(ErrCondIllegalSymbol);
        return State::Value;
      case DirectiveWord:
      case ModuleName:
      case DefinedName:
        if (!options.Conditional) t.RaiseTokenizeError(ErrExpectedOperand);
        return State::Value;
      case Unresolved:
        if (!options.Conditional) t.RaiseTokenizeError(ErrUndefinedSymbol);
        if (t.LastLookup.DeclaredLater) t.RaiseTokenizeError(ErrCondIllegalSymbol);
        e.Value = 0;  // an unknown name counts as 0
        return State::Value;
      default:
        return PrefixOfOperand();
    }
  }

  // A sign, a unary operator or "(" before the operand.
  State PrefixOfOperand() {
    switch (e.Kind) {
      case BinaryOperator:
        if (e.Value != layout::TokenSubtract) Fail(ErrExpectedOperand, ErrCondExpectedOperand);
        t.PushOperator(layout::TokenNegate);
        break;
      case UnaryOperator:
        if (options.Conditional) t.RaiseTokenizeError(ErrCondIllegalOperator);
        t.PushOperator(static_cast<uint8_t>(e.Value));
        break;
      case LeftParen:
        OpenGroup();
        break;
      default:
        Fail(ErrExpectedOperand, ErrCondExpectedOperand);
    }
    return State::Operand;
  }

  State Value() {
    const bool compileTime = options.Conditional && (e.Kind == DirectiveWord || e.Kind == ModuleName ||
                                                     e.Kind == DefinedName || e.Kind == PinName);
    if (e.Kind == Constant || e.Kind == Unresolved || (e.Kind == PinName && options.PinsAsConstants) ||
        compileTime)
      t.EmitConstant(e.Value);
    else
      t.EmitVariable(e, false);
    return State::AfterOperand;
  }

  // At the CASE value the selector's comparison goes in, unless the value brings its own "=".
  void SpliceCaseComparison() {
    const uint8_t compare = options.CaseCompare;
    if (e.Kind != Comparison) {
      Unread();
      e.Kind = Comparison;
      e.Value = compare;
    } else if (compare != layout::CompareEqual) {
      t.RaiseTokenizeError(ErrExpectedOperand);
    }
    splice = Splice::Done;
  }

  State AfterOperand() {
    t.Flush();
    Read();
    if (splice == Splice::Pending && found && t.Scan.ElementIndex - 1 == options.CaseValueAt)
      SpliceCaseComparison();
    switch (e.Kind) {
      case BinaryOperator:
        if (options.Conditional && IllegalInCondition(e.Value)) t.RaiseTokenizeError(ErrCondIllegalOperator);
        t.PushOperator(static_cast<uint8_t>(e.Value));
        return State::Operand;
      case Comparison:
        if (!options.AllowConditions) t.RaiseTokenizeError(ErrExpectedBinaryOperator);
        t.CloseGroup();
        t.PushOperator(static_cast<uint8_t>(e.Value));
        OpenGroup();
        return State::Operand;
      case LogicalOperator:
        if (!options.AllowConditions || splice != Splice::None)
          t.RaiseTokenizeError(ErrExpectedBinaryOperator);
        t.CloseGroup();
        t.CloseGroup();
        t.PushOperator(static_cast<uint8_t>(e.Value));
        return State::Condition;
      case RightParen:
        return AfterRightParen();
      case Unresolved:
        t.RaiseTokenizeError(ErrUndefinedSymbol);
      case LeftParen:
      case Variable:
      case UnaryOperator:
      case Constant:
        t.RaiseTokenizeError(ErrExpectedBinaryOperator);
      default:
        return AtExpressionEnd();
    }
  }

  State AfterRightParen() {
    if (options.AllowConditions && t.GroupLevel == 2) {
      t.CloseGroup();
      t.CloseGroup();
      if (t.OperatorTop != t.OperatorFloor) t.RaiseTokenizeError(ErrExpectedBinaryOperator);
      Unread();
      return State::Done;
    }
    --t.GroupLevel;
    if (t.OperatorTop > t.OperatorFloor) {
      --t.OperatorTop;  // the group's marker
      return State::AfterOperand;
    }
    Unread();  // the ")" belongs to the caller
    return State::Done;
  }

  State AtExpressionEnd() {
    // The CASE value follows the selector (a live element, so the jump cannot repeat).
    const int at = options.CaseValueAt;
    if (splice == Splice::Pending && at < t.Scan.EndMark && t.Scan.ElementList[at].Kind != Deleted) {
      t.Scan.ElementIndex = static_cast<uint16_t>(at);
      return State::AfterOperand;
    }
    if (options.AllowConditions) {
      t.CloseGroup();
      t.CloseGroup();
    }
    if (t.OperatorTop != t.OperatorFloor) t.RaiseTokenizeError(ErrExpectedBinaryOperator);
    Unread();
    return State::Done;
  }
};

void Tokenizer::PushOperator(uint8_t entry) {
  if (OperatorTop == 255) RaiseTokenizeError(ErrExpressionTooComplex);
  OperatorStack[++OperatorTop] = entry;
}

void Tokenizer::Flush() {
  while (OperatorTop > OperatorFloor && OperatorStack[OperatorTop] != Marker)
    EmitToken(OperatorStack[OperatorTop--]);
}

void Tokenizer::CloseGroup() {
  if (OperatorTop > OperatorFloor) --OperatorTop;
  --GroupLevel;
  Flush();
}

void Tokenizer::CompileExpression(const ExpressionOptions& options) {
  const uint8_t savedLevel = GroupLevel;
  const uint8_t savedTop = OperatorTop;
  const uint8_t savedFloor = OperatorFloor;
  GroupLevel = 0;
  OperatorFloor = OperatorTop;
  ExpressionCompiler(*this, options).Run();
  GroupLevel = savedLevel;
  OperatorTop = savedTop;
  OperatorFloor = savedFloor;
}

void Tokenizer::StartFreshExpression(const ExpressionOptions& options) {
  OperatorTop = 0;
  OperatorFloor = 0;
  GroupLevel = 0;
  ClearExprBuffer(0);
  if (options.Conditional) ArgDepth = 0;
  CompileExpression(options);
}

void Tokenizer::StartExpression(bool AllowConditions, bool PinsAsConstants) {
  StartFreshExpression({AllowConditions, PinsAsConstants, false, 0});
}

void Tokenizer::StartCaseTest(int valueAt, uint8_t compare) {
  StartFreshExpression({true, false, false, valueAt, compare});
}

void Tokenizer::StartCondition() {
  StartFreshExpression({true, false, true, 0});
}

void Tokenizer::StartCaseCondition(int valueAt, uint8_t compare) {
  StartFreshExpression({true, false, true, valueAt, compare});
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
  if (code >= layout::BinaryFirst && code <= layout::ComparisonLast) {
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
    CompileExpression({false, true, false, 0});
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
}

void Tokenizer::CopyExprBuffer(int from, int to) {
  ExprBuffers[to] = ExprBuffers[from];
}

void Tokenizer::AppendExprBuffer(int from, int code) {
  const ExprBits source = ExprBuffers[from];
  ExprWriteBits(1, 1);
  const int full = source.BitCount / 16;
  for (int i = 0; i < full; ++i) ExprWriteBits(16, source.Words[i]);
  if (source.BitCount % 16) ExprWriteBits(source.BitCount % 16, source.Words[full]);
  EmitToken(code);
}

}  // namespace tok
