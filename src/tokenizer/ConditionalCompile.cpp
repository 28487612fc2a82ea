// Conditional compilation (language 2.5): #DEFINE, #ERROR, #IF/#ELSE/#ENDIF and
// #SELECT/#CASE/#ENDSELECT, evaluated at compile time over the full element list. Inactive
// parts are marked Deleted, so the later passes never see them. The open blocks live on a
// stack of their own (ConditionalStack.h).

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
using CondType = ConditionalFrame::Type;
using CaseState = ConditionalFrame::CaseState;
constexpr uint16_t ElseInstruction = 10;

}  // namespace

void Tokenizer::ConditionalCompile() {
  Conditionals.Clear();
  Scan.ElementIndex = 0;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != CondDirective) continue;
    const bool inactive = !Conditionals.Empty() && Conditionals.Top().Inactive();
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
  if (LanguageIs25 && !Conditionals.Empty()) {
    const Element& opening = Scan.ElementList[Conditionals.Top().Start];
    TokenizeResult.ErrorStart = opening.Start;
    TokenizeResult.ErrorLength = opening.Length;
    RaiseTokenizeError(Conditionals.Top().Kind == CondType::Select ? ErrSelectWithoutEndselect
                                                                   : ErrIfWithoutEndif);
  }
}

void Tokenizer::CondIf(const Element&) {
  if (Conditionals.OpenIfs() == NestingLimit) RaiseTokenizeError(ErrTooManyNestedIfs);
  ConditionalFrame& frame = Conditionals.Push(CondType::IfThen, static_cast<uint16_t>(Scan.ElementIndex - 1));
  StartCondition();
  Element e;
  NextElement(e);
  if (e.Kind != HashThen) RaiseTokenizeError(ErrExpectedHashThen);
  DeleteStatement(frame.Start, Scan.ElementIndex - 1);
  frame.Skipping = EvaluateExpr() == 0;
  frame.SkipFrom = Scan.ElementIndex;
}

void Tokenizer::CondElse(const Element&) {
  if (Conditionals.OpenIfs() == 0) RaiseTokenizeError(ErrElseWithoutIf);
  ConditionalFrame& frame = Conditionals.Top();
  if (frame.Kind == CondType::Select) RaiseTokenizeError(ErrExpectedEndselectStatement);
  if (frame.Kind == CondType::IfElse) RaiseTokenizeError(ErrExpectedHashEndif);
  frame.Kind = CondType::IfElse;
  const uint16_t at = static_cast<uint16_t>(Scan.ElementIndex - 1);
  if (!frame.Skipping) frame.SkipFrom = at;
  DeleteStatement(frame.SkipFrom, at);
  frame.Skipping = !frame.Skipping;
  frame.SkipFrom = static_cast<uint16_t>(at + 1);
}

void Tokenizer::CondEndif(const Element&) {
  if (Conditionals.OpenIfs() == 0) RaiseTokenizeError(ErrEndifWithoutIf);
  ConditionalFrame& frame = Conditionals.Top();
  if (frame.Kind == CondType::Select) RaiseTokenizeError(ErrExpectedEndselectStatement);
  const uint16_t at = static_cast<uint16_t>(Scan.ElementIndex - 1);
  if (!frame.Skipping) frame.SkipFrom = at;
  DeleteStatement(frame.SkipFrom, at);
  Conditionals.Pop();
}

void Tokenizer::CondDefine(const Element&) {
  const int first = Scan.ElementIndex - 1;
  Element name;
  NextElement(name);
  if (name.Kind == Unresolved) {
    if (LastLookup.DeclaredLater) RaiseTokenizeError(ErrSymbolAlreadyDefined);
  } else if (name.Kind != DefinedName) {
    RaiseTokenizeError(ErrExpectedUserSymbol);
  }
  Symbol defined;
  defined.SetName(ElementName(name).View());
  if (Names.Full()) RaiseTokenizeError(ErrSymbolTableFull);
  uint16_t value = 0xFFFF;
  Element e;
  if (PeekElement(e) && e.Kind != EndOfStatement) {
    NextElement(e);
    if (e.Kind != Comparison || e.Value != layout::CompareEqual) RaiseTokenizeError(ErrExpectedEquals);
    StartCondition();
    value = EvaluateExpr();
  }
  if (name.Kind == DefinedName) {
    SetSymbolValue(defined.NameView(), static_cast<int16_t>(value));
  } else {
    defined.Kind = DefinedName;
    defined.Value = static_cast<int16_t>(value);
    AddSymbol(defined);
  }
  const bool found = NextElement(e);
  if (e.Kind != EndOfStatement) RaiseTokenizeError(ErrExpectedEnd);
  DeleteStatement(first, found ? Scan.ElementIndex - 2 : Scan.EndMark - 1);
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
  if (Conditionals.OpenSelects() == NestingLimit) RaiseTokenizeError(ErrTooManyNestedSelects);
  ConditionalFrame& frame = Conditionals.Push(CondType::Select, static_cast<uint16_t>(Scan.ElementIndex - 1));
  Element e;
  PeekElement(e);
  frame.SelectorStart = Scan.ElementIndex;
  ConstValue(false, true);  // only the selector's syntax and names are checked here
  NextElement(e);
  if (e.Kind != EndOfStatement) RaiseTokenizeError(ErrExpectedEnd);
  const bool found = NextElement(e);
  if (e.Kind != CondDirective || e.Value != HashCase) RaiseTokenizeError(ErrExpectedHashCase);
  if (found) --Scan.ElementIndex;  // left for the dispatcher
}

// Compiles "selector <compare> value" into ExprBuffer, the value's elements spliced in after
// the selector's; leaves the element after the value unread.
void Tokenizer::CompileCaseValue(int selectorStart, uint8_t compare) {
  Element e;
  PeekElement(e);
  const int spliceAt = Scan.ElementIndex;
  Scan.ElementIndex = static_cast<uint16_t>(selectorStart);
  StartCaseCondition(spliceAt, compare);
}

// A range is "low TO high": looks for TO before the next comma or end.
bool Tokenizer::CaseValueIsRange() {
  Element next;
  PeekElement(next);
  for (int i = Scan.ElementIndex; i < Scan.EndMark; ++i) {
    const uint8_t kind = Scan.ElementList[i].Kind;
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
    const int selectorStart = Conditionals.Top().SelectorStart;
    Element next;
    if (!CaseValueIsRange()) {
      CompileCaseValue(selectorStart, layout::CompareEqual);
    } else {
      CompileCaseValue(selectorStart, layout::CompareGreaterEqual);
      CopyExprBuffer(0, 1);
      NextElement(next);
      if (next.Kind != ToWord) RaiseTokenizeError(ErrExpectedTo);
      CompileCaseValue(selectorStart, layout::CompareLessEqual);
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
  if (Conditionals.OpenSelects() == 0) RaiseTokenizeError(ErrCaseWithoutSelect);
  ConditionalFrame& frame = Conditionals.Top();
  if (frame.Kind != CondType::Select) RaiseTokenizeError(ErrExpectedEndifStatement);
  if (frame.Cases == CaseState::InTaken) {
    frame.SkipRest = static_cast<uint16_t>(Scan.ElementIndex - 1);
    frame.Cases = CaseState::AfterTaken;
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
  if (frame.Cases == CaseState::NoneTaken && (isDefault || EvaluateExpr() != 0)) {
    frame.KeepUntil = static_cast<uint16_t>(Scan.ElementIndex - 1);  // the end element of this line
    frame.Cases = CaseState::InTaken;
  }
}

void Tokenizer::CondEndselect(const Element&) {
  if (Conditionals.OpenSelects() == 0) RaiseTokenizeError(ErrEndselectWithoutSelect);
  ConditionalFrame& frame = Conditionals.Top();
  if (frame.Kind != CondType::Select) RaiseTokenizeError(ErrExpectedEndifStatement);
  const uint16_t at = static_cast<uint16_t>(Scan.ElementIndex - 1);
  if (frame.Cases == CaseState::InTaken) frame.SkipRest = at;
  if (frame.SkipRest != 0) {
    DeleteStatement(frame.Start, frame.KeepUntil);
    DeleteStatement(frame.SkipRest, at);
  } else {
    DeleteStatement(frame.Start, at);
  }
  Conditionals.Pop();
}

}  // namespace tok
