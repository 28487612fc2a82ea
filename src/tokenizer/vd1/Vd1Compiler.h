#pragma once
// The VD1 compiler's work state and its statement compilers (internal to tokenizer/vd1).

#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tokenizer/vd1/Vd1.h"
#include "tokenizer/vd1/Vd1Scanner.h"

namespace tok::vd1 {

class Compiler {
 public:
  Compiler(const char* source, int length, Outcome& outcome);
  // Both passes; throws Failure on the first error.
  void Run();
  const Scanner& Reader() const { return scanner_; }

 private:
  struct ForEntry {
    uint8_t variable = 0;
    Field start, limit, step;
    bool down = false;
    int loopPosition = 0;
  };

  // Passes and the statement loop (Vd1Compiler.cpp).
  void RunPass(int pass);
  void FinishFirstPass();
  void FinishSecondPass();
  void DefineLabel(const Token& name);
  void CompileSymbol();
  void CompileEeprom();
  void RequireStatementEnd();

  // Element helpers.
  Token Next() { return scanner_.Next(); }
  Token Peek() { return scanner_.Peek(); }
  static bool IsStatementEnd(const Token& token) { return token.kind == KEndOfLine || token.kind == KColon; }
  static bool IsListComma(const Token& token) { return token.kind == KComma && !token.quoted; }
  void Expect(Kind kind, Error error);
  Field ReadOperand();
  uint8_t ReadTargetVariable();
  uint16_t ReadLabel();
  // '(' items ')': `item` appends its fields; a 1 bit follows an item that a comma follows,
  // a 0 bit the last.
  void ReadList(std::vector<Field>& fields, const std::function<void(std::vector<Field>&)>& item);
  int ReserveNext();
  void PatchNext(int at);

  // Instruction compilers (Vd1Instructions.cpp, Vd1Control.cpp, Vd1Debug.cpp).
  void CompileInstruction(uint8_t code, int statementStart);
  void CompileAssignment(const Token& target);
  void CompileIf();
  void CompileFor();
  void CompileNext();
  void CompilePlainRow(const char* shape);
  void CompileBranch();
  void CompileGosub();
  void CompileButton();
  void CompileLookup();
  void CompileSound();
  void CompileSerout();
  void CompileSerin();
  void CompileDebug(int statementStart);
  std::string ReadDebugItems();
  void RecordDebug(int statementStart, const std::string& description);

  Outcome& out_;
  UserSymbols symbols_;
  Scanner scanner_;
  CodeWriter code_;
  int pass_ = 1;

  std::array<uint8_t, ImageSize> data_{};  // indexed like the code buffer: byte k is EEPROM 255 - k
  std::array<uint8_t, ImageSize> flags_{};
  std::array<uint8_t, ModuleByteCount> moduleBytes_{};
  int dataPointer_ = 0;

  std::array<ForEntry, ForLimit> forStack_{};
  int forDepth_ = 0;

  int gosubCount_ = 0;
  int codeBits_ = 0;  // measured by the first pass
  int lowestCodeAddress_ = 0;

  int debugCount_ = 0;
  int debugTotal_ = 0;  // DEBUG statements counted by the first pass
  int debugBytes_ = 0;  // description bytes so far
};

}  // namespace tok::vd1
