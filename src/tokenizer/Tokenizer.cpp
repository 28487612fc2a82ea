// Tokenize: the fixed order of passes, the result record's reset and the error mechanism.

#include "tokenizer/Tokenizer.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

#include "tokenizer/Passes.h"

namespace tok {

Tokenizer::Tokenizer() {
  ClearSymbolTables();
}
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
  Code.Clear();
  Structures.Clear();
  Conditionals.Clear();
}

bool Tokenizer::Tokenize(bool directivesOnly, bool readTargetDirective, bool anyLanguageVersion) {
  Reset();
  if (readTargetDirective) TokenizeResult.TargetModule = 0;
  LanguageIs25 = 0;
  try {
    RunPasses(directivesOnly, readTargetDirective, anyLanguageVersion);
    TokenizeResult.Success = 1;
  } catch (...) {
    TokenizeResult.Success = 0;
  }
  return TokenizeResult.Success != 0;
}

void Tokenizer::RunPasses(bool directivesOnly, bool readTargetDirective, bool anyLanguageVersion) {
  ResultRecord& r = TokenizeResult;
  // The scanner writes a marker at Source[SourceSize]; a size outside the buffer would write
  // beyond it, so such a call fails (without an error text) instead.
  if (r.SourceSize < 0 || r.SourceSize > SourceSizeLimit) throw std::length_error("source too long");

  LoadDirectiveSymbols();
  ScanSource(false);
  std::memcpy(Vd1Source, r.Source, static_cast<size_t>(r.SourceSize) + 1);
  Vd1SourceSize = r.SourceSize;
  ReadTargetModuleDirective(readTargetDirective);
  ReadPortDirective();
  ReadLanguageDirective(anyLanguageVersion);
  SetDirectiveSymbolValues();

  if (!directivesOnly) RunCompilePasses();
  r.ErrorStart = 0;
  r.ErrorLength = 0;
  if (r.PacketCount == 0 && !directivesOnly) RaiseTokenizeError(ErrNothingToTokenize);
}

void Tokenizer::RunCompilePasses() {
  if (TokenizeResult.TargetModule == ModuleVD1) {
    TokenizeVd1(*this);
    return;
  }
  LoadKeywordSymbols();
  ScanSource(true);
  ConditionalCompile();
  RunDeclarationPasses(*this);
  CountGosubs(*this);
  StatementLoop(*this);
  ResolveFixups(*this);
  BuildPackets(*this);
}

void Tokenizer::RaiseErrorText(std::string_view text) {
  // The text has storage of its own: the source (and what points into it) stays as it was.
  ErrorMessage.assign(text);
  TokenizeResult.ErrorText = ErrorMessage.c_str();
  throw ETokenizeError();
}

void Tokenizer::RaiseTokenizeError(int index) {
  int row = index & 127;
  // Rows 119..127 do not exist; no caller raises them, but a table read must stay inside.
  if (row >= ErrorRowCount) row = ErrNothingToTokenize;
  RaiseErrorText(ErrorTable[row]);
}

void Tokenizer::RaiseScanError(int extra, int index) {
  TokenizeResult.ErrorStart = Scan.TokenStart;
  TokenizeResult.ErrorLength = Scan.ScanPos + extra - Scan.TokenStart;
  RaiseTokenizeError(index);
}

}  // namespace tok
