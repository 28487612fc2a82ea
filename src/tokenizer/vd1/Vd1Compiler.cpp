#include "tokenizer/vd1/Vd1Compiler.h"

#include <algorithm>

namespace tok::vd1 {

Compiler::Compiler(const char* source, int length, Outcome& outcome)
    : out_(outcome), scanner_(source, length, symbols_) {
  flags_.fill(128);  // the whole image goes out as one packet
}

void Compiler::Run() {
  RunPass(1);
  FinishFirstPass();
  RunPass(2);
  FinishSecondPass();
}

void Compiler::RunPass(int pass) {
  pass_ = pass;
  scanner_.Rewind();
  code_.Reset(pass == 1);
  code_.SetPosition(FirstStatementAt);
  forDepth_ = 0;
  gosubCount_ = 0;
  dataPointer_ = 0;
  debugCount_ = 0;
  debugBytes_ = 0;

  for (;;) {
    const Token first = Next();
    if (first.endOfSource) break;
    switch (first.kind) {
      case KEndOfLine:
      case KColon:
        continue;
      case KRem:
        scanner_.SkipToLineEnd();
        break;
      case KSymbol:
        CompileSymbol();
        break;
      case KUndefined:
        DefineLabel(first);
        continue;
      case KLabel:
        if (pass_ == 1) throw Failure{Error::SymbolAlreadyDefined};
        Expect(KColon, Error::LabelMissingColon);
        continue;
      case KVariable:
        code_.Write(ILet, InstructionBits);
        CompileAssignment(first);
        break;
      case KInstruction: {
        const int statementStart = code_.Position();
        code_.Write(first.value, InstructionBits);
        CompileInstruction(static_cast<uint8_t>(first.value), statementStart);
        break;
      }
      case KEeprom:
        CompileEeprom();
        break;
      case KBsave:  // accepted for compatibility; it has nothing to compile
        break;
      default:
        throw Failure{Error::ExpectedStatement};
    }
    RequireStatementEnd();
  }
}

// The header: the lowest EEPROM address that code and the GOSUB return table use, and where
// the return table starts. A program that fills all 256 bytes has address 0.
void Compiler::FinishFirstPass() {
  code_.Write(IEnd, InstructionBits);
  codeBits_ = code_.Position();
  const int totalBits = codeBits_ + AddressBits * gosubCount_;
  if (totalBits > CodeBitLimit) throw Failure{Error::EepromFull};
  lowestCodeAddress_ = 255 - std::min(totalBits / 8, 255);
  code_.ForceWriteAt(ReturnTablePosAt, static_cast<uint32_t>(codeBits_), AddressBits);
  code_.ForceWriteAt(0, static_cast<uint32_t>(lowestCodeAddress_), HeaderBits);
  debugTotal_ = debugCount_;
  out_.ModuleBytes = moduleBytes_;
}

void Compiler::FinishSecondPass() {
  code_.Write(IEnd, InstructionBits);
  for (int k = 0; k < ImageSize; ++k) {
    const int address = 255 - k;
    out_.EEPROM[address] = static_cast<uint8_t>(code_.Bytes()[k] | data_[k]);
    if (code_.Touched(k)) flags_[address] |= 3;
  }
  flags_[255] |= 3;
  out_.EEPROMFlags = flags_;
  out_.DebugCount = debugTotal_;
  out_.Symbols = symbols_.All();
  out_.CodeBits = codeBits_;
  out_.GosubCount = gosubCount_;
  out_.LowestCodeAddress = lowestCodeAddress_;
  out_.Success = true;
}

// A new name at the start of a statement is a label at the current code position.
void Compiler::DefineLabel(const Token& name) {
  if (pass_ == 1) symbols_.Add(scanner_.UpperName(name), KLabel, static_cast<uint16_t>(code_.Position()));
  Expect(KColon, Error::LabelMissingColon);
}

// SYMBOL name = constant or variable. The second pass finds the name defined and only reads
// the statement again.
void Compiler::CompileSymbol() {
  const Token name = Next();
  if (pass_ == 1 && name.kind != KUndefined) throw Failure{Error::SymbolNameInvalid};
  Expect(KEqual, Error::ExpectedEquals);
  const Token value = Next();
  if (value.kind != KConstant && value.kind != KVariable) throw Failure{Error::ExpectedConstantOrVariable};
  if (pass_ != 1) return;
  symbols_.Add(scanner_.UpperName(name), value.kind, value.value);
  if (value.kind != KVariable) return;
  const int code = value.value;
  uint32_t cells = 0;
  uint8_t words = 0;
  if (code >= 16 && code <= 31) cells = 1u << (code - 16);       // BIT0..BIT15
  if (code >= 34 && code <= 47) cells = 1u << (16 + code - 34);  // B0..B13
  if (code >= 50 && code <= 62 && code % 2 == 0) words = static_cast<uint8_t>(1u << ((code - 50) / 2));
  for (int i = 0; i < 4; ++i) moduleBytes_[i] |= static_cast<uint8_t>(cells >> (8 * i));
  moduleBytes_[4] |= words;
}

// EEPROM {address,} (values): the data pointer runs on from statement to statement unless an
// address is given, so that two value lists never overwrite each other.
void Compiler::CompileEeprom() {
  if (Peek().kind == KConstant) {
    dataPointer_ = Next().value;
    Expect(KComma, Error::ExpectedComma);
  }
  std::vector<Field> unused;
  ReadList(unused, [this](std::vector<Field>&) {
    const Token value = Next();
    if (value.kind != KConstant) throw Failure{Error::ExpectedConstant};
    if (pass_ == 2) {
      if (dataPointer_ >= lowestCodeAddress_) throw Failure{Error::DataOverlapsProgram};
      data_[255 - dataPointer_] = static_cast<uint8_t>(value.value);
      flags_[dataPointer_] |= 2;
    }
    ++dataPointer_;
  });
}

void Compiler::RequireStatementEnd() {
  if (!IsStatementEnd(Next())) throw Failure{Error::ExpectedColonOrEnd};
}

void Compiler::Expect(Kind kind, Error error) {
  if (Next().kind != kind) throw Failure{error};
}

// A value the instruction reads: a variable or a constant.
Field Compiler::ReadOperand() {
  const Token token = Next();
  if (token.kind == KVariable) return VariableOperand(static_cast<uint8_t>(token.value));
  if (token.kind == KConstant) return ConstantOperand(token.value);
  if (token.kind == KUndefined) throw Failure{Error::UndefinedSymbol};
  throw Failure{Error::ExpectedConstantOrVariable};
}

uint8_t Compiler::ReadTargetVariable() {
  const Token token = Next();
  if (token.kind != KVariable) throw Failure{Error::ExpectedVariable};
  return static_cast<uint8_t>(token.value);
}

// A label not yet defined is fine while measuring; the second pass knows every label.
uint16_t Compiler::ReadLabel() {
  const Token token = Next();
  if (token.kind == KLabel) return token.value;
  if (token.kind == KUndefined) {
    if (pass_ == 1) return 0;
    throw Failure{Error::UndefinedSymbol};
  }
  throw Failure{Error::ExpectedLabel};
}

void Compiler::ReadList(std::vector<Field>& fields, const std::function<void(std::vector<Field>&)>& item) {
  Expect(KOpenParen, Error::ExpectedOpenParen);
  for (;;) {
    item(fields);
    const Token separator = Next();
    if (separator.kind == KComma) {
      fields.push_back({1, 1});
    } else if (separator.kind == KCloseParen) {
      fields.push_back({0, 1});
      return;
    } else {
      throw Failure{Error::ExpectedCommaOrCloseParen};
    }
  }
}

// An 11-bit field that will hold the position just after the statement.
int Compiler::ReserveNext() {
  const int at = code_.Position();
  code_.Write(0, AddressBits);
  return at;
}

void Compiler::PatchNext(int at) {
  code_.WriteAt(at, static_cast<uint32_t>(code_.Position()), AddressBits);
}

void Compile(const char* source, int length, Outcome& outcome) {
  outcome = Outcome{};
  outcome.EEPROMFlags.fill(128);
  Compiler compiler(source, length > 0 ? length : 0, outcome);
  try {
    compiler.Run();
  } catch (const Failure& failure) {
    Outcome failed;
    failed.EEPROMFlags.fill(128);
    failed.ErrorText = ErrorText(failure.error);
    failed.ErrorStart = compiler.Reader().ErrorStart();
    failed.ErrorLength = compiler.Reader().ErrorLength();
    outcome = failed;
  }
}

}  // namespace tok::vd1
