#include "tokenizer/StatementCode.h"

#include <atomic>
#include <cassert>

#include "tokenizer/BitLayout.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

std::atomic<int> patchedTwice{0};

// A reserved field stays all zero until it is patched, and no patched field is all zero (every
// target lies behind the return table), so a non-zero field has been written before.
bool FieldWritten(const Tokenizer& t, int field) {
  for (int p = field; p < field + layout::AddressFieldBits && p < layout::CodeBitLimit; ++p) {
    const uint8_t byte = t.TokenizeResult.EEPROM[layout::CodeByteAddress(p)];
    if (byte & layout::CodeBitsInByte(p, 1, 1)) return true;
  }
  return false;
}

}  // namespace

int FieldsPatchedTwice() {
  return patchedTwice.load();
}

int NextLiveIndex(const Tokenizer& t) {
  int i = t.Scan.ElementIndex;
  while (i < t.Scan.EndMark && t.Scan.ElementList[i].Kind == Deleted) ++i;
  return i;
}

int LastReadIndex(const Tokenizer& t) {
  int i = t.Scan.ElementIndex - 1;
  while (i > 0 && t.Scan.ElementList[i].Kind == Deleted) --i;
  return i;
}

// Past the end of the list the reader leaves the record as it was, so the position stays on
// the element read last.
Element PastTheEnd(Tokenizer& t) {
  Element e = t.Scan.ElementIndex > 0 ? t.Scan.ElementList[LastReadIndex(t)] : Element{};
  e.Kind = EndOfStatement;
  t.TokenizeResult.ErrorStart = e.Start;
  t.TokenizeResult.ErrorLength = e.Length;
  return e;
}

Element Peek(Tokenizer& t) {
  Element e;
  if (t.PeekElement(e)) return e;
  const int32_t start = t.TokenizeResult.ErrorStart, length = t.TokenizeResult.ErrorLength;
  e = PastTheEnd(t);
  t.TokenizeResult.ErrorStart = start;
  t.TokenizeResult.ErrorLength = length;
  return e;
}

Element Next(Tokenizer& t) {
  Element e;
  return t.NextElement(e) ? e : PastTheEnd(t);
}

bool IsEnd(const Element& e) {
  return e.Kind == EndOfStatement;
}

bool PeekIs(Tokenizer& t, uint8_t kind) {
  return Peek(t).Kind == kind;
}

bool TakeIf(Tokenizer& t, uint8_t kind) {
  if (!PeekIs(t, kind)) return false;
  Next(t);
  return true;
}

void Expect(Tokenizer& t, uint8_t kind, int errorRow) {
  if (Next(t).Kind != kind) t.RaiseTokenizeError(errorRow);
}

void ExpectComma(Tokenizer& t) {
  Expect(t, Comma, ErrExpectedComma);
}

void ExpectEquals(Tokenizer& t) {
  const Element e = Next(t);
  if (e.Kind != Comparison || e.Value != CodeEqual) t.RaiseTokenizeError(ErrExpectedEquals);
}

void CompileValue(Tokenizer& t, int depth) {
  t.ArgDepth = static_cast<uint8_t>(depth);
  t.StartExpression(false, false);
}

void CompilePin(Tokenizer& t, int depth) {
  t.ArgDepth = static_cast<uint8_t>(depth);
  t.StartExpression(false, true);
}

void CompileCondition(Tokenizer& t, int depth) {
  t.ArgDepth = static_cast<uint8_t>(depth);
  t.StartExpression(true, false);
}

void CompileVariableRead(Tokenizer& t, int depth) {
  t.ArgDepth = static_cast<uint8_t>(depth);
  t.CompileTargetVariable(false);
}

void CompileVariableWrite(Tokenizer& t, int depth) {
  t.ArgDepth = static_cast<uint8_t>(depth);
  t.CompileTargetVariable(true);
}

void ToSlot(Tokenizer& t, int slot) {
  t.CopyExprBuffer(0, slot);
}

void Push(Tokenizer& t, int buffer) {
  t.CopyExprToCode(buffer, true);
}
void Bare(Tokenizer& t, int buffer) {
  t.CopyExprToCode(buffer, false);
}

namespace {
void FreshConstant(Tokenizer& t, uint16_t value) {
  t.ArgDepth = 0;
  t.ClearExprBuffer(0);
  t.EmitConstant(value);
}
}  // namespace

void PushConst(Tokenizer& t, uint16_t value) {
  FreshConstant(t, value);
  Push(t);
}

void BareConst(Tokenizer& t, uint16_t value) {
  FreshConstant(t, value);
  Bare(t);
}

void Bit(Tokenizer& t, int bit) {
  t.WriteBits(1, static_cast<uint16_t>(bit));
}

void OperatorItem(Tokenizer& t, int code) {
  Bit(t, 1);
  t.WriteBits(layout::TokenBits, static_cast<uint16_t>(code));
}

void StoreBuffer(Tokenizer& t, int buffer) {
  Bare(t, buffer);
  Bit(t, 0);
}

void Store(Tokenizer& t, int depth) {
  CompileVariableWrite(t, depth);
  StoreBuffer(t);
}

void EmitInstruction(Tokenizer& t, Operation op) {
  t.WriteBits(layout::InstructionBits, TokenCode(op, t.TokenizeResult.TargetModule));
}

void EmitAddress(Tokenizer& t, int position) {
  t.WriteBits(layout::AddressLowBits, layout::AddressLow(position));
  t.WriteBits(layout::AddressHighBits, layout::AddressHigh(position));
}

void EmitNextAddress(Tokenizer& t) {
  EmitAddress(t, t.Code.BitPos + layout::AddressFieldBits);
}

uint16_t ReserveField(Tokenizer& t) {
  const uint16_t field = t.Code.BitPos;
  t.Code.BitPos = static_cast<uint16_t>(t.Code.BitPos + layout::AddressFieldBits);
  return field;
}

void PatchField(Tokenizer& t, int field, int target) {
  if (FieldWritten(t, field)) {
    ++patchedTwice;
    assert(!"an address field was patched twice");
  }
  const uint16_t saved = t.Code.BitPos;
  t.Code.BitPos = static_cast<uint16_t>(field);
  EmitAddress(t, target);
  t.Code.BitPos = saved;
}

void PatchHere(Tokenizer& t, int field) {
  PatchField(t, field, t.Code.BitPos);
}

void LabelRef(Tokenizer& t) {
  const Element e = Next(t);
  if (e.Kind == Label) {
    EmitAddress(t, static_cast<uint16_t>(e.Value));
  } else if (e.Kind == Unresolved) {
    t.Code.AddFixup(static_cast<uint16_t>(LastReadIndex(t)));
    ReserveField(t);
  } else {
    t.RaiseTokenizeError(ErrExpectedLabel);
  }
}

void LabelConstant(Tokenizer& t) {
  // A 1 bit, the constant token 46 and the payload bit 1: the field then reads as 16384 + field.
  t.WriteBits(8, 0b11011101);
  LabelRef(t);
}

bool Separator(Tokenizer& t) {
  const Element e = Next(t);
  if (e.Kind == Comma) {
    Bit(t, 1);
    return true;
  }
  if (e.Kind == RightBracket) {
    Bit(t, 0);
    return false;
  }
  t.RaiseTokenizeError(ErrExpectedCommaOrBracket);
}

void OffsetExpression(Tokenizer& t, int slot, int k) {
  t.CopyExprBuffer(slot, 0);
  if (k == 0) return;
  t.ArgDepth = 1;
  t.EmitConstant(static_cast<uint16_t>(k));
  t.EmitToken(CodePlus);
}

}  // namespace tok::code
