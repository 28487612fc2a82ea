// The VD1 instruction layouts that are plain runs of operands, targets, labels and lists.

#include <iterator>

#include "tokenizer/vd1/Vd1Compiler.h"

namespace tok::vd1 {

namespace {

// The assignment operators in the order of their 4-bit index; "=-" and "=" only start an
// assignment.
constexpr Kind kAssignmentOperators[] = {KEqualMinus, KEqual, KMinus,  KPlus,      KStar,  KStarStar,
                                         KSlashSlash, KSlash, KAndNot, KAmpersand, KOrNot, KBar,
                                         KXorNot,     KCaret, KMin,    KMax};
static_assert(std::size(kAssignmentOperators) == 16);

// The LET operator index of an element, or -1 when it is no operator of an assignment.
int AssignmentOperatorIndex(Kind kind) {
  for (int index = 0; index < 16; ++index)
    if (kAssignmentOperators[index] == kind) return index;
  return -1;
}

bool IsOperatorKind(Kind kind) {
  return kind >= KNotEqual && kind <= KCaret;
}

}  // namespace

namespace {

// Instructions that are a plain run of parts, one character each: o operand, "," comma,
// t target variable, l label. A leading N reserves the address of the next instruction first
// and fills it in at the end.
struct PlainRow {
  uint8_t Code;
  const char* Shape;
};

constexpr PlainRow kPlainRows[] = {
    {IHigh, "o"},       {ILow, "o"},    {IInput, "o"},     {IOutput, "o"},   {IToggle, "o"},
    {IReverse, "o"},    {IPause, "o"},  {IPulsout, "o,o"}, {IPwm, "o,o,o"},  {IPot, "o,o,t"},
    {IPulsin, "o,o,t"}, {IRandom, "t"}, {IRead, "No,t"},   {IWrite, "No,o"}, {INap, "No"},
    {ISleep, "No"},     {IGoto, "l"},   {IReturn, ""},     {IEnd, ""},
};

const PlainRow* FindPlainRow(uint8_t code) {
  for (const PlainRow& row : kPlainRows)
    if (row.Code == code) return &row;
  return nullptr;
}

}  // namespace

void Compiler::CompilePlainRow(const char* shape) {
  const bool reservesNext = *shape == 'N';
  const int next = reservesNext ? ReserveNext() : 0;
  for (const char* part = shape + (reservesNext ? 1 : 0); *part; ++part) {
    switch (*part) {
      case 'o':
        code_.Write(ReadOperand());
        break;
      case ',':
        Expect(KComma, Error::ExpectedComma);
        break;
      case 't':
        code_.Write(ReadTargetVariable(), VariableBits);
        break;
      case 'l':
        code_.Write(ReadLabel(), AddressBits);
        break;
    }
  }
  if (reservesNext) PatchNext(next);
}

void Compiler::CompileBranch() {
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  std::vector<Field> labels;
  ReadList(labels, [this](std::vector<Field>& fields) { fields.push_back({ReadLabel(), AddressBits}); });
  code_.Write(labels);
}

void Compiler::CompileInstruction(uint8_t code, int statementStart) {
  if (const PlainRow* row = FindPlainRow(code)) return CompilePlainRow(row->Shape);
  switch (code) {
    case IGosub:
      return CompileGosub();
    case IBranch:
      return CompileBranch();
    case IButton:
      return CompileButton();
    case ILookup:
    case ILookdown:
      return CompileLookup();
    case ISound:
      return CompileSound();
    case ISerout:
      return CompileSerout();
    case ISerin:
      return CompileSerin();
    case IFor:
      return CompileFor();
    case INext:
      return CompileNext();
    case IIf:
      return CompileIf();
    case ILet: {
      const Token target = Next();
      if (target.kind != KVariable) throw Failure{Error::ExpectedVariable};
      return CompileAssignment(target);
    }
    case IDebug:
      return CompileDebug(statementStart);
  }
}

// target = operand {operator operand}: the first operand, the target, the first operator's
// index, then per further operator a 1 bit, its operand and its index, and a 0 bit. The
// module applies the operators to the target from left to right, so a source that starts with
// the target itself (B0 = B0 + 5) leaves it out and starts with the next operator.
void Compiler::CompileAssignment(const Token& target) {
  const Token assign = Next();
  if (assign.kind != KEqual && assign.kind != KEqualMinus) throw Failure{Error::ExpectedEquals};
  int index = AssignmentOperatorIndex(assign.kind);

  auto readOperator = [this] {
    const Token op = Next();
    const int found = AssignmentOperatorIndex(op.kind);
    if (found > 1) return found;
    if (found >= 0 || IsOperatorKind(op.kind)) throw Failure{Error::ExpectedOperator};
    throw Failure{Error::ExpectedOperatorOrEnd};
  };

  const Token firstToken = Peek();
  Field first = ReadOperand();
  if (index == 1 && firstToken.kind == KVariable && firstToken.value == target.value &&
      !IsStatementEnd(Peek())) {
    index = readOperator();
    first = ReadOperand();
  }
  code_.Write(first);
  code_.Write(target.value, VariableBits);
  code_.Write(static_cast<uint32_t>(index), OperatorIndexBits);
  while (!IsStatementEnd(Peek())) {
    const int further = readOperator();
    const Field operand = ReadOperand();
    code_.Write(1, 1);
    code_.Write(operand);
    code_.Write(static_cast<uint32_t>(further), OperatorIndexBits);
  }
  code_.Write(0, 1);
}

// BUTTON pin, downstate, delay, rate, workspace, targetstate, label
void Compiler::CompileButton() {
  for (int i = 0; i < 4; ++i) {
    code_.Write(ReadOperand());
    Expect(KComma, Error::ExpectedComma);
  }
  code_.Write(ReadTargetVariable(), VariableBits);
  Expect(KComma, Error::ExpectedComma);
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  code_.Write(ReadLabel(), AddressBits);
}

// LOOKUP index, (values), variable / LOOKDOWN target, (values), variable: the variable comes
// last in the source but before the list in the code.
void Compiler::CompileLookup() {
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  std::vector<Field> values;
  ReadList(values, [this](std::vector<Field>& fields) { fields.push_back(ReadOperand()); });
  Expect(KComma, Error::ExpectedComma);
  code_.Write(ReadTargetVariable(), VariableBits);
  code_.Write(values);
}

// SOUND pin, (note, duration, ...): each pair is written duration first.
void Compiler::CompileSound() {
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  std::vector<Field> pairs;
  ReadList(pairs, [this](std::vector<Field>& fields) {
    const Field note = ReadOperand();
    Expect(KComma, Error::ExpectedComma);
    fields.push_back(ReadOperand());
    fields.push_back(note);
  });
  code_.Write(pairs);
}

}  // namespace tok::vd1
