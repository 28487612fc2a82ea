// The module's operators on unsigned 16-bit values, and the number formats of its item lists.

#include <cmath>

#include "sim/vm/Machine.h"

namespace sim::vm {

namespace {

uint16_t IntegerSquareRoot(uint32_t x) {
  uint32_t root = 0;
  while ((root + 1) * (root + 1) <= x) ++root;
  return static_cast<uint16_t>(root);
}

int SignedLowByte(uint16_t x) { return static_cast<int8_t>(x & 0xFF); }

// 127 * sin of a binary-radian angle (256 = full circle), as a two's-complement value.
uint16_t ScaledSine(uint16_t x, bool cosine) {
  const double angle = (x & 0xFF) * (2.0 * M_PI / 256.0);
  const double v = 127.0 * (cosine ? std::cos(angle) : std::sin(angle));
  return static_cast<uint16_t>(static_cast<int>(std::lround(v)));
}

}  // namespace

uint16_t ApplyUnary(int code, uint16_t x) {
  switch (code) {
    case 0: return IntegerSquareRoot(x);
    case 1: return (x & 0x8000) ? static_cast<uint16_t>(-x) : x;
    case 2: return static_cast<uint16_t>(~x);
    case 3: return static_cast<uint16_t>(-x);
    case 4: return static_cast<uint16_t>(1u << (x & 15));
    case 5: {
      int n = 0;
      while (n < 16 && (x >> n) != 0) ++n;
      return static_cast<uint16_t>(n);
    }
    case 6: return ScaledSine(x, true);
    default: return ScaledSine(x, false);
  }
}

uint16_t ApplyBinary(int code, uint16_t x, uint16_t y) {
  const uint32_t product = static_cast<uint32_t>(x) * y;
  switch (code) {
    case 8: {  // HYP: length of the vector of the two low bytes taken as signed
      const int a = SignedLowByte(x), b = SignedLowByte(y);
      return IntegerSquareRoot(static_cast<uint32_t>(a * a + b * b));
    }
    case 9: {  // ATN: angle of that vector in binary radians
      const int a = SignedLowByte(x), b = SignedLowByte(y);
      if (a == 0 && b == 0) return 0;
      double brads = std::atan2(b, a) * 128.0 / M_PI;
      if (brads < 0) brads += 256.0;
      return static_cast<uint16_t>(static_cast<int>(std::lround(brads)) & 0xFF);
    }
    case 10: return x & y;
    case 11: return x | y;
    case 12: return x ^ y;
    case 13: return x > y ? x : y;  // MIN: limited from below
    case 14: return x < y ? x : y;  // MAX: limited from above
    case 15: return static_cast<uint16_t>(x + y);
    case 16: return static_cast<uint16_t>(x - y);
    case 17: return static_cast<uint16_t>(product >> 8);
    case 18: return static_cast<uint16_t>(product);
    case 19: return static_cast<uint16_t>(product >> 16);
    case 20: return y == 0 ? x : static_cast<uint16_t>(x % y);
    case 21: return y == 0 ? 0xFFFF : static_cast<uint16_t>(x / y);
    case 22: {  // DIG: the y-th decimal digit from the right
      uint16_t v = x;
      for (int i = 0; i < y && v; ++i) v /= 10;
      return static_cast<uint16_t>(v % 10);
    }
    case 23: return y >= 16 ? 0 : static_cast<uint16_t>(x << y);
    case 24: return y >= 16 ? 0 : static_cast<uint16_t>(x >> y);
    case 25: {  // REV: the low y bits reversed
      const int n = y > 16 ? 16 : y;
      uint16_t r = 0;
      for (int i = 0; i < n; ++i)
        if (x & (1u << i)) r = static_cast<uint16_t>(r | (1u << (n - 1 - i)));
      return r;
    }
    case 26: return x >= y ? 0xFFFF : 0;
    case 27: return x <= y ? 0xFFFF : 0;
    case 28: return x == y ? 0xFFFF : 0;
    case 29: return x != y ? 0xFFFF : 0;
    case 30: return x > y ? 0xFFFF : 0;
    default: return x < y ? 0xFFFF : 0;
  }
}

uint16_t NextRandom(uint16_t x) { return static_cast<uint16_t>(x * 25173u + 13849u); }

int64_t BitTimeUs(uint16_t baudMode) { return (baudMode & 0x1FFF) + 20; }

std::string FormatNumber(uint16_t format, uint16_t value) {
  const int radixCode = format & 15;
  const int radix = radixCode == 0 ? 16 : radixCode == 14 ? 2 : 10;
  const int digits = 16 - ((format >> 4) & 15);
  const bool fixed = format & 512, isSigned = format & 1024, indicated = format & 2048;
  std::string out;
  uint16_t magnitude = value;
  if (isSigned && (value & 0x8000)) {
    out += '-';
    magnitude = static_cast<uint16_t>(-value);
  }
  if (indicated) out += radix == 16 ? "$" : radix == 2 ? "%" : "";
  std::string body;
  uint32_t v = magnitude;
  do {
    body.insert(body.begin(), "0123456789ABCDEF"[v % radix]);
    v /= radix;
  } while (v != 0);
  if (fixed) {
    if (static_cast<int>(body.size()) > digits) body = body.substr(body.size() - digits);
    while (static_cast<int>(body.size()) < digits) body.insert(body.begin(), '0');
  }
  return out + body;
}

}  // namespace sim::vm
