// READ, GET, WRITE and PUT: EEPROM and scratchpad transfers of bytes and, in 2.5 source, of
// words (two transfers, low byte first) and several targets or values in one statement.

#include "tokenizer/BitLayout.h"
#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

constexpr int WordCellBits = 4;
constexpr int IndexedFlagInToken = 4;
constexpr uint16_t ByteWriteToken = 48 + 2 + 8;  // byte variable, write

// Keeps the first `count` bits of ExprBuffer.
void TruncateExprBuffer(Tokenizer& t, int count) {
  ExprBits copy = t.ExprBuffer();
  t.ClearExprBuffer(0);
  for (int i = 0; i < count; ++i)
    t.ExprWriteBits(1, static_cast<uint16_t>(layout::ExprBitAt(copy.Words, copy.BitCount, i)));
}

uint16_t ExprBitsAt(const ExprBits& b, int from, int count) {
  uint16_t value = 0;
  for (int i = from; i < from + count; ++i)
    value = static_cast<uint16_t>((value << 1) | layout::ExprBitAt(b.Words, b.BitCount, i));
  return value;
}

// Turns the word write item in ExprBuffer into the write item of the word's high byte: byte
// cell 2 * word cell + 1; an indexed item keeps its index, doubled, so that element i names
// byte 2 * cell + 1 + 2i.
void HighByteItem(Tokenizer& t) {
  const ExprBits& b = t.ExprBuffer();
  const int count = b.BitCount;
  const uint16_t cell = ExprBitsAt(b, count - WordCellBits, WordCellBits);
  const uint16_t token = ExprBitsAt(b, count - WordCellBits - layout::TokenBits, layout::TokenBits);
  const bool indexed = (token & IndexedFlagInToken) != 0;
  t.ArgDepth = 1;
  if (indexed) {
    TruncateExprBuffer(t, count - WordCellBits - layout::TokenBits - layout::LeadBit);
    t.EmitConstant(2);
    t.EmitToken(CodeTimes);
    t.EmitToken(ByteWriteToken + IndexedFlagInToken);
  } else {
    t.ClearExprBuffer(0);
    t.EmitToken(ByteWriteToken);
  }
  t.ExprWriteBits(layout::VariableAddressBits[2], static_cast<uint16_t>(2 * cell + 1));
}

// A WORD target must be a plain word variable; with a modifier the error marks the variable
// and its modifiers.
void CheckWordTarget(Tokenizer& t, int variable) {
  const uint16_t resume = t.Scan.ElementIndex;
  t.Scan.ElementIndex = static_cast<uint16_t>(variable);
  const Element v = Next(t);
  const int32_t start = v.Start;
  if (v.Kind != Variable || layout::VariableSize(v.Value) != 3) t.RaiseTokenizeError(ErrExpectedWordVariable);
  int end = v.Start + v.Length;
  bool modified = false;
  while (TakeIf(t, Period)) {
    const Element m = Next(t);
    end = m.Start + m.Length;
    modified = true;
  }
  if (modified) {
    t.TokenizeResult.ErrorStart = start;
    t.TokenizeResult.ErrorLength = end - start;
    t.RaiseTokenizeError(ErrExpectedWordVariable);
  }
  t.Scan.ElementIndex = resume;
}

// The optional WORD of 2.5 source before a target or value.
bool OptionalWord(Tokenizer& t, int errorRow) {
  if (!t.LanguageIs25 || !PeekIs(t, SizeWord)) return false;
  if (Next(t).Value != SizeWordWord) t.RaiseTokenizeError(errorRow);
  return true;
}

// After a target or value: true when a comma brings another (2.5 only); the end of the
// statement is left for the statement loop.
bool MoreItems(Tokenizer& t) {
  if (!t.LanguageIs25) return false;
  const Element e = Peek(t);
  if (e.Kind == Comma) return true;
  if (IsEnd(e)) return false;
  Next(t);
  t.RaiseTokenizeError(ErrExpectedCommaOrEnd);
}

void ReadTransfer(Tokenizer& t, Operation op, int k) {
  OffsetExpression(t, 1, k);
  Push(t);
  EmitInstruction(t, op);
}

void ReadOrGet(Tokenizer& t, Operation op) {
  const bool read = op == OpRead;
  CompileValue(t, 0);
  ToSlot(t, 1);
  ReadTransfer(t, op, 0);
  ExpectComma(t);
  for (int k = 0;; ++k) {
    if (read) EmitNextAddress(t);
    const bool word = OptionalWord(t, ErrExpectedVariableOrWord);
    const int variable = NextLiveIndex(t);
    CompileVariableWrite(t, 1);
    if (word) CheckWordTarget(t, variable);
    StoreBuffer(t);
    if (word) {
      HighByteItem(t);
      ToSlot(t, 2);
      ReadTransfer(t, op, ++k);
      if (read) EmitNextAddress(t);
      StoreBuffer(t, 2);
    }
    if (!MoreItems(t)) return;
    Next(t);  // ','
    ReadTransfer(t, op, k + 1);
  }
}

// ExprBuffer := the value in slot 2 shifted right by 8 (the high byte of a WORD value).
void HighByteValue(Tokenizer& t) {
  t.CopyExprBuffer(2, 0);
  t.ArgDepth = 1;
  t.EmitConstant(8);
  t.EmitToken(CodeShiftRight);
}

}  // namespace

void CompileRead(Tokenizer& t) {
  ReadOrGet(t, OpRead);
}
void CompileGet(Tokenizer& t) {
  ReadOrGet(t, OpGet);
}

void CompileWrite(Tokenizer& t) {
  CompileValue(t, 1);
  ToSlot(t, 1);
  for (int i = 0;; ++i) {
    ExpectComma(t);
    const bool word = OptionalWord(t, ErrExpectedConstantOrWord);
    CompileValue(t, 0);
    ToSlot(t, 2);
    Push(t, 2);
    OffsetExpression(t, 1, i);
    Push(t);
    EmitInstruction(t, OpWrite);
    EmitNextAddress(t);
    if (word) {
      HighByteValue(t);
      Push(t);
      OffsetExpression(t, 1, ++i);
      Push(t);
      EmitInstruction(t, OpWrite);
      EmitNextAddress(t);
    }
    if (!MoreItems(t)) return;
  }
}

void CompilePut(Tokenizer& t) {
  CompileValue(t, 0);
  ToSlot(t, 1);
  for (int i = 0;; ++i) {
    ExpectComma(t);
    const bool word = OptionalWord(t, ErrExpectedConstantOrWord);
    CompileValue(t, 1);
    ToSlot(t, 2);
    OffsetExpression(t, 1, i);
    Push(t);
    Push(t, 2);
    EmitInstruction(t, OpPut);
    if (word) {
      OffsetExpression(t, 1, ++i);
      Push(t);
      HighByteValue(t);
      Push(t);
      EmitInstruction(t, OpPut);
    }
    if (!MoreItems(t)) return;
  }
}

}  // namespace tok::code
