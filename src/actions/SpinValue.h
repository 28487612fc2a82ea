#pragma once
// The behaviour of a step's value editor without its widgets: the limits, the number format,
// the binding to a step's Value, typing, and the arrows with their acceleration. The GUI's
// edit box and arrows forward their events here and show Text().

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "actions/ValueRules.h"

namespace actions {

class SpinValue {
 public:
  enum Limit { kMin = 0, kMax = 1, kPosition = 2, kIncrement = 3, kAccelThreshold = 4 };
  enum Format { kDecimals = 0, kAccelFactor = 1 };
  enum Affix { kPrefix = 0, kSuffix = 1 };

  explicit SpinValue(NumberFormat format = {}) : format_(format) {}

  // Called with the new position after the user changed the value by typing or the arrows.
  std::function<void(std::int16_t)> OnValueChange;

  void SetNumberFormat(const NumberFormat& format);
  void SetAffix(int which, std::string text);
  std::int16_t SetLimit(int which, int value);
  void SetFormat(int which, int value);

  // Binds the editor to a step's value (nullptr drops the binding). The bound value is limited
  // to Min..Max and stored back, so a slot never shows or keeps an out-of-range value.
  void BindValue(std::int16_t* value);
  const std::int16_t* Bound() const { return bound_; }
  // Shows `value` (limited to Min..Max) as the position without binding anything: the
  // editor then only reports changes through OnValueChange.
  void ShowPosition(int value);

  // Stores the position through the binding and renews the text.
  const std::string& Redisplay(bool withAffixes);

  // Typing: the edit box got the focus (bare number), a key was typed, the focus left.
  void EditFocused() { Redisplay(false); }
  bool FilterKey(char32_t ch) const { return actions::FilterKey(ch, min_, format_); }
  void ParseText(std::string_view typed);

  // The arrows: one click of the up (true) or down (false) arrow, and the button released.
  void StepClicked(bool up);
  void StepReleased();

  std::int16_t Position() const { return position_; }
  // The value shown before the change being reported: the bound value, or the position of
  // the last OnValueChange. Passed to ActionLists::ValueChanged so Undo brings it back.
  std::int16_t PreviousPosition() const { return previous_; }
  std::int16_t Min() const { return min_; }
  std::int16_t Max() const { return max_; }
  std::int16_t Increment() const { return increment_; }
  std::int16_t CurrentStep() const { return step_; }
  int Decimals() const { return decimals_; }
  const std::string& Text() const { return text_; }

 private:
  void Notify();

  NumberFormat format_;
  std::string prefix_;
  std::string suffix_;
  std::int16_t min_ = 0;
  std::int16_t max_ = 100;
  std::int16_t position_ = 0;
  std::int16_t increment_ = 1;
  std::int16_t step_ = 1;  // the arrows' current step; grows with acceleration
  std::uint8_t decimals_ = 0;
  std::int16_t accelThreshold_ = 32767;
  std::uint8_t accelFactor_ = 1;
  std::int16_t anchor_ = 0;
  std::int16_t previous_ = 0;
  std::int16_t* bound_ = nullptr;
  std::string text_;
};

// Sets an editor up for the step at `row` of a list and binds it to the step's value, as a
// step slot does when it shows a step: the binding is dropped first, so changing the limits
// never writes into the step shown before.
void ShowStepInEditor(SpinValue& editor, StepRecord& record, int row, std::string_view prefixText,
                      std::string_view suffixText);

// As ShowStepInEditor, for an editor that writes through its owner instead of a binding:
// the limits of `kind` at `row` and `value` as the position; nothing is bound.
void ShowValueInEditor(SpinValue& editor, ActionKind kind, int row, int value, std::string_view prefixText,
                       std::string_view suffixText);

}  // namespace actions
