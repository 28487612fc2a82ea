// The bracketed item lists of the serial, debug, I2C, LCD and 1-Wire instructions: what to
// print or send (OutputItemList) and what to receive and where to put it (InputItemList).
// Items are joined by a 1 bit; a 0 bit ends the list.

#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

constexpr uint16_t DecimalFormat = 438;  // DEC, used by '?'
constexpr uint16_t RepeatMarker = 1024;  // REP and SKIP
constexpr uint16_t SpaceStringMarker = 4096;
constexpr uint16_t WaitMarker = 3140;
constexpr uint16_t DefaultStringLength = 32;
constexpr uint16_t StringNoCount = 512, WaitStringNoCount = 2048, WaitStringCount = 2560;
constexpr uint16_t EndCharacterFlag = 512;
constexpr uint16_t IndicatedFlag = 2048;
constexpr uint16_t RadixMask = 15, DecimalRadix = 6;
constexpr uint16_t QuoteCharacter = 34, CarriageReturn = 13;
constexpr int WaitValueLimit = 6;

// One character of a name text: bare constant, a 0 bit, a 1 bit.
void CharItem(Tokenizer& t, uint8_t c) {
  BareConst(t, c);
  Bit(t, 0);
  Bit(t, 1);
}

// The source text of the expression at the current element, then " = " and the quote when
// asked, each as a CharItem. The expression is compiled once to find its extent.
void NameText(Tokenizer& t, bool quote) {
  const uint16_t start = static_cast<uint16_t>(NextLiveIndex(t));
  CompileValue(t, 0);
  const Element& first = t.Scan.ElementList[start];
  const Element& last = t.Scan.ElementList[LastReadIndex(t)];
  const int end = last.Start + last.Length;
  for (int i = first.Start; i < end; ++i) CharItem(t, static_cast<uint8_t>(t.TokenizeResult.Source[i]));
  CharItem(t, ' ');
  CharItem(t, '=');
  CharItem(t, ' ');
  if (quote) CharItem(t, QuoteCharacter);
  t.Scan.ElementIndex = start;
}

// The byte address of a byte variable.
uint16_t ByteVariable(Tokenizer& t) {
  const Element v = Next(t);
  if (v.Kind != Variable || (v.Value >> 8) != 2) t.RaiseTokenizeError(ErrExpectedByteVariable);
  return v.Value & 0xFF;
}

void ExpectBackslash(Tokenizer& t) {
  Expect(t, Backslash, ErrExpectedBackslash);
}

// The joint after an item: a comma and a 1 bit go on, anything else writes the final 0 bit.
bool NextItem(Tokenizer& t) {
  if (TakeIf(t, Comma)) {
    Bit(t, 1);
    return true;
  }
  Bit(t, 0);
  return false;
}

}  // namespace

namespace {

// What follows an output item: a closing quote and/or a carriage return.
struct ItemTail {
  bool Quote = false;
  bool Cr = false;
};

ItemTail FormattedItem(Tokenizer& t, const Element& e) {
  uint16_t format = e.Value;
  ItemTail tail;
  if (TakeIf(t, QuestionMark)) {
    NameText(t, false);
    tail.Cr = true;
    if ((format & RadixMask) != DecimalRadix) format += IndicatedFlag;
  }
  BareConst(t, format);
  CompileValue(t, 1);
  Push(t);
  return tail;
}

ItemTail StringItem(Tokenizer& t) {
  ItemTail tail;
  if (TakeIf(t, QuestionMark)) {
    tail.Quote = tail.Cr = true;
    NameText(t, true);
  }
  const uint16_t address = ByteVariable(t);
  if (TakeIf(t, Backslash)) {
    BareConst(t, address);
    CompileValue(t, 1);
    Push(t);
  } else {
    BareConst(t, address + StringNoCount);
    PushConst(t, DefaultStringLength);
  }
  return tail;
}

// One item of the list, up to its closing 0 bit.
ItemTail OutputItem(Tokenizer& t) {
  const Element e = Peek(t);
  ItemTail tail;
  switch (e.Kind) {
    case QuestionMark:
      Next(t);
      NameText(t, false);
      BareConst(t, DecimalFormat);
      CompileValue(t, 1);
      Push(t);
      tail.Cr = true;
      break;
    case AscWord:
      Next(t);
      Expect(t, QuestionMark, ErrExpectedQuestion);
      tail.Quote = tail.Cr = true;
      NameText(t, true);
      CompileValue(t, 1);
      Bare(t);
      break;
    case Formatter:
      Next(t);
      tail = FormattedItem(t, e);
      break;
    case RepWord:
      Next(t);
      CompileValue(t, 0);
      Bare(t);
      PushConst(t, RepeatMarker);
      ExpectBackslash(t);
      CompileValue(t, 2);
      Push(t);
      break;
    case StrWord:
      Next(t);
      tail = StringItem(t);
      break;
    default:
      CompileValue(t, 1);
      Bare(t);
  }
  Bit(t, 0);
  return tail;
}

}  // namespace

void OutputItemList(Tokenizer& t) {
  do {
    const ItemTail tail = OutputItem(t);
    if (tail.Quote) {
      PushConst(t, QuoteCharacter);
      Bit(t, 0);
    }
    if (tail.Cr) {
      PushConst(t, CarriageReturn);
      Bit(t, 0);
    }
  } while (NextItem(t));
}

namespace {

// WAIT (v1, ..., vk): the values are checked in order, then written last first.
void WaitItem(Tokenizer& t) {
  Bit(t, 1);
  Expect(t, LeftParen, ErrExpectedLeftParen);
  uint16_t starts[WaitValueLimit];
  int k = 0;
  for (;;) {
    if (k == WaitValueLimit) t.RaiseTokenizeError(ErrSixValues);
    starts[k] = static_cast<uint16_t>(NextLiveIndex(t));
    CompileValue(t, WaitValueLimit - 1 - k);
    ++k;
    if (!TakeIf(t, Comma)) break;
  }
  Expect(t, RightParen, ErrExpectedRightParen);
  const uint16_t resume = t.Scan.ElementIndex;
  for (int j = k - 1; j >= 0; --j) {
    t.Scan.ElementIndex = starts[j];
    CompileValue(t, 0);
    Bare(t);
    Bit(t, 1);
  }
  t.Scan.ElementIndex = resume;
  BareConst(t, WaitMarker);
  PushConst(t, static_cast<uint16_t>(k));
  Bit(t, 0);
}

}  // namespace

void InputItemList(Tokenizer& t) {
  do {
    const Element e = Peek(t);
    if (e.Kind == Formatter || e.Kind == NumFormat) {
      Next(t);
      PushConst(t, e.Value);
      PushConst(t, 0);
      Bit(t, 0);
      Store(t, 1);
    } else if (e.Kind == SpstrWord || e.Kind == SkipWord) {
      Next(t);
      PushConst(t, e.Kind == SpstrWord ? SpaceStringMarker : RepeatMarker);
      CompileValue(t, 1);
      Push(t);
      Bit(t, 0);
    } else if (e.Kind == StrWord) {
      Next(t);
      uint16_t address = ByteVariable(t);
      ExpectBackslash(t);
      Bit(t, 1);
      CompileValue(t, 2);
      ToSlot(t, 1);
      if (TakeIf(t, Backslash)) {
        CompileValue(t, 0);
        Bare(t);
        Bit(t, 1);
        address += EndCharacterFlag;
      }
      BareConst(t, address);
      Push(t, 1);
      Bit(t, 0);
    } else if (e.Kind == WaitstrWord) {
      Next(t);
      const uint16_t address = ByteVariable(t);
      if (TakeIf(t, Backslash)) {
        CompileValue(t, 1);
        ToSlot(t, 1);
        PushConst(t, address + WaitStringCount);
        Push(t, 1);
      } else {
        PushConst(t, address + WaitStringNoCount);
        PushConst(t, DefaultStringLength);
      }
      Bit(t, 0);
    } else if (e.Kind == WaitWord) {
      Next(t);
      WaitItem(t);
    } else {
      Bit(t, 0);
      Store(t, 1);
    }
  } while (NextItem(t));
}

}  // namespace tok::code
