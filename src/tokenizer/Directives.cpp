// The editor directives, read from the directive-mode element list: $VARDA (target module
// and project files), $PORT (serial port) and $TESSIC (language version).

#include "tokenizer/CharacterClasses.h"
#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
char Upper(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c;
}

}  // namespace

void Tokenizer::ReadTargetModuleDirective(bool readTarget) {
  ResultRecord& r = TokenizeResult;
  Scan.ElementIndex = 0;
  int fileCounter = 1;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != DirectiveWord || e.Value != 0) continue;
    const int start = Scan.ElementIndex - 1;
    if (!readTarget) {
      // The caller chose the module: the first $VARDA goes unread.
      int last = start;
      while (last + 1 < Scan.EndMark && Scan.ElementList[last].Kind != EndOfStatement) ++last;
      DeleteElements(start, last);
      return;
    }
    if (r.TargetModule != 0) RaiseTokenizeError(ErrDuplicateDirective);
    NextElement(e);
    if (e.Kind != ModuleName) RaiseTokenizeError(ErrExpectedTargetModule);
    r.TargetModule = static_cast<uint8_t>(e.Value);
    r.TargetStart = e.Start;
    NextElement(e);
    if (r.TargetModule >= ModuleVD2E) {
      while (e.Kind == Comma) {
        if (fileCounter > ProjectFileLimit) RaiseTokenizeError(ErrTooManyProjectFiles);
        NextElement(e);
        if (e.Kind != Text) RaiseTokenizeError(ErrExpectedFilename);
        r.ProjectFiles[fileCounter - 1] = r.Source + e.Start;
        r.Source[e.Start + e.Length] = 0;
        r.ProjectFileStarts[fileCounter - 1] = e.Start;
        ++fileCounter;
        NextElement(e);
      }
    }
    if (e.Kind != RightBrace) RaiseTokenizeError(ErrExpectedRightBrace);
    NextElement(e);
    DeleteElements(start, Scan.ElementIndex - 1);
  }
}

void Tokenizer::ReadPortDirective() {
  ResultRecord& r = TokenizeResult;
  Scan.ElementIndex = 0;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != DirectiveWord || e.Value != 1) continue;
    const int start = Scan.ElementIndex - 1;
    if (r.Port != nullptr) RaiseTokenizeError(ErrDuplicateDirective);
    NextElement(e);
    bool good = e.Kind == Unresolved && e.Length >= 4;
    const char* name = r.Source + e.Start;
    if (good) good = Upper(name[0]) == 'C' && Upper(name[1]) == 'O' && Upper(name[2]) == 'M';
    for (int i = 3; good && i < e.Length; ++i) good = IsDigit(name[i]);
    if (!good) RaiseTokenizeError(ErrExpectedComPort);
    r.Port = name;
    r.Source[e.Start + e.Length] = 0;
    r.PortStart = e.Start;
    NextElement(e);
    if (e.Kind != RightBrace) RaiseTokenizeError(ErrExpectedRightBrace);
    NextElement(e);
    DeleteElements(start, Scan.ElementIndex - 1);
  }
}

void Tokenizer::ReadLanguageDirective(bool anyLanguageVersion) {
  ResultRecord& r = TokenizeResult;
  r.LanguageVersion = r.TargetModule == ModuleVD1 ? 100 : 200;
  Scan.ElementIndex = 0;
  Element e;
  while (NextElement(e)) {
    if (e.Kind != DirectiveWord || e.Value != 2) continue;
    const int start = Scan.ElementIndex - 1;
    if (r.LanguageStart != 0) RaiseTokenizeError(ErrDuplicateDirective);
    NextElement(e);
    if (e.Kind != Constant) RaiseTokenizeError(ErrExpectedConstant);
    const int version = e.Value;
    if (version != 100 && version != 200 && version != 250) RaiseTokenizeError(ErrInvalidVersion);
    if (!anyLanguageVersion && r.TargetModule == ModuleVD1 && version != 100)
      RaiseTokenizeError(ErrVersionNotVD1);
    if (!anyLanguageVersion && r.TargetModule >= ModuleVD2 && version == 100)
      RaiseTokenizeError(ErrVersionNotVD2);
    LanguageIs25 = version == 250 ? 1 : 0;
    r.LanguageVersion = version;
    r.LanguageStart = e.Start;
    r.Source[e.Start + e.Length] = 0;
    NextElement(e);
    if (e.Kind != RightBrace) RaiseTokenizeError(ErrExpectedRightBrace);
    NextElement(e);
    DeleteElements(start, Scan.ElementIndex - 1);
  }
}

int Tokenizer::PortNumber() const {
  const char* port = TokenizeResult.Port;
  if (port == nullptr) return -1;
  int number = 0;
  for (int i = 3; i < 6 && IsDigit(port[i]); ++i) number = number * 10 + (port[i] - '0');
  return number;
}

void Tokenizer::SetDirectiveSymbolValues() {
  SetSymbolValue("$VARDA", static_cast<int16_t>(TokenizeResult.TargetModule));
  SetSymbolValue("$PORT", static_cast<int16_t>(PortNumber()));
  SetSymbolValue("$TESSIC", static_cast<int16_t>(TokenizeResult.LanguageVersion));
}

}  // namespace tok
