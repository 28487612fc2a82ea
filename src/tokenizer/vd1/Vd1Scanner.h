#pragma once
// The VD1 scanner reads the source one element at a time, so that each pass sees the names
// as the symbol table holds them at that moment (a label used before its line is undefined in
// the first pass and defined in the second).

#include <cstdint>
#include <string>
#include <string_view>

#include "tokenizer/vd1/Vd1Kinds.h"
#include "tokenizer/vd1/Vd1Symbols.h"

namespace tok::vd1 {

constexpr char LineEndMarker = 3;

struct Token {
  Kind kind = KEndOfLine;
  uint16_t value = 0;
  int start = 0;
  int length = 0;
  bool quoted = false;       // a character of a quoted text, or the comma between two of them
  bool endOfSource = false;  // the end of the text (kind KEndOfLine)
};

class Scanner {
 public:
  // Control characters other than TAB become the line-end marker, as the first scan does.
  Scanner(const char* source, int length, const UserSymbols& symbols);

  void Rewind();
  // The next element; sets the error position to it. Scan errors are thrown as Failure with
  // the position on the offending text.
  Token Next();
  // The next element without consuming it; the error position is kept.
  Token Peek();
  // Skips the rest of the line (REM), leaving the line end to be read.
  void SkipToLineEnd();

  std::string_view TextOf(const Token& token) const;
  std::string UpperName(const Token& token) const;

  int ErrorStart() const { return errorStart_; }
  int ErrorLength() const { return errorLength_; }

 private:
  Token Scan();
  Token ScanQuoted();
  Token ScanNumber(int start, int base);
  Token ScanName(int start);
  Token ScanOperator(int start);
  Token Make(Kind kind, uint16_t value, int start, int length);
  [[noreturn]] void Fail(Error error, int start, int length);
  char At(int position) const { return position < size_ ? text_[position] : LineEndMarker; }

  std::string text_;
  int size_ = 0;
  const UserSymbols& symbols_;
  int position_ = 0;
  bool inQuotes_ = false;
  bool commaPending_ = false;
  int errorStart_ = 0;
  int errorLength_ = 0;
};

}  // namespace tok::vd1
