// Conditional compilation (language 2.5): #DEFINE, #ERROR, #IF/#ELSE/#ENDIF and
// #SELECT/#CASE/#ENDSELECT, evaluated at compile time over the full element list. Inactive
// parts are marked Deleted, so the later passes never see them.
//
// The frames live on the ControlStack; this pass names their fields differently:
//   #IF:     LoopAddress = Skipping (1 while the current part is inactive),
//            PendingJump = SkipFrom (first element of the part to remove)
//   #SELECT: LoopAddress = CaseState (1 no case taken yet, 0 in the taken case, 2 after it),
//            PendingJump = KeepFrom (end element of the taken #CASE line),
//            ExitSlots[0] = SkipRest (where the part after the taken case begins, 0 unset)

#include <cstring>

#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

enum CondValue : uint16_t {
  HashDefine = 7,
  HashError = 15,
  HashIf = 25,
  HashElse = 10,
  HashEndif = 13,
  HashSelect = 59,
  HashCase = 3,
  HashEndselect = 14,
};
constexpr uint8_t FrameIfThen = 5, FrameIfElse = 4, FrameSelect = 8;
constexpr uint16_t ElseInstruction = 10;

}  // namespace

void Tokenizer::ConditionalCompile() {
  ControlStack.Depth = 0;
  IfCount = 0;
  SelectCount = 0;
  ElementIndex = 0;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != CondDirective) continue;
    const bool inactive = !ControlStack.Empty() && ControlStack.Top().LoopAddress != 0;
    switch (e.Value) {
      case HashIf:
        CondIf(e);
        break;
      case HashElse:
        CondElse(e);
        break;
      case HashEndif:
        CondEndif(e);
        break;
      case HashDefine:
        if (inactive) {
          while (NextElement(e) && e.Kind != EndOfStatement) {
          }
        } else {
          CondDefine(e);
        }
        break;
      case HashError:
        if (!inactive) CondError(e);
        break;
      case HashSelect:
        CondSelect(e);
        break;
      case HashCase:
        CondCase(e);
        break;
      case HashEndselect:
        CondEndselect(e);
        break;
      default:
        break;
    }
  }
  if (LanguageIs25 && !ControlStack.Empty()) {
    const Element& opening = ElementList[ControlStack.Top().Start];
    TokenizeResult.ErrorStart = opening.Start;
    TokenizeResult.ErrorLength = opening.Length;
    RaiseTokenizeError(ControlStack.Top().Kind == FrameSelect ? ErrSelectWithoutEndselect
                                                              : ErrIfWithoutEndif);
  }
}

void Tokenizer::CondIf(const Element&) {
  if (IfCount == NestingLimit) RaiseTokenizeError(ErrTooManyNestedIfs);
  ControlFrame& frame = ControlStack.Frames[ControlStack.Depth++];
  frame = ControlFrame{};
  frame.Kind = FrameIfThen;
  frame.Start = static_cast<uint16_t>(ElementIndex - 1);
  StartCondition();
  Element e;
  NextElement(e);
  if (e.Kind != HashThen) RaiseTokenizeError(ErrExpectedHashThen);
  DeleteStatement(frame.Start, ElementIndex - 1);
  frame.LoopAddress = EvaluateExpr() == 0 ? 1 : 0;
  frame.PendingJump = ElementIndex;
  ++IfCount;
}

void Tokenizer::CondElse(const Element&) {
  if (IfCount == 0) RaiseTokenizeError(ErrElseWithoutIf);
  ControlFrame& frame = ControlStack.Top();
  if (frame.Kind == FrameSelect) RaiseTokenizeError(ErrExpectedEndselectStatement);
  if (frame.Kind == FrameIfElse) RaiseTokenizeError(ErrExpectedHashEndif);
  frame.Kind = FrameIfElse;
  const uint16_t at = static_cast<uint16_t>(ElementIndex - 1);
  if (frame.LoopAddress == 0) frame.PendingJump = at;
  DeleteStatement(frame.PendingJump, at);
  frame.LoopAddress = static_cast<uint16_t>(1 - frame.LoopAddress);
  frame.PendingJump = static_cast<uint16_t>(at + 1);
}

void Tokenizer::CondEndif(const Element&) {
  if (IfCount == 0) RaiseTokenizeError(ErrEndifWithoutIf);
  ControlFrame& frame = ControlStack.Top();
  if (frame.Kind == FrameSelect) RaiseTokenizeError(ErrExpectedEndselectStatement);
  const uint16_t at = static_cast<uint16_t>(ElementIndex - 1);
  if (frame.LoopAddress == 0) frame.PendingJump = at;
  DeleteStatement(frame.PendingJump, at);
  --ControlStack.Depth;
  --IfCount;
}

void Tokenizer::CondDefine(const Element&) {
  const int first = ElementIndex - 1;
  Element name;
  NextElement(name);
  if (name.Kind == Unresolved) {
    if (LookupIsDeclared) RaiseTokenizeError(ErrSymbolAlreadyDefined);
  } else if (name.Kind != DefinedName) {
    RaiseTokenizeError(ErrExpectedUserSymbol);
  }
  NewSymbol = LookupSymbol;
  NewSymbol.SetName(ElementName(name).View());
  if (SymbolTable.Full()) RaiseTokenizeError(ErrSymbolTableFull);
  uint16_t value = 0xFFFF;
  Element e;
  if (PeekElement(e) && e.Kind != EndOfStatement) {
    NextElement(e);
    if (e.Kind != Comparison || e.Value != layout::CompareEqual) RaiseTokenizeError(ErrExpectedEquals);
    StartCondition();
    value = EvaluateExpr();
  }
  if (name.Kind == DefinedName) {
    SetSymbolValue(NewSymbol.NameView(), static_cast<int16_t>(value));
  } else {
    NewSymbol.Kind = DefinedName;
    NewSymbol.Value = static_cast<int16_t>(value);
    AddSymbol(NewSymbol);
  }
  const bool found = NextElement(e);
  if (e.Kind != EndOfStatement) RaiseTokenizeError(ErrExpectedEnd);
  DeleteStatement(first, found ? ElementIndex - 2 : EndMark - 1);
}

void Tokenizer::CondError(const Element& directive) {
  const int32_t rememberedStart = directive.Start;
  char text[512];
  size_t length = 0;
  for (char c : ErrorTable[ErrUserErrorPrefix]) text[length++] = c;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != Constant) RaiseTokenizeError(ErrExpectedCharacterValue);
    if (length < sizeof text) text[length++] = static_cast<char>(e.Value & 0xFF);
    NextElement(e);
    if (e.Kind == Comma) continue;
    if (e.Kind == EndOfStatement) break;
    RaiseTokenizeError(ErrExpectedCommaOrEnd);
  }
  // The error marks the directive line up to its end.
  TokenizeResult.ErrorLength = (e.Start + e.Length) - rememberedStart - 1;
  TokenizeResult.ErrorStart = rememberedStart;
  RaiseErrorText(std::string_view(text, length));
}

void Tokenizer::CondSelect(const Element&) {
  if (SelectCount == NestingLimit) RaiseTokenizeError(ErrTooManyNestedSelects);
  ControlFrame& frame = ControlStack.Frames[ControlStack.Depth++];
  frame = ControlFrame{};
  frame.Kind = FrameSelect;
  frame.Start = static_cast<uint16_t>(ElementIndex - 1);
  Element e;
  PeekElement(e);
  frame.SelectorStart = ElementIndex;
  frame.LoopAddress = 1;
  frame.ExitSlots[0] = 0;
  ++SelectCount;
  ConstValue(false, true);  // only the selector's syntax and names are checked here
  NextElement(e);
  if (e.Kind != EndOfStatement) RaiseTokenizeError(ErrExpectedEnd);
  const bool found = NextElement(e);
  if (e.Kind != CondDirective || e.Value != HashCase) RaiseTokenizeError(ErrExpectedHashCase);
  if (found) --ElementIndex;  // left for the dispatcher
}

// Compiles "selector <compare> value" into ExprBuffer, the value's elements spliced in after
// the selector's; leaves the element after the value unread.
uint16_t Tokenizer::CompileCaseValue(int selectorStart, uint8_t compare, bool) {
  Element e;
  PeekElement(e);
  const int spliceAt = ElementIndex;
  ControlStack.Top().CaseCompare = compare;
  ElementIndex = static_cast<uint16_t>(selectorStart);
  StartCaseCondition(spliceAt);
  return 0;
}

// A range is "low TO high": looks for TO before the next comma or end.
bool Tokenizer::CaseValueIsRange() {
  Element next;
  PeekElement(next);
  for (int i = ElementIndex; i < EndMark; ++i) {
    const uint8_t kind = ElementList[i].Kind;
    if (kind == Deleted) continue;
    if (kind == ToWord) return true;
    if (kind == Comma || kind == EndOfStatement) return false;
  }
  return false;
}

// "value, low TO high, ..." into ExprBuffer: one test per item, joined by OR.
void Tokenizer::CompileCaseValueList() {
  bool firstValue = true;
  for (;;) {
    const int selectorStart = ControlStack.Top().SelectorStart;
    Element next;
    if (!CaseValueIsRange()) {
      CompileCaseValue(selectorStart, layout::CompareEqual, false);
    } else {
      CompileCaseValue(selectorStart, layout::CompareGreaterEqual, true);
      CopyExprBuffer(0, 1);
      NextElement(next);
      if (next.Kind != ToWord) RaiseTokenizeError(ErrExpectedTo);
      CompileCaseValue(selectorStart, layout::CompareLessEqual, true);
      AppendExprBuffer(1, layout::TokenAnd);
    }
    if (!firstValue) AppendExprBuffer(3, layout::TokenOr);
    firstValue = false;
    NextElement(next);
    if (next.Kind == Comma) {
      CopyExprBuffer(0, 3);
      continue;
    }
    if (next.Kind == EndOfStatement) return;
    RaiseTokenizeError(ErrExpectedCommaOrEnd);
  }
}

void Tokenizer::CondCase(const Element&) {
  if (SelectCount == 0) RaiseTokenizeError(ErrCaseWithoutSelect);
  if (ControlStack.Top().Kind != FrameSelect) RaiseTokenizeError(ErrExpectedEndifStatement);
  const uint16_t caseIndex = static_cast<uint16_t>(ElementIndex - 1);
  {
    ControlFrame& frame = ControlStack.Top();
    if (frame.LoopAddress == 0) {
      frame.ExitSlots[0] = caseIndex;
      frame.LoopAddress = 2;
    }
  }
  Element e;
  PeekElement(e);
  bool isDefault = false;
  if (e.Kind == Instruction && e.Value == ElseInstruction) {
    NextElement(e);
    RaiseTokenizeError(ErrExpectedHashElse);
  }
  if (e.Kind == CondDirective && e.Value == HashElse) {
    NextElement(e);
    isDefault = true;
    NextElement(e);
    if (e.Kind != EndOfStatement) RaiseTokenizeError(ErrExpectedEnd);
  } else {
    CompileCaseValueList();
  }
  ControlFrame& frame = ControlStack.Top();
  if (frame.LoopAddress == 1 && (isDefault || EvaluateExpr() != 0)) {
    frame.PendingJump = static_cast<uint16_t>(ElementIndex - 1);  // the end element of this line
    frame.LoopAddress = 0;
  }
}

void Tokenizer::CondEndselect(const Element&) {
  if (SelectCount == 0) RaiseTokenizeError(ErrEndselectWithoutSelect);
  ControlFrame& frame = ControlStack.Top();
  if (frame.Kind != FrameSelect) RaiseTokenizeError(ErrExpectedEndifStatement);
  const uint16_t at = static_cast<uint16_t>(ElementIndex - 1);
  if (frame.LoopAddress == 0) frame.ExitSlots[0] = at;
  if (frame.ExitSlots[0] != 0) {
    DeleteStatement(frame.Start, frame.PendingJump);
    DeleteStatement(frame.ExitSlots[0], at);
  } else {
    DeleteStatement(frame.Start, at);
  }
  --ControlStack.Depth;
  --SelectCount;
}

}  // namespace tok
