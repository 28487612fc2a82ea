#pragma once
// The compilers the statement loop dispatches to: one per instruction keyword, plus LET for a
// statement that starts with a variable or a pin name. Each starts with ElementIndex on the
// element after its keyword and ends on the element after its last operand.

namespace tok {

class Tokenizer;

namespace code {

using StatementCompiler = void (*)(Tokenizer&);

// Compiles the statement of instruction keyword `keyword` (0..68); false when the keyword has
// no run-time statement.
bool CompileInstruction(Tokenizer& t, int keyword);

void CompileLet(Tokenizer& t);

// Control structures (ControlStructures.cpp).
void CompileIf(Tokenizer& t);
void CompileElseIf(Tokenizer& t);
void CompileElse(Tokenizer& t);
void CompileEndIf(Tokenizer& t);
void CompileDo(Tokenizer& t);
void CompileLoop(Tokenizer& t);
void CompileFor(Tokenizer& t);
void CompileNext(Tokenizer& t);
void CompileExit(Tokenizer& t);
void CompileSelect(Tokenizer& t);
void CompileCase(Tokenizer& t);
void CompileEndSelect(Tokenizer& t);

// After each statement or label: the end check and the single-line IF states.
void FinishStatement(Tokenizer& t);
// At the end of the element list: the unclosed-structure errors of 2.5 source.
void CheckUnclosedStructures(Tokenizer& t);

// Item lists of the serial, debug, I2C, LCD and 1-Wire instructions (ItemLists.cpp).
void OutputItemList(Tokenizer& t);
void InputItemList(Tokenizer& t);

// Instruction groups.
void CompileGoto(Tokenizer& t);
void CompileGosub(Tokenizer& t);
void CompileOn(Tokenizer& t);
void CompileBranch(Tokenizer& t);
void CompileRead(Tokenizer& t);
void CompileGet(Tokenizer& t);
void CompileWrite(Tokenizer& t);
void CompilePut(Tokenizer& t);
void CompileSerout(Tokenizer& t);
void CompileSerin(Tokenizer& t);
void CompileI2cin(Tokenizer& t);
void CompileI2cout(Tokenizer& t);
void CompileDebug(Tokenizer& t);
void CompileDebugin(Tokenizer& t);
void CompileLcdin(Tokenizer& t);
void CompileLcdout(Tokenizer& t);
void CompileOwin(Tokenizer& t);
void CompileOwout(Tokenizer& t);
void CompileShiftout(Tokenizer& t);
void CompileShiftin(Tokenizer& t);
void CompileXout(Tokenizer& t);
void CompileDtmfout(Tokenizer& t);
void CompileButton(Tokenizer& t);
void CompileLookup(Tokenizer& t);
void CompileLookdown(Tokenizer& t);
void CompileRandom(Tokenizer& t);
void CompileFreqout(Tokenizer& t);
void CompilePwm(Tokenizer& t);

}  // namespace code
}  // namespace tok
