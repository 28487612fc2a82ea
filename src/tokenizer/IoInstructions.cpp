// Instructions with pins, lists and item lists: SEROUT, SERIN, I2CIN/I2COUT, DEBUG/DEBUGIN,
// LCDIN/LCDOUT, OWIN/OWOUT, SHIFTIN/SHIFTOUT, XOUT, DTMFOUT, BUTTON, LOOKUP and LOOKDOWN.
// Operands are compiled in source order and parked in the expression slots where the module
// wants them pushed in another order; the depth given to each compile is the number of values
// the module already holds when it evaluates that operand.

#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

// The debug channel's pin: 240 on the VD2SX and VD2P, 84 on the others.
uint16_t DebugChannel(const Tokenizer& t) {
  const uint8_t m = t.TokenizeResult.TargetModule;
  return (m == ModuleVD2SX || m == ModuleVD2P) ? 240 : 84;
}
constexpr uint16_t DebugBaud = 16;

void ExpectLeftBracket(Tokenizer& t) {
  Expect(t, LeftBracket, ErrExpectedLeftBracket);
}
void ExpectRightBracket(Tokenizer& t) {
  Expect(t, RightBracket, ErrExpectedRightBracket);
}
void ExpectBackslash(Tokenizer& t) {
  Expect(t, Backslash, ErrExpectedBackslash);
}

// pin (P depth 1) -> slot 1, ',', operand (E depth 0), ',', '[': push operand, push slot 1,
// token, the item list and ']'. LCDIN/LCDOUT and OWIN/OWOUT.
void PinOperandList(Tokenizer& t, Operation op, bool input) {
  CompilePin(t, 1);
  ToSlot(t, 1);
  ExpectComma(t);
  CompileValue(t, 0);
  ExpectComma(t);
  ExpectLeftBracket(t);
  Push(t);
  Push(t, 1);
  EmitInstruction(t, op);
  input ? InputItemList(t) : OutputItemList(t);
  ExpectRightBracket(t);
}

void I2c(Tokenizer& t, bool input) {
  CompilePin(t, 3);
  ToSlot(t, 1);
  ExpectComma(t);
  CompileValue(t, 2);
  ToSlot(t, 2);
  ExpectComma(t);
  bool lowAddress = false;
  if (PeekIs(t, LeftBracket)) {
    Push(t, 2);
    PushConst(t, 0);
  } else {
    CompileValue(t, 1);
    ToSlot(t, 3);
    if (TakeIf(t, Backslash)) {
      CompileValue(t, 0);
      Push(t);
      lowAddress = true;
    }
    ExpectComma(t);
    Push(t, 3);
    Push(t, 2);
  }
  Push(t, 1);
  if (input) {
    EmitInstruction(t, lowAddress ? OpI2cinLow : OpI2cin);
  } else {
    EmitInstruction(t, lowAddress ? OpI2coutLow : OpI2cout);
  }
  ExpectLeftBracket(t);
  input ? InputItemList(t) : OutputItemList(t);
  ExpectRightBracket(t);
}

// SHIFTIN/SHIFTOUT up to their code: dpin -> slot 1, cpin -> slot 2, mode pushed first.
void ShiftHead(Tokenizer& t, Operation op) {
  CompilePin(t, 1);
  ToSlot(t, 1);
  ExpectComma(t);
  CompilePin(t, 2);
  ToSlot(t, 2);
  ExpectComma(t);
  CompileValue(t, 0);
  ExpectComma(t);
  ExpectLeftBracket(t);
  Push(t);
  Push(t, 1);
  Push(t, 2);
  EmitInstruction(t, op);
}

// The bit count of a shift item: "\ bits" or 8.
void ShiftBits(Tokenizer& t) {
  if (TakeIf(t, Backslash)) {
    CompileValue(t, 3);
    Bare(t);
  } else {
    BareConst(t, 8);
  }
}

// A value of a LOOKUP/LOOKDOWN/DTMFOUT list: bare value and a 0 bit; false after the last.
bool ListValue(Tokenizer& t, int depth) {
  CompileValue(t, depth);
  Bare(t);
  Bit(t, 0);
  return Separator(t);
}

}  // namespace

namespace {

// "pin [\flowpin], baudmode," into slots 1, 2 and 3, each compiled for the stack depth it will
// have when pushed; true for the flow-control form.
bool SerialHead(Tokenizer& t, int pinDepth) {
  CompilePin(t, pinDepth);
  ToSlot(t, 1);
  const bool flow = TakeIf(t, Backslash);
  if (flow) {
    CompilePin(t, pinDepth + 1);
    ToSlot(t, 2);
  }
  ExpectComma(t);
  CompileValue(t, pinDepth - 1);
  ToSlot(t, 3);
  ExpectComma(t);
  return flow;
}

// The baudmode, the pin and the flow pin onto the stack, the instruction, then "[items]".
void SerialTail(Tokenizer& t, bool flow, Operation plain, Operation withFlow, void (*itemList)(Tokenizer&)) {
  Push(t, 3);
  Push(t, 1);
  if (flow) Push(t, 2);
  EmitInstruction(t, flow ? withFlow : plain);
  ExpectLeftBracket(t);
  itemList(t);
  ExpectRightBracket(t);
}

// SERIN's optional parity label and "timeout, label,": pushes what the instruction expects
// for the parts that were left out.
void SerinWaits(Tokenizer& t) {
  if (PeekIs(t, LeftBracket)) {
    PushConst(t, 1);
    return;
  }
  if (PeekIs(t, Label) || PeekIs(t, Unresolved)) {
    LabelConstant(t);  // the parity-error label
    ExpectComma(t);
    if (PeekIs(t, LeftBracket)) {
      PushConst(t, 0);
      PushConst(t, 1);
      return;
    }
  }
  CompileValue(t, 2);
  ExpectComma(t);
  LabelConstant(t);
  ExpectComma(t);
  Push(t);
}

}  // namespace

void CompileSerout(Tokenizer& t) {
  const bool flow = SerialHead(t, 3);
  if (!PeekIs(t, LeftBracket)) {
    CompileValue(t, 1);  // pace, or the timeout of the flow form
    ExpectComma(t);
    if (flow) {
      LabelConstant(t);
      ExpectComma(t);
    }
    Push(t);
  }
  SerialTail(t, flow, OpSerout, OpSeroutFlow, OutputItemList);
}

void CompileSerin(Tokenizer& t) {
  const bool flow = SerialHead(t, 4);
  SerinWaits(t);
  SerialTail(t, flow, OpSerin, OpSerinFlow, InputItemList);
}

void CompileI2cin(Tokenizer& t) {
  I2c(t, true);
}
void CompileI2cout(Tokenizer& t) {
  I2c(t, false);
}

void CompileDebug(Tokenizer& t) {
  t.TokenizeResult.DebugFlag = 1;
  PushConst(t, DebugChannel(t));
  PushConst(t, DebugBaud);
  EmitInstruction(t, OpSerout);
  OutputItemList(t);
}

void CompileDebugin(Tokenizer& t) {
  t.TokenizeResult.DebugFlag = 1;
  PushConst(t, 1);
  PushConst(t, DebugChannel(t));
  PushConst(t, DebugBaud);
  EmitInstruction(t, OpSerin);
  InputItemList(t);
}

void CompileLcdin(Tokenizer& t) {
  PinOperandList(t, OpLcdin, true);
}
void CompileLcdout(Tokenizer& t) {
  PinOperandList(t, OpLcdout, false);
}
void CompileOwin(Tokenizer& t) {
  PinOperandList(t, OpOwin, true);
}
void CompileOwout(Tokenizer& t) {
  PinOperandList(t, OpOwout, false);
}

void CompileShiftout(Tokenizer& t) {
  ShiftHead(t, OpShiftout);
  do {
    CompileValue(t, 4);
    ToSlot(t, 1);
    ShiftBits(t);
    Push(t, 1);
    Bit(t, 0);
  } while (Separator(t));
}

void CompileShiftin(Tokenizer& t) {
  ShiftHead(t, OpShiftin);
  do {
    CompileVariableWrite(t, 5);
    ToSlot(t, 1);
    ShiftBits(t);
    PushConst(t, 0);
    Bit(t, 0);
    Bare(t, 1);
    Bit(t, 0);
  } while (Separator(t));
}

void CompileXout(Tokenizer& t) {
  CompilePin(t, 0);
  Push(t);
  ExpectComma(t);
  CompilePin(t, 1);
  Push(t);
  ExpectComma(t);
  ExpectLeftBracket(t);
  EmitInstruction(t, OpXout);
  // Each item: house, 16, //, key, 16, *, +, then the cycle count (2 by default) and ~.
  do {
    CompileValue(t, 2);
    Bare(t);
    ExpectBackslash(t);
    PushConst(t, 16);
    OperatorItem(t, CodeIntDivide);
    CompileValue(t, 3);
    Push(t);
    PushConst(t, 16);
    OperatorItem(t, CodeTimes);
    OperatorItem(t, CodePlus);
    if (TakeIf(t, Backslash)) {
      CompileValue(t, 3);
      Push(t);
    } else {
      PushConst(t, 2);
    }
    OperatorItem(t, CodeInvert);
    Bit(t, 0);
  } while (Separator(t));
}

void CompileDtmfout(Tokenizer& t) {
  CompilePin(t, 0);
  Push(t);
  ExpectComma(t);
  if (TakeIf(t, LeftBracket)) {
    PushConst(t, 50);   // off time
    PushConst(t, 200);  // on time
  } else {
    CompileValue(t, 2);
    ToSlot(t, 1);
    ExpectComma(t);
    CompileValue(t, 1);
    Push(t);
    ExpectComma(t);
    ExpectLeftBracket(t);
    Push(t, 1);
  }
  EmitInstruction(t, OpDtmfout);
  while (ListValue(t, 3)) {
  }
}

void CompileButton(Tokenizer& t) {
  CompilePin(t, 5);
  ToSlot(t, 1);
  ExpectComma(t);
  for (int depth = 0; depth < 3; ++depth) {  // downstate, delay, rate
    CompileValue(t, depth);
    Push(t);
    ExpectComma(t);
  }
  const uint16_t workspace = static_cast<uint16_t>(NextLiveIndex(t));
  CompileVariableRead(t, 4);
  ToSlot(t, 2);
  t.Scan.ElementIndex = workspace;
  CompileVariableWrite(t, 1);
  ToSlot(t, 3);
  ExpectComma(t);
  CompileValue(t, 3);  // target state
  Push(t);
  ExpectComma(t);
  Push(t, 2);
  Push(t, 1);
  EmitInstruction(t, OpButton);
  StoreBuffer(t, 3);
  LabelRef(t);
}

void CompileLookup(Tokenizer& t) {
  CompileValue(t, 0);
  Push(t);
  EmitInstruction(t, OpLookup);
  ExpectComma(t);
  ExpectLeftBracket(t);
  while (ListValue(t, 2)) {
  }
  ExpectComma(t);
  Store(t, 1);
}

void CompileLookdown(Tokenizer& t) {
  CompileValue(t, 0);
  Push(t);
  EmitInstruction(t, OpLookdown);
  ExpectComma(t);
  const Element e = Next(t);
  uint16_t compare = CodeEqual;
  if (e.Kind == Comparison) {
    compare = e.Value;
    ExpectLeftBracket(t);
  } else if (e.Kind != LeftBracket) {
    t.RaiseTokenizeError(ErrExpectedComparisonOrBracket);
  }
  t.WriteBits(3, compare % 8);
  while (ListValue(t, 3)) {
  }
  ExpectComma(t);
  Store(t, 1);
}

}  // namespace tok::code
