#pragma once
// The character classes both scanners (the VD2 family's and the VD1 compiler's) read source
// text with. Only ASCII counts: bytes above 127 are in no class.

namespace tok::chars {

constexpr bool IsNameStart(unsigned char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}
constexpr bool IsDecimalDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}
constexpr bool IsNameChar(unsigned char c) {
  return IsNameStart(c) || IsDecimalDigit(c);
}
constexpr bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t';
}
constexpr unsigned char Upper(unsigned char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}
constexpr char Upper(char c) {
  return static_cast<char>(Upper(static_cast<unsigned char>(c)));
}
// The value of digit `c` (either case) in `base` (2, 10 or 16), or -1.
constexpr int DigitValue(unsigned char c, int base) {
  c = Upper(c);
  int digit = -1;
  if (IsDecimalDigit(c)) digit = c - '0';
  if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
  return digit < base ? digit : -1;
}

}  // namespace tok::chars
