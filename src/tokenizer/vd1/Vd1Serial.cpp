// SEROUT and SERIN: serial output items and input qualifiers and variables.

#include "tokenizer/vd1/Vd1Compiler.h"

namespace tok::vd1 {

// SEROUT pin, mode, ({#}item, ...): each item is its operand and a bit that is 1 for '#'.
void Compiler::CompileSerout() {
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  std::vector<Field> items;
  ReadList(items, [this](std::vector<Field>& fields) {
    const bool hash = Peek().kind == KHash;
    if (hash) Next();
    fields.push_back(ReadOperand());
    fields.push_back({hash ? 1u : 0u, 1});
  });
  code_.Write(items);
}

// SERIN pin, mode, {(qualifier, ...),} {#}variable, ...
// Qualifiers: a 1 bit, the first qualifier, a next field, then a 1 bit and an operand per
// further qualifier and a 0 bit at ')'; without qualifiers a single 0 bit. Variables: a '#'
// bit and the variable each, separated by 1 bits and ended by a 0 bit.
void Compiler::CompileSerin() {
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);
  code_.Write(ReadOperand());
  Expect(KComma, Error::ExpectedComma);

  int next = -1;
  const Token lead = Peek();
  if (lead.kind == KOpenParen) {
    Next();
    code_.Write(1, 1);
    code_.Write(ReadOperand());
    next = ReserveNext();
    for (;;) {
      const Token separator = Next();
      if (separator.kind == KCloseParen) break;
      if (separator.kind != KComma) throw Failure{Error::ExpectedCommaOrCloseParen};
      code_.Write(1, 1);
      code_.Write(ReadOperand());
    }
    code_.Write(0, 1);
    Expect(KComma, Error::ExpectedComma);
  } else if (lead.kind == KHash || lead.kind == KVariable) {
    code_.Write(0, 1);
  } else {
    Next();
    throw Failure{Error::ExpectedSerinItem};
  }

  for (;;) {
    const bool hash = Peek().kind == KHash;
    if (hash) Next();
    const uint8_t variable = ReadTargetVariable();
    code_.Write(hash ? 1 : 0, 1);
    code_.Write(variable, VariableBits);
    const Token separator = Peek();
    if (IsStatementEnd(separator)) break;
    Next();
    if (!IsListComma(separator)) throw Failure{Error::ExpectedCommaOrEnd};
    code_.Write(1, 1);
  }
  code_.Write(0, 1);
  if (next >= 0) PatchNext(next);
}

}  // namespace tok::vd1
