#pragma once
// Building blocks of the statement compilers: the fixed emit forms (push, bare, store, token,
// address fields, label references), operand compiles at a given evaluation-stack depth, and
// the punctuation checks. Every instruction compiler is written in these words.

#include <cstdint>

#include "tokenizer/Elements.h"
#include "tokenizer/TokenTable.h"

namespace tok {

class Tokenizer;

namespace code {

// Instruction keyword numbers (values of the Instruction symbols).
enum Keyword : uint8_t {
  KwAuxio = 0,
  KwBranch = 1,
  KwButton = 2,
  KwCase = 3,
  KwCount = 4,
  KwDebug = 5,
  KwDebugin = 6,
  KwDo = 8,
  KwDtmfout = 9,
  KwElse = 10,
  KwElseif = 11,
  KwEnd = 12,
  KwEndif = 13,
  KwEndselect = 14,
  KwExit = 16,
  KwFor = 17,
  KwFreqout = 18,
  KwGet = 19,
  KwGosub = 20,
  KwGoto = 21,
  KwHigh = 22,
  KwI2cin = 23,
  KwI2cout = 24,
  KwIf = 25,
  KwInput = 26,
  KwIoterm = 27,
  KwLcdcmd = 28,
  KwLcdin = 29,
  KwLcdout = 30,
  KwLookdown = 31,
  KwLookup = 32,
  KwLoop = 33,
  KwLow = 34,
  KwMainio = 35,
  KwNap = 36,
  KwNext = 37,
  KwOn = 38,
  KwOutput = 39,
  KwOwin = 40,
  KwOwout = 41,
  KwPause = 42,
  KwPollin = 43,
  KwPollmode = 44,
  KwPollout = 45,
  KwPollrun = 46,
  KwPollwait = 47,
  KwPulsin = 48,
  KwPulsout = 49,
  KwPut = 50,
  KwPwm = 51,
  KwSleep = 52,
  KwRandom = 53,
  KwRctime = 54,
  KwRead = 55,
  KwReturn = 56,
  KwReverse = 57,
  KwRun = 58,
  KwSelect = 59,
  KwSerin = 60,
  KwSerout = 61,
  KwShiftin = 62,
  KwShiftout = 63,
  KwStop = 64,
  KwStore = 65,
  KwToggle = 66,
  KwWrite = 67,
  KwXout = 68,
};
constexpr int KeywordCount = 69;

// Error rows raised by the statement compilers.
enum ErrorRow : uint8_t {
  ErrUndefinedSymbol = 9,
  ErrUndefinedLabel = 10,
  ErrExpectedQuestion = 15,
  ErrLabelDefined = 16,
  ErrExpectedBackslash = 17,
  ErrExpectedLeftParen = 18,
  ErrExpectedRightParen = 19,
  ErrExpectedLeftBracket = 20,
  ErrExpectedRightBracket = 21,
  ErrExpectedEnd = 30,
  ErrExpectedCommaOrEnd = 31,
  ErrExpectedStep = 32,
  ErrNextWithoutFor = 33,
  ErrExpectedComma = 34,
  ErrExpectedCommaOrBracket = 35,
  ErrExpectedVariable = 36,
  ErrExpectedByteVariable = 37,
  ErrExpectedOperand = 42,
  ErrExpectedComparisonOrBracket = 44,
  ErrGosubLimit = 46,
  ErrForLimit = 47,
  ErrSixValues = 48,
  ErrExpectedLabel = 49,
  ErrExpectedStatement = 50,
  ErrExpectedEquals = 51,
  ErrExpectedThen = 52,
  ErrExpectedTo = 53,
  ErrIfLimit = 61,
  ErrElseWithoutIf = 62,
  ErrEndifWithoutIf = 63,
  ErrExpectedEndif = 64,
  ErrExpectedEndOfLine = 65,
  ErrDoLimit = 66,
  ErrLoopWithoutDo = 67,
  ErrBothConditions = 68,
  ErrExpectedWhileUntil = 69,
  ErrExitOutsideLoop = 70,
  ErrIfWithoutEndif = 71,
  ErrForWithoutNext = 72,
  ErrDoWithoutLoop = 73,
  ErrExitLimit = 74,
  ErrExpectedVariableOrWord = 75,
  ErrExpectedWordVariable = 76,
  ErrLabelMissingColon = 77,
  ErrExpectedNext = 79,
  ErrExpectedLoop = 80,
  ErrSelectLimit = 81,
  ErrExpectedCase = 82,
  ErrCaseWithoutSelect = 83,
  ErrCaseLimit = 84,
  ErrExpectedEndselect = 85,
  ErrEndselectWithoutSelect = 86,
  ErrSelectWithoutEndselect = 87,
  ErrExpectedGotoGosub = 88,
  ErrEmptyCase = 112,
  ErrExpectedConstantOrWord = 113,
  ErrElseifWithoutIf = 114,
  ErrElseifLimit = 115,
  ErrElseifAfterElse = 116,
};

// Comparison and operator codes used by the compilers.
constexpr uint16_t CodeGreaterEqual = 26, CodeLessEqual = 27, CodeEqual = 28;
constexpr uint16_t CodeAnd = 10, CodeOr = 11, CodePlus = 15, CodeTimes = 18, CodeIntDivide = 20,
                   CodeShiftRight = 24, CodeInvert = 2;
constexpr int SizeWordWord = 3;

// ---- the statement loop state that outlives one statement -----------------------------------
// Count of address fields written more than once since the process started. A field is patched
// exactly once; tests compile programs and require this to stay unchanged.
int FieldsPatchedTwice();

// ---- element helpers ------------------------------------------------------------------------
int NextLiveIndex(const Tokenizer& t);  // index of the element NextElement would return
int LastReadIndex(const Tokenizer& t);  // index of the last live element before ElementIndex
Element Peek(Tokenizer& t);             // PeekElement; EndOfStatement at the end of the list
Element Next(Tokenizer& t);             // NextElement; EndOfStatement at the end of the list
bool PeekIs(Tokenizer& t, uint8_t kind);
bool TakeIf(Tokenizer& t, uint8_t kind);  // consumes the next element when it has `kind`
void Expect(Tokenizer& t, uint8_t kind, int errorRow);
void ExpectComma(Tokenizer& t);
void ExpectEquals(Tokenizer& t);
bool IsEnd(const Element& e);

// ---- operand compiles (into ExprBuffer) -----------------------------------------------------
void CompileValue(Tokenizer& t, int depth);          // E
void CompilePin(Tokenizer& t, int depth);            // P: a PinName is its number
void CompileCondition(Tokenizer& t, int depth);      // comparisons, AND/OR/XOR, NOT allowed
void CompileVariableRead(Tokenizer& t, int depth);   // V
void CompileVariableWrite(Tokenizer& t, int depth);  // W
void ToSlot(Tokenizer& t, int slot);                 // ExprBuffer -> ExprSlot slot

// ---- emit forms -----------------------------------------------------------------------------
void Push(Tokenizer& t, int buffer = 0);  // a 1 bit, then the buffer
void Bare(Tokenizer& t, int buffer = 0);  // the buffer without the leading 1
void PushConst(Tokenizer& t, uint16_t value);
void BareConst(Tokenizer& t, uint16_t value);
void Bit(Tokenizer& t, int bit);
void OperatorItem(Tokenizer& t, int code);       // a 1 bit and the 6-bit operator token
void StoreBuffer(Tokenizer& t, int buffer = 0);  // bare write item and a 0 bit
void Store(Tokenizer& t, int depth);             // W compile, then StoreBuffer
void EmitInstruction(Tokenizer& t, Operation op);
void EmitAddress(Tokenizer& t, int position);
void EmitNextAddress(Tokenizer& t);
uint16_t ReserveField(Tokenizer& t);
void PatchField(Tokenizer& t, int field, int target);
void PatchHere(Tokenizer& t, int field);
void LabelRef(Tokenizer& t);
void LabelConstant(Tokenizer& t);
// Listen separator: comma writes 1 (list goes on, true), ']' writes 0 (list ends, false).
bool Separator(Tokenizer& t);
// Builds "slot + k" (the saved expression followed by constant k and '+') in ExprBuffer.
void OffsetExpression(Tokenizer& t, int slot, int k);

}  // namespace code
}  // namespace tok
