#pragma once
// How a step's value is limited, shown, typed and parsed in its value editor.

#include <cstdint>
#include <string>
#include <string_view>

#include "actions/StepRecord.h"

namespace actions {

inline constexpr int kSecondsSuffixText = 374;  // " seg"
inline constexpr int kStepPrefixText = 375;     // "paso "

// The user's number format; "." and "-" when the locale gives nothing.
struct NumberFormat {
  char32_t DecimalSeparator = U'.';
  char32_t NegativeSign = U'-';
};

// The editor settings for a step of a kind at a row (1-based step number).
struct SlotLimits {
  std::int16_t Min;
  std::int16_t Max;
  std::int16_t Increment;  // -1 for a go-to: its up arrow lowers the target number
  std::uint8_t Decimals;
  int PrefixText;  // text number, 0 for none
  int SuffixText;  // text number, 0 for none
};

// Durations 1..255 tenths with one decimal and the seconds suffix; a go-to target
// 1..its own row, no decimals, the step prefix.
SlotLimits LimitsFor(ActionKind kind, int row);

// The value a step slot stores back when it shows the step: limited to its kind and row.
std::int16_t ClampToLimits(ActionKind kind, int row, int value);

// Prefix, sign, integer part, separator and zero-padded fraction, suffix.
std::string DisplayText(int position, int decimals, const NumberFormat& format, std::string_view prefix = {},
                        std::string_view suffix = {});

// Whether `ch` separates the integer part from the fraction. Comma and point both do,
// whatever the locale says, so that "1,5" and "1.5" are both one and a half; the locale's own
// separator (if it is another character) does too.
bool IsDecimalSeparator(char32_t ch, const NumberFormat& format);

// Whether a typed character reaches the edit box: digits, Backspace, Enter, a decimal
// separator, and the negative sign only where negative numbers are allowed.
bool FilterKey(char32_t ch, int min, const NumberFormat& format);

// Reads the typed text as a scaled integer with `decimals` places, limited to min..max.
// Scanning stops at the first character that is neither digit, a decimal separator nor (when min < 0)
// the negative sign; digits beyond the last decimal place are ignored.
std::int16_t ParseText(std::string_view text, int decimals, int min, int max, const NumberFormat& format);

}  // namespace actions
