// IF, FOR, NEXT and GOSUB: the VD1 instructions that keep state across statements.

#include "tokenizer/vd1/Vd1Compiler.h"

namespace tok::vd1 {

namespace {

// The comparison index of an IF condition, or 0.
uint32_t ComparisonIndex(Kind kind) {
  switch (kind) {
    case KLess:
      return 1;
    case KGreater:
      return 2;
    case KNotEqual:
      return 3;
    case KEqual:
      return 4;
    case KLessEqual:
      return 5;
    case KGreaterEqual:
      return 6;
    default:
      return 0;
  }
}

constexpr uint32_t ConditionFollows = 16;
constexpr uint32_t JoinedByOr = 8;

}  // namespace

// IF variable comparison operand {AND|OR ...} THEN label. Each condition is written right
// side first; its 5-bit index also says whether another condition follows and how it joins.
void Compiler::CompileIf() {
  for (;;) {
    const uint8_t left = ReadTargetVariable();
    const uint32_t comparison = ComparisonIndex(Next().kind);
    if (comparison == 0) throw Failure{Error::ExpectedOperator};
    const Field right = ReadOperand();
    const Token join = Next();
    uint32_t index = comparison;
    if (join.kind == KAnd)
      index += ConditionFollows;
    else if (join.kind == KOr)
      index += ConditionFollows + JoinedByOr;
    else if (join.kind != KThen)
      throw Failure{Error::ExpectedAndOrThen};
    code_.Write(right);
    code_.Write(left, VariableBits);
    code_.Write(index, ComparisonBits);
    if (join.kind == KThen) break;
  }
  code_.Write(ReadLabel(), AddressBits);
}

// FOR variable = start TO limit {STEP {-} step}: writes the start and the variable; the rest
// waits on the FOR stack for its NEXT.
void Compiler::CompileFor() {
  if (forDepth_ == ForLimit) throw Failure{Error::ForNestingLimit};
  ForEntry entry;
  entry.variable = ReadTargetVariable();
  Expect(KEqual, Error::ExpectedEquals);
  entry.start = ReadOperand();
  Expect(KTo, Error::ExpectedTo);
  entry.limit = ReadOperand();
  entry.step = ConstantOperand(1);
  if (Peek().kind == KStep) {
    Next();
    if (Peek().kind == KMinus) {
      Next();
      entry.down = true;
    }
    entry.step = ReadOperand();
  }
  code_.Write(entry.start);
  code_.Write(entry.variable, VariableBits);
  entry.loopPosition = code_.Position();
  forStack_[forDepth_++] = entry;
}

// NEXT {variable}: step, variable, direction, the bounds in the order the direction needs,
// and the loop position.
void Compiler::CompileNext() {
  if (forDepth_ == 0) throw Failure{Error::NextWithoutFor};
  const ForEntry entry = forStack_[forDepth_ - 1];
  if (!IsStatementEnd(Peek())) {
    const Token variable = Next();
    if (variable.kind != KVariable || variable.value != entry.variable)
      throw Failure{Error::IncorrectNextVariable};
  }
  --forDepth_;
  code_.Write(entry.step);
  code_.Write(entry.variable, VariableBits);
  code_.Write(entry.down ? 0 : 1, 1);
  code_.Write(entry.down ? entry.start : entry.limit);
  code_.Write(entry.down ? entry.limit : entry.start);
  code_.Write(static_cast<uint32_t>(entry.loopPosition), AddressBits);
}

// GOSUB label: its number, the label, and (second pass) the return position in the table
// after the code.
void Compiler::CompileGosub() {
  const int number = gosubCount_++;
  if (gosubCount_ == GosubLimit) throw Failure{Error::GosubLimit};
  code_.Write(static_cast<uint32_t>(number), GosubNumberBits);
  code_.Write(ReadLabel(), AddressBits);
  if (pass_ == 2)
    code_.WriteAt(codeBits_ + AddressBits * number, static_cast<uint32_t>(code_.Position()), AddressBits);
}

}  // namespace tok::vd1
