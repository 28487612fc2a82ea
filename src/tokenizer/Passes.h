#pragma once
// The passes that Tokenize runs after the scanner, the directive passes and conditional
// compilation. Each works on the Tokenizer's records and raises ETokenizeError through
// Tokenizer::RaiseTokenizeError on the first error.
//
// Order inside Tokenize (VD2 family): RunDeclarationPasses, CountGosubs, StatementLoop,
// ResolveFixups, BuildPackets. The VD1 module takes TokenizeVd1 instead of all of them.

namespace tok {

class Tokenizer;

// PIN 0, CON 0, DATA 0, CON 1, PIN 1, DATA 1, VAR counting, VAR allocation; each deletes the lines it handled.
void RunDeclarationPasses(Tokenizer& t);

// Counts the GOSUB keywords into Code.GosubTotal (error 145 at 256) before the statement loop.
void CountGosubs(Tokenizer& t);

// Compiles every statement from element 0 to EndMark into object code, ending with END.
void StatementLoop(Tokenizer& t);

// Writes the address of each label referenced before its definition into its reserved field.
void ResolveFixups(Tokenizer& t);

// Cuts the image into 18-byte packets (blocks whose flags have bit 1 set) and sets PacketCount.
void BuildPackets(Tokenizer& t);

// Runs the VD1 tokenizer on Vd1Source and copies its outcome into TokenizeResult; raises
// ETokenizeError (text and position already stored) when it failed.
void TokenizeVd1(Tokenizer& t);

}  // namespace tok
