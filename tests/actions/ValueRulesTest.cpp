#include <gtest/gtest.h>

#include "actions/SpinValue.h"
#include "actions/StepSlots.h"
#include "actions/ValueRules.h"

using namespace actions;

namespace {
const NumberFormat kDot{U'.', U'-'};
const NumberFormat kComma{U',', U'\u2212'};  // a locale with a comma and a real minus sign
}  // namespace

TEST(ValueRules, LimitsPerKindAndRow) {
  struct Case {
    ActionKind kind;
    int row;
    SlotLimits expected;
  };
  const Case cases[] = {
      {ActionKind::Forward, 1, {1, 255, 1, 1, 0, 374}},
      {ActionKind::StopAndWait, 200, {1, 255, 1, 1, 0, 374}},
      {ActionKind::GoToStep, 5, {1, 5, -1, 0, 375, 0}},
      {ActionKind::GoToStep, 1, {1, 1, -1, 0, 375, 0}},
      {ActionKind::GoToStep, 255, {1, 255, -1, 0, 375, 0}},
  };
  for (const Case& c : cases) {
    SlotLimits got = LimitsFor(c.kind, c.row);
    EXPECT_EQ(got.Min, c.expected.Min) << c.row;
    EXPECT_EQ(got.Max, c.expected.Max) << c.row;
    EXPECT_EQ(got.Increment, c.expected.Increment) << c.row;
    EXPECT_EQ(got.Decimals, c.expected.Decimals) << c.row;
    EXPECT_EQ(got.PrefixText, c.expected.PrefixText) << c.row;
    EXPECT_EQ(got.SuffixText, c.expected.SuffixText) << c.row;
  }
}

TEST(ValueRules, DisplayText) {
  struct Case {
    int position;
    int decimals;
    NumberFormat format;
    const char* prefix;
    const char* suffix;
    const char* expected;
  };
  const Case cases[] = {
      {12, 1, kDot, "", " seg", "1.2 seg"},      {255, 1, kDot, "", " seg", "25.5 seg"},
      {1, 1, kDot, "", " seg", "0.1 seg"},       {30, 1, kComma, "", " seg", "3,0 seg"},
      {3, 0, kDot, "paso ", "", "paso 3"},       {-7, 2, kDot, "", "", "-0.07"},
      {-1234, 2, kComma, "", "", "\u221212,34"}, {5, 4, kDot, "", "", "0.0005"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(DisplayText(c.position, c.decimals, c.format, c.prefix, c.suffix), c.expected) << c.expected;
}

TEST(ValueRules, ParseTypedText) {
  struct Case {
    const char* text;
    int decimals, min, max;
    NumberFormat format;
    int expected;
  };
  const Case cases[] = {
      {"30", 1, 1, 255, kDot, 255},   // 30 s is above 25.5 s
      {"3", 1, 1, 255, kDot, 30},     // 3 s
      {"1.25", 1, 1, 255, kDot, 12},  // digits beyond the decimal place are ignored
      {"3.7", 0, 1, 5, kDot, 3},      // a go-to target has no decimals
      {"2,5", 1, 1, 255, kComma, 25},
      {"2.5", 1, 1, 255, kComma, 25},  // the point is a separator in a comma locale too
      {"1,5", 1, 1, 255, kDot, 15},    // and the comma in a point locale
      {"1,5", 0, 1, 9, kDot, 1},       // a go-to target ignores what follows either one
      {"1,2.7", 2, 0, 1000, kDot, 127},
      {"", 1, 1, 255, kDot, 1},
      {"abc", 1, 1, 255, kDot, 1},
      {"0", 1, 1, 255, kDot, 1},
      {"99999999999999999999", 1, 1, 255, kDot, 255},  // no overflow into a small number
      {"-5", 0, -10, 10, kDot, -5},
      {"5-", 0, -10, 10, kDot, -5},  // the sign anywhere makes it negative
      {"-5", 0, 1, 10, kDot, 1},     // no sign where negatives are not allowed
      {"\u22124,5", 1, -100, 100, kComma, -45},
      {"1..5", 2, 0, 1000, kDot, 150},  // a second separator changes nothing
      {"12 seg", 1, 1, 255, kDot, 120},
      {"\xff\xfe"
       "7",
       1, 1, 255, kDot, 1},  // malformed bytes stop the scan
  };
  for (const Case& c : cases)
    EXPECT_EQ(ParseText(c.text, c.decimals, c.min, c.max, c.format), c.expected) << c.text;
}

TEST(ValueRules, FilterKey) {
  struct Case {
    char32_t ch;
    int min;
    NumberFormat format;
    bool passes;
  };
  const Case cases[] = {
      {U'0', 1, kDot, true},  {U'9', 1, kDot, true},         {8, 1, kDot, true},      {13, 1, kDot, true},
      {U'.', 1, kDot, true},  {U',', 1, kDot, true},         {U',', 1, kComma, true}, {U'-', 1, kDot, false},
      {U'-', -1, kDot, true}, {U'a', -1, kDot, false},       {U' ', 1, kDot, false},  {U'.', 1, kComma, true},
      {U';', 1, kDot, false}, {U'\u2212', -1, kComma, true},
  };
  for (const Case& c : cases) EXPECT_EQ(FilterKey(c.ch, c.min, c.format), c.passes) << static_cast<int>(c.ch);
}

TEST(SpinValue, ArrowsAccelerateAfterThresholdAndResetOnRelease) {
  StepRecord step = MakeStep(ActionKind::Forward, 1);
  SpinValue editor(kDot);
  editor.SetLimit(SpinValue::kAccelThreshold, 15);
  editor.SetFormat(SpinValue::kAccelFactor, 2);
  ShowStepInEditor(editor, step, 1, "paso ", " seg");
  std::vector<int> seen;
  for (int i = 0; i < 26; ++i) {
    editor.StepClicked(true);
    seen.push_back(editor.Position());
  }
  // By 1 for the first 15 units, then by 2, then by 4.
  const std::vector<int> expected{2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                  15, 16, 17, 19, 21, 23, 25, 27, 29, 31, 33, 37, 41};
  EXPECT_EQ(seen, expected);
  EXPECT_EQ(step.Value, 41);
  EXPECT_EQ(editor.Text(), "4.1 seg");
  editor.StepReleased();
  editor.StepClicked(false);
  EXPECT_EQ(editor.Position(), 40);
}

TEST(SpinValue, GoToArrowsCountDownAndStopAtTheLimits) {
  StepRecord step = MakeStep(ActionKind::GoToStep, 1);
  SpinValue editor(kDot);
  ShowStepInEditor(editor, step, 5, "paso ", " seg");
  EXPECT_EQ(editor.Text(), "paso 1");
  editor.StepClicked(true);  // the up arrow lowers the number; already at 1
  EXPECT_EQ(step.Value, 1);
  for (int i = 0; i < 10; ++i) editor.StepClicked(false);
  EXPECT_EQ(step.Value, 5);  // its own step number, no wrap
  editor.StepClicked(true);
  EXPECT_EQ(step.Value, 4);
}

TEST(SpinValue, ShowingAStepNeverChangesAnotherStep) {
  StepRecord goTo = MakeStep(ActionKind::GoToStep, 2);
  StepRecord timed = MakeStep(ActionKind::Backward, 12);
  SpinValue editor(kDot);
  ShowStepInEditor(editor, goTo, 2, "paso ", " seg");
  ShowStepInEditor(editor, timed, 2, "paso ", " seg");  // the slot scrolled to another step
  EXPECT_EQ(goTo.Value, 2);
  EXPECT_EQ(timed.Value, 12);
  EXPECT_EQ(editor.Text(), "1.2 seg");
}

TEST(SpinValue, BindingClampsAndWritesBack) {
  StepRecord tooFar = MakeStep(ActionKind::GoToStep, 9);
  StepRecord tooLong = MakeStep(ActionKind::Forward, 400);
  SpinValue editor(kDot);
  ShowStepInEditor(editor, tooFar, 3, "paso ", " seg");
  EXPECT_EQ(tooFar.Value, 3);
  ShowStepInEditor(editor, tooLong, 3, "paso ", " seg");
  EXPECT_EQ(tooLong.Value, 255);
}

TEST(SpinValue, TypingStoresTheValueAndReportsIt) {
  StepRecord step = MakeStep(ActionKind::TurnLeft, 13);
  SpinValue editor(kComma);
  int reported = -1, before = -1;
  editor.OnValueChange = [&](std::int16_t value) {
    reported = value;
    before = editor.PreviousPosition();
  };
  ShowStepInEditor(editor, step, 4, "paso ", " seg");
  editor.EditFocused();
  EXPECT_EQ(editor.Text(), "1,3");  // the bare number, ready to be typed over
  editor.ParseText("2,45");
  EXPECT_EQ(step.Value, 24);
  EXPECT_EQ(reported, 24);
  EXPECT_EQ(before, 13);
  EXPECT_EQ(editor.Text(), "2,4 seg");
  editor.StepClicked(true);
  EXPECT_EQ(reported, 25);
  EXPECT_EQ(before, 24);
}

TEST(StepSlots, ShownSlotsFollowStepsAndScrolling) {
  struct Case {
    int list, topRow, steps, shown, firstRow;
  };
  const Case cases[] = {
      {1, 1, 3, 3, 1},                         // three steps: slots 1 to 3 shown, 4 to 7 hidden
      {1, 1, 0, 0, 1},                         // only the empty row
      {1, 1, 20, 7, 1},   {2, 1, 20, 6, 1},    // the sensor sets have six slots
      {1, 14, 20, 7, 14}, {1, 18, 20, 3, 18},  // scrolled towards the end
      {3, 0, 4, 4, 1},                         // a top row of 0 counts as 1
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ShownSlotCount(c.list, c.topRow, c.steps), c.shown) << c.list << " " << c.topRow;
    EXPECT_EQ(SlotRow(c.topRow, 1), c.firstRow);
  }
}

// An editor that writes through its owner: shown values are limited, nothing is bound, and a
// change only reaches the owner through OnValueChange.
TEST(SpinValue, UnboundEditorShowsLimitedValuesAndOnlyReports) {
  struct Case {
    ActionKind kind;
    int row;
    int value;
    int shown;
    const char* text;
  };
  const Case cases[] = {
      {ActionKind::Forward, 3, 15, 15, "1.5 seg"}, {ActionKind::Forward, 3, 400, 255, "25.5 seg"},
      {ActionKind::Backward, 3, 0, 1, "0.1 seg"},  {ActionKind::GoToStep, 3, 9, 3, "paso 3"},
      {ActionKind::GoToStep, 3, 2, 2, "paso 2"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    SpinValue editor(kDot);
    StepRecord earlier = MakeStep(ActionKind::Forward, 20);
    ShowStepInEditor(editor, earlier, 1, "paso ", " seg");  // bound before, as a slot may be
    int reported = -1;
    editor.OnValueChange = [&](std::int16_t value) { reported = value; };
    ShowValueInEditor(editor, c.kind, c.row, c.value, "paso ", " seg");
    EXPECT_EQ(editor.Bound(), nullptr);
    EXPECT_EQ(editor.Position(), c.shown);
    EXPECT_EQ(editor.Text(), c.text);
    EXPECT_EQ(reported, -1);  // showing is no change
    editor.ParseText("2");
    EXPECT_EQ(reported, c.kind == ActionKind::GoToStep ? 2 : 20);
    EXPECT_EQ(earlier.Value, 20);  // the step shown before is never written
  }
}
