// The source scanner: turns Source into the element list, in directive mode (only directives
// written inside comments) or in full mode.

#include <algorithm>
#include <cstring>

#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

constexpr char LineEnd = 3;

uint8_t Upper(uint8_t c) {
  return (c >= 'a' && c <= 'z') ? static_cast<uint8_t>(c - 32) : c;
}
bool IsLetter(uint8_t c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
bool IsNameChar(uint8_t c) {
  return IsLetter(c) || (c >= '0' && c <= '9');
}
bool IsBlank(uint8_t c) {
  return c == ' ' || c == '\t';
}

bool IsDigitOf(uint8_t c, int base) {
  if (base == 2) return c == '0' || c == '1';
  if (base == 10) return c >= '0' && c <= '9';
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F');
}

bool IsFileNameChar(uint8_t c) {
  if (c < 33 || c > 126) return false;
  return std::strchr("\"*,<>?{|}", c) == nullptr;
}

}  // namespace

int Tokenizer::ReadChar() {
  return static_cast<uint8_t>(TokenizeResult.Source[ScanPos++]);
}

void Tokenizer::AddElement(uint8_t kind, uint16_t value, bool IsEnd) {
  if (IsEnd && LastWasEnd) return;
  if (IsEnd) kind = EndOfStatement;
  if (ElementIndex >= ElementLimit) RaiseScanError(0, ErrTooManyElements);
  SkipBack[ElementIndex] = static_cast<int16_t>(ElementIndex - 1);
  Element& e = ElementList[ElementIndex++];
  e.Kind = kind;
  e.Value = value;
  e.Start = static_cast<uint16_t>(TokenStart);
  e.Length = static_cast<uint8_t>(ScanPos - TokenStart);
  LastWasEnd = IsEnd ? 1 : 0;
}

void Tokenizer::StartScan(bool Full) {
  ResultRecord& r = TokenizeResult;
  char* src = r.Source;
  if (!Full) {
    for (int i = 0; i < r.SourceSize; ++i) {
      const uint8_t c = static_cast<uint8_t>(src[i]);
      if (c <= 8 || (c >= 10 && c <= 31)) src[i] = LineEnd;
    }
  }
  src[r.SourceSize] = LineEnd;
  ElementIndex = 0;
  EndMark = 0;
  LastWasEnd = 1;
  ScanPos = 0;
}

void Tokenizer::ScanSource(bool Full) {
  StartScan(Full);
  while (ScanPos < TokenizeResult.SourceSize) {
    TokenStart = ScanPos;
    const int c = ReadChar();
    if (Full) {
      ScanCharacter(c);
    } else if (c == '\'') {
      AddElement(EndOfStatement, 0, true);
      ScanCommentDirective();
    }
  }
  FinishScan();
}

// One token of the full scan, starting with the character `c` just read.
void Tokenizer::ScanCharacter(int c) {
  switch (c) {
    case 0:
    case '\t':
    case ' ':
      break;
    case LineEnd:
      AddElement(EndOfStatement, 0, true);
      break;
    case ':':
      LastWasEnd = 0;
      AddElement(EndOfStatement, 1, true);
      break;
    case '\'':
      AddElement(EndOfStatement, 0, true);
      while (ReadChar() != LineEnd) {
      }
      break;
    case ',':
      AddElement(Comma, 0, false);
      LastWasEnd = LanguageIs25;  // in 2.5 a statement continues after a trailing comma
      break;
    case '"':
      ScanQuoted();
      break;
    case '%':
      AddElement(Constant, ReadNumber(2, 0), false);
      break;
    case '$': {
      ReadName();
      const Element& named = ElementList[ElementIndex - 1];
      if (LanguageIs25 && named.Kind != Unresolved) break;
      --ElementIndex;  // not a directive word: the "$" starts a hexadecimal number
      ScanPos = TokenStart + 1;
      AddElement(Constant, ReadNumber(16, 0), false);
      break;
    }
    case '#':
      if (!LanguageIs25) RaiseScanError(0, ErrUnrecognizedCharacter);
      ReadName();
      if (ElementList[ElementIndex - 1].Kind == Unresolved) RaiseScanError(0, ErrExpectedDirective);
      break;
    default:
      if (c >= '0' && c <= '9') {
        AddElement(Constant, ReadNumber(10, 0), false);
      } else if (IsLetter(static_cast<uint8_t>(c))) {
        ReadName();
      } else {
        ScanOperator(static_cast<char>(c));
      }
  }
}

void Tokenizer::FinishScan() {
  if (LastWasEnd && ElementIndex > 0 && ElementList[ElementIndex - 1].Kind != EndOfStatement) {
    // Only after a continuation comma: the statement still needs its end, one past the line
    // end that follows the comma; a source that ends right after the comma has no such line
    // end, and the element stays at the closing marker.
    const Element& last = ElementList[ElementIndex - 1];
    TokenStart = std::min(last.Start + last.Length + 1, ScanPos);
    LastWasEnd = 0;
    AddElement(EndOfStatement, 0, true);
  }
  // The closing end takes the token start and scan position where the loop stopped.
  AddElement(EndOfStatement, 0, true);
  EndMark = ElementIndex;
}

void Tokenizer::ReadName() {
  const char* src = TokenizeResult.Source;
  int allowance = NameLimit;
  while (allowance > 0 && IsNameChar(static_cast<uint8_t>(src[ScanPos]))) {
    ++ScanPos;
    --allowance;
  }
  if (allowance == 0) RaiseScanError(0, ErrSymbolTooLong);
  Element probe;
  probe.Start = static_cast<uint16_t>(TokenStart);
  probe.Length = static_cast<uint8_t>(ScanPos - TokenStart);
  const ShortName name = ElementName(probe);
  LookupName(name.View());
  AddElement(LookupSymbol.Kind, static_cast<uint16_t>(LookupSymbol.Value), false);
  const uint8_t kind = LookupSymbol.Kind;
  if ((kind == ConWord || kind == DataWord || kind == PinWord || kind == VarWord) && ElementIndex >= 2) {
    const Element& before = ElementList[ElementIndex - 2];
    if (before.Kind == Unresolved) AddDeclaredName(ElementName(before).View());
  }
}

uint16_t Tokenizer::ReadNumber(int base, int places) {
  uint8_t c;
  if (base != 10) {
    c = Upper(static_cast<uint8_t>(ReadChar()));
  } else {
    c = static_cast<uint8_t>(TokenizeResult.Source[ScanPos - 1]);
  }
  if (!IsDigitOf(c, base)) {
    ++TokenStart;  // the error marks the character after the prefix
    RaiseScanError(0, base == 2 ? ErrExpectedBinaryDigit : ErrExpectedHexDigit);
  }
  uint32_t value = 0;
  int budget = 17;
  int point = 0;
  while ((IsDigitOf(c, base) || (places > 0 && c == '.')) && value <= 65535 && budget > 0) {
    if (c != '.') value = value * base + (c <= '9' ? c - '0' : c - 'A' + 10);
    if (c == '.' || point > 0) ++point;
    if (point > 0 && value == 0) RaiseScanError(0, ErrConstantBelowOne);
    c = Upper(static_cast<uint8_t>(ReadChar()));
    --budget;
  }
  if (point == 0) point = 1;
  while (point < places + 1) {
    value *= base;
    ++point;
  }
  if (value > 65535) RaiseScanError(0, ErrConstantTooBig);
  --ScanPos;  // the character that ended the number is read again
  if (budget == 0) RaiseScanError(0, ErrTooManyDigits);
  return static_cast<uint16_t>(value);
}

void Tokenizer::ScanQuoted() {
  const char* src = TokenizeResult.Source;
  const int quoteStart = TokenStart;
  if (src[ScanPos] == '"') RaiseScanError(1, ErrExpectedCharacters);
  for (;;) {
    TokenStart = ScanPos;
    const int c = ReadChar();
    if (c == LineEnd) {
      TokenStart = quoteStart;
      RaiseScanError(0, ErrExpectedTerminatingQuote);
    }
    AddElement(Constant, static_cast<uint16_t>(c), false);
    if (src[ScanPos] == '"') break;
    TokenStart = ScanPos;
    ++ScanPos;
    AddElement(Comma, 0, false);
    --ScanPos;
  }
  ++ScanPos;  // the closing quote
}

void Tokenizer::ScanOperator(char first) {
  const char* src = TokenizeResult.Source;
  int next = ScanPos;
  while (IsBlank(static_cast<uint8_t>(src[next]))) ++next;
  if (src[next] != 0) {
    const char pair[2] = {first, src[next]};
    if (LookupName(std::string_view(pair, 2))) {
      ScanPos = next + 1;
      AddElement(LookupSymbol.Kind, static_cast<uint16_t>(LookupSymbol.Value), false);
      return;
    }
  }
  ScanPos = TokenStart + 1;
  if (!LookupName(std::string_view(&first, 1))) RaiseScanError(0, ErrUnrecognizedCharacter);
  AddElement(LookupSymbol.Kind, static_cast<uint16_t>(LookupSymbol.Value), false);
}

void Tokenizer::ScanCommentDirective() {
  const ResultRecord& r = TokenizeResult;
  const char* src = r.Source;
  auto skipBlanks = [&] {
    while (IsBlank(static_cast<uint8_t>(src[ScanPos]))) ++ScanPos;
  };
  auto skipLine = [&] {
    while (ScanPos <= r.SourceSize && ReadChar() != LineEnd) {
    }
  };
  skipBlanks();
  int c = ReadChar();
  if (c == LineEnd) return;
  if (c != '{') return skipLine();
  skipBlanks();
  if (src[ScanPos] == LineEnd) {
    ++ScanPos;
    return;
  }
  if (src[ScanPos] != '$') {
    ++ScanPos;
    return skipLine();
  }
  int words = 1;
  while (words != 0 && ScanPos <= r.SourceSize) {
    TokenStart = ScanPos;
    c = ReadChar();
    if (c == 0 || IsBlank(static_cast<uint8_t>(c))) continue;
    if (c == LineEnd) {
      AddElement(EndOfStatement, 0, true);
      return;
    }
    if (c == '"') {
      ScanDirectiveText(true);
    } else if (c == '$') {
      ReadName();
      ++words;
      if (ElementList[ElementIndex - 1].Kind != DirectiveWord) RaiseScanError(0, ErrExpectedDirective);
    } else if (c == ',') {
      AddElement(Comma, 0, false);
    } else if (c >= '0' && c <= '9') {
      AddElement(Constant, ReadNumber(10, 2), false);
    } else if (c == '}') {
      AddElement(RightBrace, 0, false);
      return skipLine();
    } else if (IsLetter(static_cast<uint8_t>(c)) && words < 3) {
      ReadName();
      ++words;
    } else if (IsFileNameChar(static_cast<uint8_t>(c)) && words >= 3) {
      ScanDirectiveText(false);
    } else {
      RaiseScanError(0, ErrUnrecognizedCharacter);
    }
  }
}

void Tokenizer::ScanDirectiveText(bool quoted) {
  const char* src = TokenizeResult.Source;
  if (quoted) {
    TokenStart = ScanPos;  // the text starts after the opening quote
    if (src[ScanPos] == '"') RaiseScanError(1, ErrExpectedCharacters);
    for (;;) {
      const uint8_t c = static_cast<uint8_t>(src[ScanPos]);
      if (!(IsFileNameChar(c) || c == ' ' || c == ',' || c == '{' || c == '}')) break;
      ++ScanPos;
    }
    if (src[ScanPos] != '"') RaiseScanError(0, ErrExpectedTerminatingQuote);
    AddElement(Text, 0, false);
    ++ScanPos;
    return;
  }
  while (IsFileNameChar(static_cast<uint8_t>(src[ScanPos]))) ++ScanPos;
  AddElement(Text, 0, false);
}

// ---- reading the list -------------------------------------------------------------------------

ShortName Tokenizer::ElementName(const Element& element) const {
  ShortName name;
  const char* src = TokenizeResult.Source;
  const int length = element.Length < NameLimit ? element.Length : NameLimit;
  for (int i = 0; i < length; ++i)
    name.Text[i] = static_cast<char>(Upper(static_cast<uint8_t>(src[element.Start + i])));
  name.Length = static_cast<uint8_t>(length);
  return name;
}

bool Tokenizer::ReadLiveElement(Element& element) {
  while (ElementIndex < EndMark && ElementList[ElementIndex].Kind == Deleted) ++ElementIndex;
  if (ElementIndex >= EndMark) {
    element.Kind = EndOfStatement;
    return false;
  }
  Element read = ElementList[ElementIndex];
  if (read.Kind == Unresolved) {
    // Names declared after the point of use resolve now.
    LookupName(ElementName(read).View());
    read.Kind = LookupSymbol.Kind;
    read.Value = static_cast<uint16_t>(LookupSymbol.Value);
  }
  // One whole store: callers read the record back at once, and a store in pieces makes that
  // read wait.
  std::memcpy(&element, &read, sizeof read);
  return true;
}

bool Tokenizer::NextElement(Element& element) {
  const bool found = ReadLiveElement(element);
  if (found) ++ElementIndex;
  TokenizeResult.ErrorStart = element.Start;
  TokenizeResult.ErrorLength = element.Length;
  return found;
}

bool Tokenizer::PeekElement(Element& element) {
  return ReadLiveElement(element);
}

void Tokenizer::DeleteElements(int first, int last) {
  if (first < 0) first = 0;
  for (int i = first; i <= last && i < ElementLimit; ++i) ElementList[i].Kind = Deleted;
}

// Deleted elements never come back to life, so each one's SkipBack may jump straight to the
// live element found last time: runs of removed declarations are crossed once, not per removal.
int Tokenizer::LiveBefore(int index) {
  int live = index - 1;
  while (live >= 0 && ElementList[live].Kind == Deleted) live = SkipBack[live];
  for (int i = index - 1; i > live;) {
    const int next = SkipBack[i];
    SkipBack[i] = static_cast<int16_t>(live);
    i = next;
  }
  return live;
}

void Tokenizer::DeleteStatement(int first, int last) {
  DeleteElements(first, last);
  const int after = last + 1;
  if (after >= EndMark || ElementList[after].Kind != EndOfStatement) return;
  const int before = LiveBefore(first);
  // A removed line leaves no empty statement behind.
  if (before < 0 || ElementList[before].Kind == EndOfStatement) ElementList[after].Kind = Deleted;
}

}  // namespace tok
