#include "actions/ValueRules.h"

#include <algorithm>
#include <cstdint>

#include "actions/Utf8.h"

namespace actions {

namespace {
std::int64_t PowerOfTen(int exponent) {
  std::int64_t p = 1;
  while (exponent-- > 0) p *= 10;
  return p;
}
}  // namespace

SlotLimits LimitsFor(ActionKind kind, int row) {
  if (kind == ActionKind::GoToStep) {
    auto max = static_cast<std::int16_t>(std::clamp(row, 1, kMaxSteps));
    return SlotLimits{1, max, -1, 0, kStepPrefixText, 0};
  }
  return SlotLimits{1, 255, 1, 1, 0, kSecondsSuffixText};
}

std::int16_t ClampToLimits(ActionKind kind, int row, int value) {
  SlotLimits limits = LimitsFor(kind, row);
  return static_cast<std::int16_t>(std::clamp<int>(value, limits.Min, limits.Max));
}

std::string DisplayText(int position, int decimals, const NumberFormat& format, std::string_view prefix,
                        std::string_view suffix) {
  decimals = std::clamp(decimals, 0, 4);
  std::string text(prefix);
  if (position < 0) AppendUtf8(text, format.NegativeSign);
  std::int64_t magnitude = position < 0 ? -static_cast<std::int64_t>(position) : position;
  std::int64_t scale = PowerOfTen(decimals);
  text += std::to_string(magnitude / scale);
  if (decimals > 0) {
    AppendUtf8(text, format.DecimalSeparator);
    std::string fraction = std::to_string(magnitude % scale);
    text.append(decimals - fraction.size(), '0');
    text += fraction;
  }
  text += suffix;
  return text;
}

bool IsDecimalSeparator(char32_t ch, const NumberFormat& format) {
  return ch == U',' || ch == U'.' || ch == format.DecimalSeparator;
}

bool FilterKey(char32_t ch, int min, const NumberFormat& format) {
  if (ch >= U'0' && ch <= U'9') return true;
  if (ch == 8 || ch == 13) return true;
  if (ch == format.NegativeSign) return min < 0;
  return IsDecimalSeparator(ch, format);
}

std::int16_t ParseText(std::string_view text, int decimals, int min, int max, const NumberFormat& format) {
  decimals = std::clamp(decimals, 0, 4);
  if (max < min) max = min;
  // Beyond this the result is clamped anyway; stopping here keeps long inputs from overflowing.
  constexpr std::int64_t kSaturation = 1'000'000'000;
  std::int64_t acc = 0;
  bool negative = false;
  bool separatorSeen = false;
  int placesLeft = decimals;
  for (char32_t ch : DecodeUtf8(text)) {
    if (ch >= U'0' && ch <= U'9') {
      if (separatorSeen) {
        if (placesLeft == 0) continue;
        --placesLeft;
      }
      acc = std::min(acc * 10 + static_cast<int>(ch - U'0'), kSaturation);
    } else if (ch == format.NegativeSign && min < 0) {
      negative = true;
    } else if (IsDecimalSeparator(ch, format)) {
      separatorSeen = true;
    } else {
      break;
    }
  }
  std::int64_t result = std::min(acc * PowerOfTen(placesLeft), kSaturation);
  if (negative) result = -result;
  return static_cast<std::int16_t>(std::clamp<std::int64_t>(result, min, max));
}

}  // namespace actions
