// GOTO, GOSUB, ON ... GOTO/GOSUB and BRANCH: the instructions that name labels.

#include "tokenizer/BitLayout.h"
#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

constexpr int GosubNumberBits = 8;

// The next GOSUB number, written after the GOSUB code.
int EmitGosubNumber(Tokenizer& t) {
  const int number = t.Code.NextGosubNumber();
  t.WriteBits(GosubNumberBits, static_cast<uint16_t>(number));
  return number;
}

// Field k of the return table holds the return address of GOSUB number k.
void PatchReturnHere(Tokenizer& t, int gosubNumber) {
  PatchHere(t, gosubNumber * layout::AddressFieldBits);
}

}  // namespace

void CompileGoto(Tokenizer& t) {
  EmitInstruction(t, OpGoto);
  LabelRef(t);
}

void CompileGosub(Tokenizer& t) {
  EmitInstruction(t, OpGosub);
  const int number = EmitGosubNumber(t);
  LabelRef(t);
  PatchReturnHere(t, number);
}

void CompileOn(Tokenizer& t) {
  CompileValue(t, 0);  // the offset, held in ExprBuffer
  const Element jump = Next(t);
  const bool isGosub = jump.Kind == Instruction && jump.Value == KwGosub;
  if (!isGosub && !(jump.Kind == Instruction && jump.Value == KwGoto))
    t.RaiseTokenizeError(ErrExpectedGotoGosub);
  int number = 0;
  if (isGosub) {
    // The call goes to the BRANCH right behind it.
    EmitInstruction(t, OpGosub);
    number = EmitGosubNumber(t);
    EmitNextAddress(t);
  }
  Push(t);
  EmitInstruction(t, OpBranch);
  for (;;) {
    LabelRef(t);
    const uint16_t before = t.Scan.ElementIndex;
    const Element e = Next(t);
    if (e.Kind == Comma) {
      Bit(t, 1);
      continue;
    }
    if (!IsEnd(e)) t.RaiseTokenizeError(ErrExpectedCommaOrEnd);
    t.Scan.ElementIndex = before;  // the end is the statement loop's
    Bit(t, 0);
    break;
  }
  if (isGosub) {
    // An offset that selects no label falls through to this RETURN.
    EmitInstruction(t, OpReturn);
    PatchReturnHere(t, number);
  }
}

void CompileBranch(Tokenizer& t) {
  CompileValue(t, 0);
  Push(t);
  EmitInstruction(t, OpBranch);
  ExpectComma(t);
  Expect(t, LeftBracket, ErrExpectedLeftBracket);
  do {
    LabelRef(t);
  } while (Separator(t));
}

}  // namespace tok::code
