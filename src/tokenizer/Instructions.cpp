// The instruction table: which compiler or fixed operand shape belongs to each keyword, and the
// compilers of the instructions that only push operands and write their code.

#include "tokenizer/StatementCode.h"
#include "tokenizer/StatementCompilers.h"
#include "tokenizer/Tokenizer.h"

namespace tok::code {
namespace {

enum class Shape : uint8_t {
  Dedicated,      // its own compiler
  NoOperand,      // token
  Pin,            // push pin (P depth 0); token
  Value,          // push value (E depth 0); token
  ValueNext,      // push value; token; next
  PinThenValue,   // pin (P depth 1) -> slot 1, ','; value (E depth 0); push value, push slot 1; token
  PinValueStore,  // as PinThenValue, then ',' and a store at the depth the value left
};

struct InstructionRow {
  uint8_t Keyword;
  Shape Form;
  Operation Op;                // the code of a fixed shape; a dedicated compiler's main code, for reading
  StatementCompiler Compiler;  // dedicated rows only
};

constexpr InstructionRow Rows[] = {
    {KwAuxio, Shape::NoOperand, OpAuxio, nullptr},
    {KwMainio, Shape::NoOperand, OpMainio, nullptr},
    {KwEnd, Shape::NoOperand, OpEnd, nullptr},
    {KwStop, Shape::NoOperand, OpStop, nullptr},
    {KwReturn, Shape::NoOperand, OpReturn, nullptr},
    {KwHigh, Shape::Pin, OpHigh, nullptr},
    {KwLow, Shape::Pin, OpLow, nullptr},
    {KwToggle, Shape::Pin, OpToggle, nullptr},
    {KwReverse, Shape::Pin, OpReverse, nullptr},
    {KwInput, Shape::Pin, OpInput, nullptr},
    {KwOutput, Shape::Pin, OpOutput, nullptr},
    {KwPause, Shape::Value, OpPause, nullptr},
    {KwRun, Shape::Value, OpRun, nullptr},
    {KwStore, Shape::Value, OpStore, nullptr},
    {KwPollmode, Shape::Value, OpPollmode, nullptr},
    {KwPollrun, Shape::Value, OpPollrun, nullptr},
    {KwIoterm, Shape::Value, OpIoterm, nullptr},
    {KwNap, Shape::ValueNext, OpNap, nullptr},
    {KwSleep, Shape::ValueNext, OpSleep, nullptr},
    {KwPollwait, Shape::ValueNext, OpPollwait, nullptr},
    {KwPulsout, Shape::PinThenValue, OpPulsout, nullptr},
    {KwPollin, Shape::PinThenValue, OpPollin, nullptr},
    {KwPollout, Shape::PinThenValue, OpPollout, nullptr},
    {KwLcdcmd, Shape::PinThenValue, OpLcdcmd, nullptr},
    {KwPulsin, Shape::PinValueStore, OpPulsin, nullptr},
    {KwRctime, Shape::PinValueStore, OpRctime, nullptr},
    {KwCount, Shape::PinValueStore, OpCount, nullptr},
    {KwGoto, Shape::Dedicated, OpGoto, CompileGoto},
    {KwGosub, Shape::Dedicated, OpGosub, CompileGosub},
    {KwOn, Shape::Dedicated, OpBranch, CompileOn},
    {KwBranch, Shape::Dedicated, OpBranch, CompileBranch},
    {KwRead, Shape::Dedicated, OpRead, CompileRead},
    {KwGet, Shape::Dedicated, OpGet, CompileGet},
    {KwWrite, Shape::Dedicated, OpWrite, CompileWrite},
    {KwPut, Shape::Dedicated, OpPut, CompilePut},
    {KwSerout, Shape::Dedicated, OpSerout, CompileSerout},
    {KwSerin, Shape::Dedicated, OpSerin, CompileSerin},
    {KwI2cin, Shape::Dedicated, OpI2cin, CompileI2cin},
    {KwI2cout, Shape::Dedicated, OpI2cout, CompileI2cout},
    {KwDebug, Shape::Dedicated, OpSerout, CompileDebug},
    {KwDebugin, Shape::Dedicated, OpSerin, CompileDebugin},
    {KwLcdin, Shape::Dedicated, OpLcdin, CompileLcdin},
    {KwLcdout, Shape::Dedicated, OpLcdout, CompileLcdout},
    {KwOwin, Shape::Dedicated, OpOwin, CompileOwin},
    {KwOwout, Shape::Dedicated, OpOwout, CompileOwout},
    {KwShiftout, Shape::Dedicated, OpShiftout, CompileShiftout},
    {KwShiftin, Shape::Dedicated, OpShiftin, CompileShiftin},
    {KwXout, Shape::Dedicated, OpXout, CompileXout},
    {KwDtmfout, Shape::Dedicated, OpDtmfout, CompileDtmfout},
    {KwButton, Shape::Dedicated, OpButton, CompileButton},
    {KwLookup, Shape::Dedicated, OpLookup, CompileLookup},
    {KwLookdown, Shape::Dedicated, OpLookdown, CompileLookdown},
    {KwRandom, Shape::Dedicated, OpRandom, CompileRandom},
    {KwFreqout, Shape::Dedicated, OpFreqout1, CompileFreqout},
    {KwPwm, Shape::Dedicated, OpPwm, CompilePwm},
    {KwIf, Shape::Dedicated, OpIf, CompileIf},
    {KwElseif, Shape::Dedicated, OpIf, CompileElseIf},
    {KwElse, Shape::Dedicated, OpGoto, CompileElse},
    {KwEndif, Shape::Dedicated, OpGoto, CompileEndIf},
    {KwDo, Shape::Dedicated, OpIf, CompileDo},
    {KwLoop, Shape::Dedicated, OpGoto, CompileLoop},
    {KwFor, Shape::Dedicated, OpLet, CompileFor},
    {KwNext, Shape::Dedicated, OpNext, CompileNext},
    {KwExit, Shape::Dedicated, OpGoto, CompileExit},
    {KwSelect, Shape::Dedicated, OpIf, CompileSelect},
    {KwCase, Shape::Dedicated, OpIf, CompileCase},
    {KwEndselect, Shape::Dedicated, OpGoto, CompileEndSelect},
};

struct RowIndex {
  const InstructionRow* ByKeyword[KeywordCount] = {};
  constexpr RowIndex() {
    for (const InstructionRow& row : Rows) ByKeyword[row.Keyword] = &row;
  }
};
constexpr RowIndex Index;

void CompileShape(Tokenizer& t, const InstructionRow& row) {
  switch (row.Form) {
    case Shape::NoOperand:
      break;
    case Shape::Pin:
      CompilePin(t, 0);
      Push(t);
      break;
    case Shape::Value:
    case Shape::ValueNext:
      CompileValue(t, 0);
      Push(t);
      break;
    case Shape::PinThenValue:
    case Shape::PinValueStore:
      CompilePin(t, 1);
      ToSlot(t, 1);
      ExpectComma(t);
      CompileValue(t, 0);
      Push(t);
      Push(t, 1);
      break;
    case Shape::Dedicated:
      return;
  }
  EmitInstruction(t, row.Op);
  if (row.Form == Shape::ValueNext) EmitNextAddress(t);
  if (row.Form == Shape::PinValueStore) {
    ExpectComma(t);
    t.CompileTargetVariable(true);  // at the depth the second operand left
    StoreBuffer(t);
  }
}

}  // namespace

bool CompileInstruction(Tokenizer& t, int keyword) {
  if (keyword < 0 || keyword >= KeywordCount || Index.ByKeyword[keyword] == nullptr) return false;
  const InstructionRow& row = *Index.ByKeyword[keyword];
  if (row.Form == Shape::Dedicated) {
    row.Compiler(t);
  } else {
    CompileShape(t, row);
  }
  return true;
}

void CompileLet(Tokenizer& t) {
  CompileVariableWrite(t, 1);
  ToSlot(t, 1);
  ExpectEquals(t);
  CompileValue(t, 0);
  Push(t);
  Push(t, 1);
  EmitInstruction(t, OpLet);
}

void CompileRandom(Tokenizer& t) {
  const uint16_t variable = static_cast<uint16_t>(NextLiveIndex(t));
  CompileVariableRead(t, 0);
  Push(t);
  EmitInstruction(t, OpRandom);
  t.Scan.ElementIndex = variable;
  Store(t, 1);
}

void CompilePwm(Tokenizer& t) {
  CompilePin(t, 2);
  ToSlot(t, 1);
  ExpectComma(t);
  CompileValue(t, 0);
  Push(t);
  ExpectComma(t);
  CompileValue(t, 1);
  Push(t);
  Push(t, 1);
  EmitInstruction(t, OpPwm);
}

void CompileFreqout(Tokenizer& t) {
  CompilePin(t, 0);
  Push(t);
  ExpectComma(t);
  CompileValue(t, 1);
  Push(t);
  ExpectComma(t);
  CompileValue(t, 2);
  Push(t);
  if (TakeIf(t, Comma)) {
    CompileValue(t, 3);
    Push(t);
    EmitInstruction(t, OpFreqout2);
  } else {
    EmitInstruction(t, OpFreqout1);
  }
}

}  // namespace tok::code
