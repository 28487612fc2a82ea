// The source scanner: turns Source into the element list, in directive mode (only directives
// written inside comments) or in full mode.

#include <algorithm>
#include <cstring>

#include "tokenizer/CharacterClasses.h"
#include "tokenizer/Tokenizer.h"

namespace tok {

namespace {

constexpr char LineEnd = 3;

using chars::IsBlank;
using chars::IsNameChar;
using chars::IsNameStart;
using chars::Upper;

bool IsDigitOf(uint8_t c, int base) {
  return chars::DigitValue(c, base) >= 0;
}

bool IsFileNameChar(uint8_t c) {
  if (c < 33 || c > 126) return false;
  return std::strchr("\"*,<>?{|}", c) == nullptr;
}

}  // namespace

int Tokenizer::ReadChar() {
  return static_cast<uint8_t>(TokenizeResult.Source[Scan.ScanPos++]);
}

void Tokenizer::AddElement(uint8_t kind, uint16_t value, bool IsEnd) {
  if (IsEnd && Scan.LastWasEnd) return;
  if (IsEnd) kind = EndOfStatement;
  if (Scan.Full()) RaiseScanError(0, ErrTooManyElements);
  Element e;
  e.Kind = kind;
  e.Value = value;
  e.Start = static_cast<uint16_t>(Scan.TokenStart);
  e.Length = static_cast<uint8_t>(Scan.ScanPos - Scan.TokenStart);
  Scan.Append(e);
  Scan.LastWasEnd = IsEnd ? 1 : 0;
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
  Scan.StartScan();
}

void Tokenizer::ScanSource(bool Full) {
  StartScan(Full);
  while (Scan.ScanPos < TokenizeResult.SourceSize) {
    Scan.TokenStart = Scan.ScanPos;
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
      Scan.LastWasEnd = 0;
      AddElement(EndOfStatement, 1, true);
      break;
    case '\'':
      AddElement(EndOfStatement, 0, true);
      while (ReadChar() != LineEnd) {
      }
      break;
    case ',':
      AddElement(Comma, 0, false);
      Scan.LastWasEnd = LanguageIs25;  // in 2.5 a statement continues after a trailing comma
      break;
    case '"':
      ScanQuoted();
      break;
    case '%':
      AddElement(Constant, ReadNumber(2, 0), false);
      break;
    case '$': {
      ReadName();
      const Element& named = Scan.ElementList[Scan.EndMark - 1];
      if (LanguageIs25 && named.Kind != Unresolved) break;
      --Scan.EndMark;  // not a directive word: the "$" starts a hexadecimal number
      Scan.ScanPos = Scan.TokenStart + 1;
      AddElement(Constant, ReadNumber(16, 0), false);
      break;
    }
    case '#':
      if (!LanguageIs25) RaiseScanError(0, ErrUnrecognizedCharacter);
      ReadName();
      if (Scan.ElementList[Scan.EndMark - 1].Kind == Unresolved) RaiseScanError(0, ErrExpectedDirective);
      break;
    default:
      if (c >= '0' && c <= '9') {
        AddElement(Constant, ReadNumber(10, 0), false);
      } else if (IsNameStart(static_cast<uint8_t>(c))) {
        ReadName();
      } else {
        ScanOperator(static_cast<char>(c));
      }
  }
}

void Tokenizer::FinishScan() {
  if (Scan.LastWasEnd && Scan.EndMark > 0 && Scan.ElementList[Scan.EndMark - 1].Kind != EndOfStatement) {
    // Only after a continuation comma: the statement still needs its end, one past the line
    // end that follows the comma; a source that ends right after the comma has no such line
    // end, and the element stays at the closing marker.
    const Element& last = Scan.ElementList[Scan.EndMark - 1];
    Scan.TokenStart = std::min(last.Start + last.Length + 1, Scan.ScanPos);
    Scan.LastWasEnd = 0;
    AddElement(EndOfStatement, 0, true);
  }
  // The closing end takes the token start and scan position where the loop stopped.
  AddElement(EndOfStatement, 0, true);
}

void Tokenizer::ReadName() {
  const char* src = TokenizeResult.Source;
  int allowance = NameLimit;
  while (allowance > 0 && IsNameChar(static_cast<uint8_t>(src[Scan.ScanPos]))) {
    ++Scan.ScanPos;
    --allowance;
  }
  if (allowance == 0) RaiseScanError(0, ErrSymbolTooLong);
  Element probe;
  probe.Start = static_cast<uint16_t>(Scan.TokenStart);
  probe.Length = static_cast<uint8_t>(Scan.ScanPos - Scan.TokenStart);
  const ShortName name = ElementName(probe);
  LookupName(name.View());
  AddElement(LastLookup.Kind, static_cast<uint16_t>(LastLookup.Value), false);
  const uint8_t kind = LastLookup.Kind;
  if ((kind == ConWord || kind == DataWord || kind == PinWord || kind == VarWord) && Scan.EndMark >= 2) {
    const Element& before = Scan.ElementList[Scan.EndMark - 2];
    if (before.Kind == Unresolved) AddDeclaredName(ElementName(before).View());
  }
}

uint16_t Tokenizer::ReadNumber(int base, int places) {
  uint8_t c;
  if (base != 10) {
    c = Upper(static_cast<uint8_t>(ReadChar()));
  } else {
    c = static_cast<uint8_t>(TokenizeResult.Source[Scan.ScanPos - 1]);
  }
  if (!IsDigitOf(c, base)) {
    ++Scan.TokenStart;  // the error marks the character after the prefix
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
  --Scan.ScanPos;  // the character that ended the number is read again
  if (budget == 0) RaiseScanError(0, ErrTooManyDigits);
  return static_cast<uint16_t>(value);
}

void Tokenizer::ScanQuoted() {
  const char* src = TokenizeResult.Source;
  const int quoteStart = Scan.TokenStart;
  if (src[Scan.ScanPos] == '"') RaiseScanError(1, ErrExpectedCharacters);
  for (;;) {
    Scan.TokenStart = Scan.ScanPos;
    const int c = ReadChar();
    if (c == LineEnd) {
      Scan.TokenStart = quoteStart;
      RaiseScanError(0, ErrExpectedTerminatingQuote);
    }
    AddElement(Constant, static_cast<uint16_t>(c), false);
    if (src[Scan.ScanPos] == '"') break;
    Scan.TokenStart = Scan.ScanPos;
    ++Scan.ScanPos;
    AddElement(Comma, 0, false);
    --Scan.ScanPos;
  }
  ++Scan.ScanPos;  // the closing quote
}

void Tokenizer::ScanOperator(char first) {
  const char* src = TokenizeResult.Source;
  int next = Scan.ScanPos;
  while (IsBlank(static_cast<uint8_t>(src[next]))) ++next;
  if (src[next] != 0) {
    const char pair[2] = {first, src[next]};
    if (LookupName(std::string_view(pair, 2))) {
      Scan.ScanPos = next + 1;
      AddElement(LastLookup.Kind, static_cast<uint16_t>(LastLookup.Value), false);
      return;
    }
  }
  Scan.ScanPos = Scan.TokenStart + 1;
  if (!LookupName(std::string_view(&first, 1))) RaiseScanError(0, ErrUnrecognizedCharacter);
  AddElement(LastLookup.Kind, static_cast<uint16_t>(LastLookup.Value), false);
}

void Tokenizer::ScanCommentDirective() {
  const ResultRecord& r = TokenizeResult;
  const char* src = r.Source;
  auto skipBlanks = [&] {
    while (IsBlank(static_cast<uint8_t>(src[Scan.ScanPos]))) ++Scan.ScanPos;
  };
  auto skipLine = [&] {
    while (Scan.ScanPos <= r.SourceSize && ReadChar() != LineEnd) {
    }
  };
  skipBlanks();
  int c = ReadChar();
  if (c == LineEnd) return;
  if (c != '{') return skipLine();
  skipBlanks();
  if (src[Scan.ScanPos] == LineEnd) {
    ++Scan.ScanPos;
    return;
  }
  if (src[Scan.ScanPos] != '$') {
    ++Scan.ScanPos;
    return skipLine();
  }
  int words = 1;
  while (words != 0 && Scan.ScanPos <= r.SourceSize) {
    Scan.TokenStart = Scan.ScanPos;
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
      if (Scan.ElementList[Scan.EndMark - 1].Kind != DirectiveWord) RaiseScanError(0, ErrExpectedDirective);
    } else if (c == ',') {
      AddElement(Comma, 0, false);
    } else if (c >= '0' && c <= '9') {
      AddElement(Constant, ReadNumber(10, 2), false);
    } else if (c == '}') {
      AddElement(RightBrace, 0, false);
      return skipLine();
    } else if (IsNameStart(static_cast<uint8_t>(c)) && words < 3) {
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
    Scan.TokenStart = Scan.ScanPos;  // the text starts after the opening quote
    if (src[Scan.ScanPos] == '"') RaiseScanError(1, ErrExpectedCharacters);
    for (;;) {
      const uint8_t c = static_cast<uint8_t>(src[Scan.ScanPos]);
      if (!(IsFileNameChar(c) || c == ' ' || c == ',' || c == '{' || c == '}')) break;
      ++Scan.ScanPos;
    }
    if (src[Scan.ScanPos] != '"') RaiseScanError(0, ErrExpectedTerminatingQuote);
    AddElement(Text, 0, false);
    ++Scan.ScanPos;
    return;
  }
  while (IsFileNameChar(static_cast<uint8_t>(src[Scan.ScanPos]))) ++Scan.ScanPos;
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
  if (!Scan.SkipDeleted()) {
    element.Kind = EndOfStatement;
    return false;
  }
  Element read = Scan.ElementList[Scan.ElementIndex];
  if (read.Kind == Unresolved) {
    // Names declared after the point of use resolve now.
    LookupName(ElementName(read).View());
    read.Kind = LastLookup.Kind;
    read.Value = static_cast<uint16_t>(LastLookup.Value);
  }
  // One whole store: callers read the record back at once, and a store in pieces makes that
  // read wait.
  std::memcpy(&element, &read, sizeof read);
  return true;
}

bool Tokenizer::NextElement(Element& element) {
  const bool found = ReadLiveElement(element);
  if (found) ++Scan.ElementIndex;
  TokenizeResult.ErrorStart = element.Start;
  TokenizeResult.ErrorLength = element.Length;
  return found;
}

bool Tokenizer::PeekElement(Element& element) {
  return ReadLiveElement(element);
}

void Tokenizer::DeleteElements(int first, int last) {
  Scan.DeleteElements(first, last);
}

void Tokenizer::DeleteStatement(int first, int last) {
  Scan.DeleteStatement(first, last);
}

}  // namespace tok
