#include "tokenizer/vd1/Vd1Scanner.h"

#include "tokenizer/CharacterClasses.h"
#include "tokenizer/vd1/Vd1Keywords.h"

namespace tok::vd1 {

namespace {

constexpr int NameLimit = 32;

using chars::DigitValue;
using chars::IsNameChar;
using chars::IsNameStart;
using chars::Upper;

}  // namespace

Scanner::Scanner(const char* source, int length, const UserSymbols& symbols)
    : text_(source, static_cast<size_t>(length)), size_(length), symbols_(symbols) {
  for (char& c : text_) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 && code != '\t') c = LineEndMarker;
  }
}

void Scanner::Rewind() {
  position_ = 0;
  inQuotes_ = false;
  commaPending_ = false;
  errorStart_ = errorLength_ = 0;
}

Token Scanner::Next() {
  Token token = Scan();
  errorStart_ = token.start;
  errorLength_ = token.length;
  return token;
}

Token Scanner::Peek() {
  const int position = position_, start = errorStart_, length = errorLength_;
  const bool inQuotes = inQuotes_, commaPending = commaPending_;
  Token token = Next();
  position_ = position;
  inQuotes_ = inQuotes;
  commaPending_ = commaPending;
  errorStart_ = start;
  errorLength_ = length;
  return token;
}

void Scanner::SkipToLineEnd() {
  inQuotes_ = commaPending_ = false;
  while (position_ < size_ && text_[position_] != LineEndMarker) ++position_;
}

std::string_view Scanner::TextOf(const Token& token) const {
  return std::string_view(text_).substr(static_cast<size_t>(token.start), static_cast<size_t>(token.length));
}

std::string Scanner::UpperName(const Token& token) const {
  std::string name(TextOf(token));
  for (char& c : name) c = Upper(c);
  return name;
}

Token Scanner::Make(Kind kind, uint16_t value, int start, int length) {
  Token token;
  token.kind = kind;
  token.value = value;
  token.start = start;
  token.length = length;
  return token;
}

void Scanner::Fail(Error error, int start, int length) {
  errorStart_ = start;
  errorLength_ = length;
  throw Failure{error};
}

Token Scanner::Scan() {
  if (inQuotes_) {
    Token token = ScanQuoted();
    if (inQuotes_ || token.quoted) return token;
  }
  while (position_ < size_) {
    const int start = position_;
    const char c = text_[position_++];
    if (c == ' ' || c == '\t') continue;
    if (c == LineEndMarker) return Make(KEndOfLine, 0, start, 1);
    if (c == '\'') {  // a comment ends the line
      SkipToLineEnd();
      if (position_ < size_) ++position_;
      return Make(KEndOfLine, 0, start, 1);
    }
    if (c == '"') {
      inQuotes_ = true;
      Token token = ScanQuoted();
      if (token.quoted) return token;
      continue;  // empty quotes give no element
    }
    if (c >= '0' && c <= '9') {
      --position_;
      return ScanNumber(start, 10);
    }
    if (c == '$' || c == '%' || c == '@') {
      const int base = c == '$' ? 16 : (c == '%' ? 2 : 10);
      if (DigitValue(At(position_), base) >= 0) return ScanNumber(start, base);
      return Make(KNumberPrefix, static_cast<uint16_t>(base), start, 1);
    }
    if (IsNameStart(c)) return ScanName(start);
    return ScanOperator(start);
  }
  Token end = Make(KEndOfLine, 0, size_, 0);
  end.endOfSource = true;
  return end;
}

// Inside quotes every character is a constant, with a comma between two characters. The
// closing quote or the line end closes the text. Returns a token with `quoted` clear when
// the text closed without another element.
Token Scanner::ScanQuoted() {
  if (commaPending_) {
    commaPending_ = false;
    Token comma = Make(KComma, 0, position_, 1);
    comma.quoted = true;
    return comma;
  }
  const char c = At(position_);
  if (position_ >= size_ || c == LineEndMarker || c == '"') {
    if (c == '"') ++position_;
    inQuotes_ = false;
    return Token{};
  }
  Token token = Make(KConstant, static_cast<unsigned char>(c), position_, 1);
  token.quoted = true;
  ++position_;
  const char following = At(position_);
  commaPending_ = position_ < size_ && following != '"' && following != LineEndMarker;
  if (!commaPending_ && following == '"') {
    ++position_;
    inQuotes_ = false;
  } else if (!commaPending_) {
    inQuotes_ = false;
  }
  return token;
}

// Decimal, $hexadecimal and %binary numbers, taken modulo 65536.
Token Scanner::ScanNumber(int start, int base) {
  uint32_t value = 0;
  int digit;
  while ((digit = DigitValue(At(position_), base)) >= 0 && position_ < size_) {
    value = (value * static_cast<uint32_t>(base) + static_cast<uint32_t>(digit)) & 0xFFFFu;
    ++position_;
  }
  return Make(KConstant, static_cast<uint16_t>(value), start, position_ - start);
}

Token Scanner::ScanName(int start) {
  while (position_ < size_ && IsNameChar(text_[position_])) ++position_;
  const int length = position_ - start;
  if (length > NameLimit) Fail(Error::SymbolTooLong, start, length);
  Token token = Make(KUndefined, 0, start, length);
  const std::string name = UpperName(token);
  if (auto keyword = FindKeyword(name)) {
    token.kind = keyword->kind;
    token.value = keyword->value;
  } else if (const UserSymbol* symbol = symbols_.Find(name)) {
    token.kind = symbol->kind;
    token.value = symbol->value;
  }
  return token;
}

// Two-character operators are tried first; spaces and TABs may stand between their two
// characters ("< =" is "<=", "B0 = -5" assigns the negative).
Token Scanner::ScanOperator(int start) {
  const char first = text_[start];
  int second = position_;
  while (second < size_ && (text_[second] == ' ' || text_[second] == '\t')) ++second;
  if (second < size_) {
    const char pair[2] = {first, text_[second]};
    if (auto keyword = FindKeyword(std::string_view(pair, 2))) {
      position_ = second + 1;
      return Make(keyword->kind, keyword->value, start, position_ - start);
    }
  }
  if (auto keyword = FindKeyword(std::string_view(&first, 1)))
    return Make(keyword->kind, keyword->value, start, 1);
  Fail(Error::UnrecognizedCharacter, start, 1);
}

}  // namespace tok::vd1
