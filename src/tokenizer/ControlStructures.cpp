// IF/ELSEIF/ELSE/ENDIF, DO/LOOP, FOR/NEXT, EXIT and SELECT/CASE/ENDSELECT: the structures kept
// on the control stack, their jumps, and the states of single-line IFs.
//
// Every reserved address field is patched exactly once: a pending jump that has been patched
// is cleared at once.

#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

// SELECT frames take at most 15 CASE jumps.
constexpr int CaseExitSlots = ExitSlotCount - 1;

ControlFrame& Top(Tokenizer& t) {
  return t.Structures.Top();
}

ControlFrame& PushFrame(Tokenizer& t, uint8_t kind, int start) {
  ControlFrame f{};
  f.Kind = kind;
  f.Start = static_cast<uint16_t>(start);
  return t.Structures.Push(f);
}

void PopFrame(Tokenizer& t) {
  t.Structures.Pop();
}

// The element index of the keyword just read.
int KeywordIndex(const Tokenizer& t) {
  return LastReadIndex(t);
}

// The error that names what the open structure on top expects.
void RaiseWrongStructure(Tokenizer& t, uint8_t kind) {
  switch (kind) {
    case ForFrame:
      t.RaiseTokenizeError(ErrExpectedNext);
    case DoFrame:
      t.RaiseTokenizeError(ErrExpectedLoop);
    case SelectFrame:
      t.RaiseTokenizeError(ErrExpectedEndselect);
    case IfElsePartSingle:
    case IfThenPartSingle:
    case IfElsePart:
    case IfThenPart:
      t.RaiseTokenizeError(ErrExpectedEndif);
    default:
      return;
  }
}

// LOOP, NEXT, CASE and ENDSELECT close or continue the structure on top of the stack, which
// must be theirs. (A single-line IF is never right after THEN or ELSE when the next statement
// starts: the end of each statement moves it on.)
void RequireTop(Tokenizer& t, uint8_t kind) {
  const uint8_t top = Top(t).Kind;
  if (top != kind) RaiseWrongStructure(t, top);
}

void PatchPending(Tokenizer& t, ControlFrame& f) {
  if (f.PendingJump == 0) return;
  PatchHere(t, f.PendingJump);
  f.PendingJump = 0;
}

void PatchExits(Tokenizer& t, ControlFrame& f, int slots) {
  for (int i = 0; i < slots && f.ExitSlots[i] != 0; ++i) {
    PatchHere(t, f.ExitSlots[i]);
    f.ExitSlots[i] = 0;
  }
}

int FreeExitSlot(const ControlFrame& f, int slots) {
  for (int i = 0; i < slots; ++i)
    if (f.ExitSlots[i] == 0) return i;
  return -1;
}

// A GOTO whose field is reserved for a later patch.
uint16_t ForwardGoto(Tokenizer& t) {
  EmitInstruction(t, OpGoto);
  return ReserveField(t);
}

bool IsInstruction(const Element& e, int keyword) {
  return e.Kind == Instruction && e.Value == keyword;
}

// Looks ahead to THEN: the jump form is the only form of 2.0 source; in 2.5 it is chosen when
// THEN is followed by a label, a new name, or GOTO, one element and the statement's end.
bool JumpForm(Tokenizer& t) {
  if (!t.LanguageIs25) return true;
  const uint16_t index = t.Scan.ElementIndex;
  const int32_t errorStart = t.TokenizeResult.ErrorStart, errorLength = t.TokenizeResult.ErrorLength;
  bool jump = false;
  for (Element e = Next(t); !IsEnd(e); e = Next(t)) {
    if (e.Kind != ThenWord) continue;
    const Element after = Next(t);
    if (after.Kind == Label || after.Kind == Unresolved) {
      jump = true;
    } else if (IsInstruction(after, KwGoto)) {
      Next(t);
      jump = IsEnd(Next(t));
    }
    break;
  }
  t.Scan.ElementIndex = index;
  t.TokenizeResult.ErrorStart = errorStart;
  t.TokenizeResult.ErrorLength = errorLength;
  return jump;
}

// The condition, THEN and the jump or block head shared by IF and ELSEIF. `frame` is the frame
// to push in block form (IF: a new one; ELSEIF: the structure's own, with its exit slots).
void IfHead(Tokenizer& t, ControlFrame frame, bool elseIf) {
  const bool jump = JumpForm(t);
  CompileCondition(t, 0);
  Push(t);
  EmitInstruction(t, OpIf);
  if (Next(t).Kind != ThenWord) t.RaiseTokenizeError(ErrExpectedThen);
  if (jump && !elseIf) {
    if (t.LanguageIs25 && IsInstruction(Peek(t), KwGoto)) Next(t);
    LabelRef(t);
    return;
  }
  const bool multiLine = IsEnd(Peek(t));
  if (elseIf) {
    if (frame.Kind == IfThenPartSingle) frame.Kind = IfAfterThenSingle;
  } else {
    frame.Kind = multiLine ? IfThenPart : IfAfterThenSingle;
  }
  const uint16_t toThenPart = ReserveField(t);
  frame.PendingJump = ForwardGoto(t);
  PatchHere(t, toThenPart);
  if (jump) {
    // ELSEIF ... THEN label: the branch is a jump to the label, and the structure stays
    // whole (a false condition still goes on to the next branch).
    if (t.LanguageIs25 && IsInstruction(Peek(t), KwGoto)) Next(t);
    EmitInstruction(t, OpGoto);
    LabelRef(t);
  }
  t.Structures.Push(frame);
}

// Closes every single-line IF that a line end ends.
void CloseSingleLineIfs(Tokenizer& t) {
  while (t.Structures.OpenIfs() > 0 && !t.Structures.Empty() &&
         (Top(t).Kind == IfThenPartSingle || Top(t).Kind == IfElsePartSingle)) {
    ControlFrame& f = Top(t);
    PatchExits(t, f, ExitSlotCount);
    PatchPending(t, f);
    PopFrame(t);
  }
}

// The code of a FOR line is compiled again by NEXT; this reads its TO limit and STEP only to
// check them.
void CheckForTail(Tokenizer& t) {
  if (Next(t).Kind != ToWord) t.RaiseTokenizeError(ErrExpectedTo);
  CompileValue(t, 0);
  if (IsEnd(Peek(t))) return;
  if (Next(t).Kind != StepWord) t.RaiseTokenizeError(ErrExpectedStep);
  CompileValue(t, 0);
}

}  // namespace

// ---- after each statement -------------------------------------------------------------------

void FinishStatement(Tokenizer& t) {
  if (t.Structures.OpenIfs() == 0 || t.Structures.Empty() || Top(t).Kind >= IfElsePart) {
    if (!IsEnd(Next(t))) t.RaiseTokenizeError(ErrExpectedEnd);
    return;
  }
  ControlFrame& f = Top(t);
  if (f.Kind == IfAfterThenSingle || f.Kind == IfAfterElseSingle) {
    --f.Kind;  // the next statement on the line belongs to the branch
    return;
  }
  if (f.Kind == IfThenPartSingle) {
    const Element next = Peek(t);
    if (IsInstruction(next, KwElse) || IsInstruction(next, KwElseif)) return;
  }
  const Element end = Next(t);
  if (!IsEnd(end)) t.RaiseTokenizeError(ErrExpectedEnd);
  if (end.Value == 0) CloseSingleLineIfs(t);
}

void CheckUnclosedStructures(Tokenizer& t) {
  if (!t.LanguageIs25 || t.Structures.Empty()) return;
  const ControlFrame& f = Top(t);
  if (f.Kind == IfAfterElseSingle || f.Kind == IfAfterThenSingle) return;
  t.Scan.ElementIndex = f.Start;
  Next(t);  // the error marks the opening keyword
  switch (f.Kind) {
    case ForFrame:
      t.RaiseTokenizeError(ErrForWithoutNext);
    case DoFrame:
      t.RaiseTokenizeError(ErrDoWithoutLoop);
    case SelectFrame:
      t.RaiseTokenizeError(ErrSelectWithoutEndselect);
    default:
      t.RaiseTokenizeError(ErrIfWithoutEndif);
  }
}

// ---- IF -------------------------------------------------------------------------------------

void CompileIf(Tokenizer& t) {
  if (t.Structures.OpenIfs() >= NestingLimit) t.RaiseTokenizeError(ErrIfLimit);
  ControlFrame frame{};
  frame.Start = static_cast<uint16_t>(KeywordIndex(t));
  IfHead(t, frame, false);
}

void CompileElseIf(Tokenizer& t) {
  if (t.Structures.OpenIfs() == 0) t.RaiseTokenizeError(ErrElseifWithoutIf);
  ControlFrame& f = Top(t);
  const int slot = FreeExitSlot(f, ExitSlotCount);
  if (slot < 0) t.RaiseTokenizeError(ErrElseifLimit);
  if (f.Kind > IfThenPart) RaiseWrongStructure(t, f.Kind);
  if (f.Kind == IfElsePart) t.RaiseTokenizeError(ErrElseifAfterElse);
  const uint16_t toEnd = ForwardGoto(t);  // end of the previous branch
  PatchPending(t, f);
  f.ExitSlots[slot] = toEnd;
  ControlFrame frame = f;
  PopFrame(t);
  IfHead(t, frame, true);
}

void CompileElse(Tokenizer& t) {
  if (t.Structures.OpenIfs() == 0) t.RaiseTokenizeError(ErrElseWithoutIf);
  ControlFrame& f = Top(t);
  if (f.Kind > IfThenPart) RaiseWrongStructure(t, f.Kind);
  if (f.Kind == IfThenPartSingle || f.Kind == IfThenPart) {
    const uint16_t toEnd = ForwardGoto(t);
    PatchPending(t, f);
    f.PendingJump = toEnd;
    --f.Kind;
    return;
  }
  t.RaiseTokenizeError(f.Kind == IfElsePart ? ErrExpectedEndif : ErrExpectedEndOfLine);
}

void CompileEndIf(Tokenizer& t) {
  if (t.Structures.OpenIfs() == 0) t.RaiseTokenizeError(ErrEndifWithoutIf);
  ControlFrame& f = Top(t);
  if (f.Kind > IfThenPart) RaiseWrongStructure(t, f.Kind);
  PatchExits(t, f, ExitSlotCount);
  PatchPending(t, f);
  PopFrame(t);
}

// ---- DO / LOOP --------------------------------------------------------------------------------

void CompileDo(Tokenizer& t) {
  if (t.Structures.OpenDos() >= NestingLimit) t.RaiseTokenizeError(ErrDoLimit);
  ControlFrame& f = PushFrame(t, DoFrame, KeywordIndex(t));
  f.LoopAddress = t.Code.BitPos;
  if (IsEnd(Peek(t))) return;
  const Element word = Next(t);
  if (word.Kind != WhileWord && word.Kind != UntilWord) t.RaiseTokenizeError(ErrExpectedWhileUntil);
  CompileCondition(t, 0);
  Push(t);
  EmitInstruction(t, OpIf);
  if (word.Kind == UntilWord) {
    f.PendingJump = ReserveField(t);  // true leaves the loop
  } else {
    const uint16_t toBody = ReserveField(t);
    f.PendingJump = ForwardGoto(t);
    PatchHere(t, toBody);
  }
}

void CompileLoop(Tokenizer& t) {
  if (t.Structures.OpenDos() == 0) t.RaiseTokenizeError(ErrLoopWithoutDo);
  RequireTop(t, DoFrame);
  ControlFrame& f = Top(t);
  if (IsEnd(Peek(t))) {
    EmitInstruction(t, OpGoto);
    EmitAddress(t, f.LoopAddress);
    PatchPending(t, f);
  } else {
    const Element word = Next(t);
    if (word.Kind != WhileWord && word.Kind != UntilWord) t.RaiseTokenizeError(ErrExpectedWhileUntil);
    if (f.PendingJump != 0) t.RaiseTokenizeError(ErrBothConditions);
    CompileCondition(t, 0);
    Push(t);
    EmitInstruction(t, OpIf);
    if (word.Kind == WhileWord) {
      EmitAddress(t, f.LoopAddress);
    } else {
      const uint16_t toExit = ReserveField(t);
      EmitInstruction(t, OpGoto);
      EmitAddress(t, f.LoopAddress);
      PatchHere(t, toExit);
    }
  }
  PatchExits(t, f, ExitSlotCount);
  PopFrame(t);
}

// ---- FOR / NEXT -------------------------------------------------------------------------------

void CompileFor(Tokenizer& t) {
  if (t.Structures.OpenFors() >= NestingLimit) t.RaiseTokenizeError(ErrForLimit);
  const int start = KeywordIndex(t);
  CompileLet(t);  // the start value: all the code FOR writes
  ControlFrame& f = PushFrame(t, ForFrame, start);
  f.LoopAddress = t.Code.BitPos;
  CheckForTail(t);
}

void CompileNext(Tokenizer& t) {
  if (t.Structures.OpenFors() == 0) t.RaiseTokenizeError(ErrNextWithoutFor);
  RequireTop(t, ForFrame);
  ControlFrame& f = Top(t);
  const uint16_t resume = t.Scan.ElementIndex;

  // Compile the FOR line again, from the element after FOR.
  t.Scan.ElementIndex = static_cast<uint16_t>(f.Start + 1);
  const uint16_t variable = static_cast<uint16_t>(NextLiveIndex(t));
  CompileVariableRead(t, 2);
  ToSlot(t, 1);
  t.Scan.ElementIndex = variable;
  CompileVariableWrite(t, 3);
  ToSlot(t, 2);
  Next(t);  // '='
  CompileValue(t, 1);
  ToSlot(t, 3);
  Next(t);  // TO
  CompileValue(t, 0);
  Push(t);
  Push(t, 3);
  EmitInstruction(t, OpNext);
  Bare(t, 1);
  if (TakeIf(t, StepWord)) {
    CompileValue(t, 3);
    Push(t);
  } else {
    PushConst(t, 1);
  }
  Bit(t, 0);
  Bare(t, 2);
  Bit(t, 0);
  EmitAddress(t, f.LoopAddress);

  PatchExits(t, f, ExitSlotCount);
  PopFrame(t);
  t.Scan.ElementIndex = resume;
}

// ---- EXIT -------------------------------------------------------------------------------------

void CompileExit(Tokenizer& t) {
  if (t.Structures.OpenFors() == 0 && t.Structures.OpenDos() == 0) t.RaiseTokenizeError(ErrExitOutsideLoop);
  ControlFrame& loop = *t.Structures.InnermostLoop();
  const int slot = FreeExitSlot(loop, ExitSlotCount);
  if (slot < 0) t.RaiseTokenizeError(ErrExitLimit);
  loop.ExitSlots[slot] = ForwardGoto(t);
}

// ---- SELECT / CASE / ENDSELECT ----------------------------------------------------------------

void CompileSelect(Tokenizer& t) {
  if (t.Structures.OpenSelects() >= NestingLimit) t.RaiseTokenizeError(ErrSelectLimit);
  ControlFrame& f = PushFrame(t, SelectFrame, KeywordIndex(t));
  f.SelectorStart = static_cast<uint16_t>(NextLiveIndex(t));
  CompileValue(t, 0);  // checked only; every CASE compiles it again
  const uint16_t end = t.Scan.ElementIndex;
  if (!IsEnd(Next(t))) t.RaiseTokenizeError(ErrExpectedEnd);
  if (!IsInstruction(Next(t), KwCase)) t.RaiseTokenizeError(ErrExpectedCase);
  t.Scan.ElementIndex = end;
}

namespace {

// Compiles "selector <compare> item" into ExprBuffer, the item starting at element `item`.
void CaseTest(Tokenizer& t, const ControlFrame& f, uint8_t compare, int item) {
  t.Scan.ElementIndex = f.SelectorStart;
  t.ArgDepth = 0;
  t.StartCaseTest(item, compare);
}

// The kind of the element that ends the item starting at the current element.
uint8_t ItemEnd(Tokenizer& t) {
  const uint16_t index = t.Scan.ElementIndex;
  const int32_t errorStart = t.TokenizeResult.ErrorStart, errorLength = t.TokenizeResult.ErrorLength;
  Element e = Next(t);
  while (e.Kind != Comma && e.Kind != ToWord && !IsEnd(e)) e = Next(t);
  t.Scan.ElementIndex = index;
  t.TokenizeResult.ErrorStart = errorStart;
  t.TokenizeResult.ErrorLength = errorLength;
  return e.Kind;
}

}  // namespace

void CompileCase(Tokenizer& t) {
  if (t.Structures.OpenSelects() == 0) t.RaiseTokenizeError(ErrCaseWithoutSelect);
  RequireTop(t, SelectFrame);
  ControlFrame& f = Top(t);
  uint16_t& bodyStart = f.CaseBodyStart;
  if (bodyStart != 0) {
    if (t.Code.BitPos == bodyStart) t.RaiseTokenizeError(ErrEmptyCase);
    const int slot = FreeExitSlot(f, CaseExitSlots);
    if (slot < 0) t.RaiseTokenizeError(ErrCaseLimit);
    f.ExitSlots[slot] = ForwardGoto(t);
    PatchPending(t, f);
  }
  if (TakeIf(t, Instruction)) {
    if (IsInstruction(t.Scan.ElementList[LastReadIndex(t)], KwElse)) return;  // CASE ELSE
    t.Scan.ElementIndex = static_cast<uint16_t>(LastReadIndex(t));
  }

  for (int n = 0;; ++n) {
    const int item = NextLiveIndex(t);
    if (ItemEnd(t) == ToWord) {
      CaseTest(t, f, CodeGreaterEqual, item);
      ToSlot(t, 1);
      if (Next(t).Kind != ToWord) t.RaiseTokenizeError(ErrExpectedTo);
      CaseTest(t, f, CodeLessEqual, NextLiveIndex(t));
      ToSlot(t, 2);
      t.CopyExprBuffer(1, 0);
      t.AppendExprBuffer(2, CodeAnd);
    } else {
      CaseTest(t, f, CodeEqual, item);
    }
    if (n > 0) {
      ToSlot(t, 1);
      t.CopyExprBuffer(3, 0);
      t.AppendExprBuffer(1, CodeOr);
    }
    const Element sep = Next(t);
    if (sep.Kind == Comma) {
      ToSlot(t, 3);
      continue;
    }
    if (!IsEnd(sep)) t.RaiseTokenizeError(ErrExpectedCommaOrEnd);
    t.Scan.ElementIndex = static_cast<uint16_t>(LastReadIndex(t));  // the end is the statement loop's
    break;
  }
  Push(t);
  EmitInstruction(t, OpIf);
  const uint16_t toBody = ReserveField(t);
  f.PendingJump = ForwardGoto(t);
  PatchHere(t, toBody);
  bodyStart = t.Code.BitPos;
}

void CompileEndSelect(Tokenizer& t) {
  if (t.Structures.OpenSelects() == 0) t.RaiseTokenizeError(ErrEndselectWithoutSelect);
  RequireTop(t, SelectFrame);
  ControlFrame& f = Top(t);
  if (f.CaseBodyStart != 0 && t.Code.BitPos == f.CaseBodyStart) t.RaiseTokenizeError(ErrEmptyCase);
  PatchPending(t, f);
  PatchExits(t, f, CaseExitSlots);
  PopFrame(t);
}

}  // namespace tok::code
