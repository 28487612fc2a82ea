// Tokenize: the fixed order of passes, the result record's reset and the error mechanism.

#include "tokenizer/Tokenizer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tokenizer/Passes.h"

namespace tok {

Tokenizer::Tokenizer() { ClearSymbolTables(); }
Tokenizer::~Tokenizer() = default;

bool Tokenizer::SetSource(std::string_view text) {
  if (text.size() > static_cast<size_t>(SourceSizeLimit)) return false;
  std::memcpy(TokenizeResult.Source, text.data(), text.size());
  TokenizeResult.Source[text.size()] = 0;
  TokenizeResult.SourceSize = static_cast<int32_t>(text.size());
  return true;
}

void Tokenizer::Reset() {
  ResultRecord& r = TokenizeResult;
  r.ErrorText = nullptr;
  std::fill(std::begin(r.ProjectFiles), std::end(r.ProjectFiles), nullptr);
  std::fill(std::begin(r.ProjectFileStarts), std::end(r.ProjectFileStarts), 0);
  r.TargetStart = 0;
  r.Port = nullptr;
  r.PortStart = 0;
  r.LanguageStart = 0;
  std::fill(std::begin(r.ModuleBytes), std::end(r.ModuleBytes), 0);
  std::fill(std::begin(r.EEPROM), std::end(r.EEPROM), 0);
  std::fill(std::begin(r.EEPROMFlags), std::end(r.EEPROMFlags), 0);
  // The image's companions start empty with it.
  std::fill(std::begin(r.VarCounts), std::end(r.VarCounts), 0);
  std::fill(std::begin(NextVarCell), std::end(NextVarCell), 0);
  VarBitsTotal = 0;
  CodeBitPos = 0;
  ControlStack.Depth = 0;
  IfCount = ForCount = DoCount = SelectCount = 0;
  FixupCount = 0;
  GosubCount = 0;
}

bool Tokenizer::Tokenize(bool directivesOnly, bool readTargetDirective, bool anyLanguageVersion) {
  Reset();
  DirectivesOnly = directivesOnly;
  ReadTargetDirective = readTargetDirective;
  AnyLanguageVersion = anyLanguageVersion;
  if (ReadTargetDirective) TokenizeResult.TargetModule = 0;
  LanguageIs25 = 0;
  try {
    RunPasses();
    TokenizeResult.Success = 1;
  } catch (...) {
    TokenizeResult.Success = 0;
  }
  return TokenizeResult.Success != 0;
}

void Tokenizer::RunPasses() {
  ResultRecord& r = TokenizeResult;
  // The scanner writes a marker at Source[SourceSize]; a size outside the buffer would write
  // beyond it, so such a call fails (without an error text) instead.
  if (r.SourceSize < 0 || r.SourceSize > SourceSizeLimit) throw std::length_error("source too long");

  LoadDirectiveSymbols();
  ScanSource(false);
  std::memcpy(Vd1Source, r.Source, static_cast<size_t>(r.SourceSize) + 1);
  Vd1SourceSize = r.SourceSize;
  ReadTargetModuleDirective();
  ReadPortDirective();
  ReadLanguageDirective(AnyLanguageVersion);
  SetDirectiveSymbolValues();

  if (!DirectivesOnly) {
    if (r.TargetModule == ModuleVD1) {
      TokenizeVd1(*this);
    } else {
      LoadKeywordSymbols();
      ScanSource(true);
      ConditionalCompile();
      RunDeclarationPasses(*this);
      CountGosubs(*this);
      StatementLoop(*this);
      ResolveFixups(*this);
      BuildPackets(*this);
    }
  }
  r.ErrorStart = 0;
  r.ErrorLength = 0;
  if (r.PacketCount == 0 && !DirectivesOnly) RaiseTokenizeError(ErrNothingToTokenize);
}

void Tokenizer::RaiseErrorText(std::string_view text) {
  // The text ends with its zero on the last byte of Source.
  const size_t length = std::min(text.size(), static_cast<size_t>(SourceCapacity - 1));
  char* copy = TokenizeResult.Source + (SourceCapacity - 1 - length);
  std::memcpy(copy, text.data(), length);
  TokenizeResult.Source[SourceCapacity - 1] = 0;
  TokenizeResult.ErrorText = copy;
  throw ETokenizeError();
}

void Tokenizer::RaiseTokenizeError(int index) {
  int row = index & 127;
  // Rows 119..127 do not exist; no caller raises them, but a table read must stay inside.
  if (row >= ErrorRowCount) row = ErrNothingToTokenize;
  RaiseErrorText(ErrorTable[row]);
}

void Tokenizer::RaiseScanError(int extra, int index) {
  TokenizeResult.ErrorStart = TokenStart;
  TokenizeResult.ErrorLength = ScanPos + extra - TokenStart;
  RaiseTokenizeError(index);
}

}  // namespace tok
