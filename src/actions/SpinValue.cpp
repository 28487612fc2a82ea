#include "actions/SpinValue.h"

#include <algorithm>
#include <cstdlib>

namespace actions {

void SpinValue::SetNumberFormat(const NumberFormat& format) {
  format_ = format;
  Redisplay(true);
}

void SpinValue::SetAffix(int which, std::string text) {
  (which == kPrefix ? prefix_ : suffix_) = std::move(text);
  Redisplay(true);
}

std::int16_t SpinValue::SetLimit(int which, int value) {
  auto v = static_cast<std::int16_t>(std::clamp(value, -32768, 32767));
  switch (which) {
    case kMin:
      min_ = v;
      break;
    case kMax:
      max_ = v;
      break;
    case kPosition:
      position_ = v;
      break;
    case kIncrement:
      increment_ = v;
      step_ = v;
      break;
    case kAccelThreshold:
      accelThreshold_ = v;
      break;
    default:
      break;
  }
  // The arrows keep their position inside their range.
  if (min_ <= max_) position_ = std::clamp(position_, min_, max_);
  Redisplay(true);
  return position_;
}

void SpinValue::SetFormat(int which, int value) {
  if (which == kDecimals) decimals_ = static_cast<std::uint8_t>(std::clamp(value, 0, 4));
  if (which == kAccelFactor) accelFactor_ = static_cast<std::uint8_t>(std::clamp(value, 1, 255));
  Redisplay(true);
}

void SpinValue::BindValue(std::int16_t* value) {
  bound_ = value;
  if (!bound_) return;
  position_ = min_ <= max_ ? std::clamp(*bound_, min_, max_) : *bound_;
  anchor_ = position_;
  previous_ = position_;
  Redisplay(true);
}

void SpinValue::ShowPosition(int value) {
  bound_ = nullptr;
  position_ = static_cast<std::int16_t>(min_ <= max_ ? std::clamp<int>(value, min_, max_) : value);
  anchor_ = position_;
  previous_ = position_;
  Redisplay(true);
}

const std::string& SpinValue::Redisplay(bool withAffixes) {
  if (bound_) *bound_ = position_;
  text_ =
      DisplayText(position_, decimals_, format_, withAffixes ? std::string_view(prefix_) : std::string_view(),
                  withAffixes ? std::string_view(suffix_) : std::string_view());
  return text_;
}

void SpinValue::ParseText(std::string_view typed) {
  position_ = actions::ParseText(typed, decimals_, min_, max_, format_);
  Redisplay(true);
  Notify();
}

void SpinValue::StepClicked(bool up) {
  int next = position_ + (up ? step_ : -step_);
  if (min_ <= max_) next = std::clamp(next, static_cast<int>(min_), static_cast<int>(max_));
  position_ = static_cast<std::int16_t>(next);
  Redisplay(true);
  if (std::abs(position_ - anchor_) > accelThreshold_) {
    step_ = static_cast<std::int16_t>(std::clamp(step_ * accelFactor_, -32767, 32767));
    anchor_ = position_;
  }
  Notify();
}

void SpinValue::StepReleased() {
  anchor_ = position_;
  step_ = increment_;
}

void SpinValue::Notify() {
  if (OnValueChange) OnValueChange(position_);
  previous_ = position_;
}

namespace {
void SetLimitsFor(SpinValue& editor, ActionKind kind, int row, std::string_view prefixText,
                  std::string_view suffixText) {
  SlotLimits limits = LimitsFor(kind, row);
  // Widen first so that the new range is never empty while it is being set.
  editor.SetLimit(SpinValue::kMin, -32768);
  editor.SetLimit(SpinValue::kMax, limits.Max);
  editor.SetLimit(SpinValue::kMin, limits.Min);
  editor.SetLimit(SpinValue::kIncrement, limits.Increment);
  editor.SetFormat(SpinValue::kDecimals, limits.Decimals);
  editor.SetAffix(SpinValue::kPrefix, limits.PrefixText ? std::string(prefixText) : std::string());
  editor.SetAffix(SpinValue::kSuffix, limits.SuffixText ? std::string(suffixText) : std::string());
}
}  // namespace

void ShowStepInEditor(SpinValue& editor, StepRecord& record, int row, std::string_view prefixText,
                      std::string_view suffixText) {
  editor.BindValue(nullptr);
  SetLimitsFor(editor, record.kind(), row, prefixText, suffixText);
  editor.BindValue(&record.Value);
}

void ShowValueInEditor(SpinValue& editor, ActionKind kind, int row, int value, std::string_view prefixText,
                       std::string_view suffixText) {
  editor.BindValue(nullptr);
  SetLimitsFor(editor, kind, row, prefixText, suffixText);
  editor.ShowPosition(value);
}

}  // namespace actions
