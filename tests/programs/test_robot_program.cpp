// The robot program built for many documents: it must compile with the real tokenizer, and
// the data it reads must be exactly the document, where the Configure line puts it.

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "ProgramHarness.h"
#include "RobotData.h"

namespace programs_test {
namespace {

using actions::ActionKind;
using actions::ListDocument;
using actions::MakeStep;

constexpr ActionKind kMoves[] = {ActionKind::Forward,    ActionKind::Backward,   ActionKind::TurnLeft,
                                 ActionKind::TurnRight,  ActionKind::RotateLeft, ActionKind::RotateRight,
                                 ActionKind::StopAndWait};

void Append(ListDocument& doc, int list, actions::StepRecord step) {
  const int n = doc.StepCount(list);
  doc.List(list)[n + 1] = step;
}

// `steps` main-list steps of every moving kind with values across 1..255, and a go-to back
// to step 1 as the last step.
ListDocument BeginnerList(int steps) {
  ListDocument doc;
  for (int s = 1; s < steps; ++s)
    Append(doc, 1, MakeStep(kMoves[s % 7], static_cast<std::int16_t>(1 + (s * 37) % 255)));
  if (steps > 0) Append(doc, 1, MakeStep(ActionKind::GoToStep, 1));
  return doc;
}

// Advanced: every set filled, sets changing in every column, go-tos across configured steps.
ListDocument AdvancedMix(int mainSteps, int setSteps) {
  ListDocument doc;
  for (int s = 1; s <= mainSteps; ++s) {
    const auto both = static_cast<actions::SensorSetIndex>(s % 5);
    const auto left = static_cast<actions::SensorSetIndex>((s / 2) % 5);
    const auto right = static_cast<actions::SensorSetIndex>((s / 3) % 5);
    if (s % 6 == 0)
      Append(doc, 1, MakeStep(ActionKind::GoToStep, static_cast<std::int16_t>(s - 4), both, left, right));
    else
      Append(doc, 1, MakeStep(kMoves[s % 7], static_cast<std::int16_t>(s % 250 + 1), both, left, right));
  }
  for (int list = 2; list <= actions::kListCount; ++list)
    for (int s = 1; s <= setSteps; ++s)
      Append(doc, list, MakeStep(kMoves[(s + list) % 7], static_cast<std::int16_t>(s * 3 + list)));
  return doc;
}

// Every step gives all three situations a set different from the step before.
ListDocument AllColumnsChanging(int steps) {
  ListDocument doc;
  for (int s = 1; s <= steps; ++s) {
    const auto set = static_cast<actions::SensorSetIndex>(s % 2 + 1);
    Append(doc, 1, MakeStep(kMoves[s % 7], 10, set, static_cast<actions::SensorSetIndex>(3 - set), set));
  }
  return doc;
}

// `mainSteps` steps without set changes, and `setSteps` steps in each of the five sets.
ListDocument PlainMainAndSets(int mainSteps, int setSteps) {
  ListDocument doc;
  for (int s = 1; s <= mainSteps; ++s) Append(doc, 1, MakeStep(kMoves[s % 7], 10));
  for (int list = 2; list <= actions::kListCount; ++list)
    for (int s = 1; s <= setSteps; ++s) Append(doc, list, MakeStep(kMoves[s % 6], 5));
  return doc;
}

// Advanced: a go-to far back over many configuration entries, and a go-to to itself.
ListDocument FarAndSelfGoTos() {
  ListDocument doc;
  for (int s = 1; s <= 80; ++s)
    Append(doc, 1, MakeStep(kMoves[s % 7], 4, 0, static_cast<actions::SensorSetIndex>(s % 2), 0));
  Append(doc, 1, MakeStep(ActionKind::GoToStep, 1, 3, 0, 1));
  Append(doc, 1, MakeStep(ActionKind::GoToStep, 82, 4, 4, 4));
  return doc;
}

ListDocument FiveStepExample() {
  ListDocument doc;
  Append(doc, 1, MakeStep(ActionKind::Forward, 12));
  Append(doc, 1, MakeStep(ActionKind::Backward, 12));
  Append(doc, 1, MakeStep(ActionKind::TurnLeft, 13));
  Append(doc, 1, MakeStep(ActionKind::TurnRight, 13));
  Append(doc, 1, MakeStep(ActionKind::StopAndWait, 10));
  return doc;
}

ListDocument WithCentres(ListDocument doc, int left, int right) {
  doc.LeftServoCenter = static_cast<std::uint8_t>(left);
  doc.RightServoCenter = static_cast<std::uint8_t>(right);
  return doc;
}

// Bytes 0..13 as the program text's Configure line states them: four bytes, then five words.
std::vector<int> ConfigureBytes(const std::vector<std::string>& lines) {
  std::vector<int> bytes;
  for (const std::string& line : lines) {
    if (!line.starts_with("Configure\tDATA\t@0,")) continue;
    std::string rest = line.substr(line.find(',') + 1);
    for (std::size_t at = 0; at < rest.size();) {
      std::size_t end = rest.find(',', at);
      if (end == std::string::npos) end = rest.size();
      std::string item = rest.substr(at, end - at);
      const bool word = item.starts_with("WORD ");
      const int value = std::stoi(word ? item.substr(5) : item);
      bytes.push_back(value & 0xFF);
      if (word) bytes.push_back(value >> 8);
      at = end + 1;
    }
  }
  return bytes;
}

struct Case {
  const char* Name;
  std::function<ListDocument()> Make;
  builder::BuildOptions Options;
};

const Case kCases[] = {
    {"all lists empty, sensors off", [] { return ListDocument(); }, {false, false}},
    {"all lists empty, advanced", [] { return ListDocument(); }, {true, false}},
    {"example, sensors on", FiveStepExample, {false, true}},
    {"example, sensors off", FiveStepExample, {false, false}},
    {"example, centres 0 and 200", [] { return WithCentres(FiveStepExample(), 0, 200); }, {false, true}},
    {"example, centres 200 and 0", [] { return WithCentres(FiveStepExample(), 200, 0); }, {false, true}},
    {"255 beginner steps", [] { return BeginnerList(255); }, {false, true}},
    {"255 beginner steps, centres 0 and 200",
     [] { return WithCentres(BeginnerList(255), 0, 200); },
     {false, false}},
    {"advanced, 40 steps and 10 per set", [] { return AdvancedMix(40, 10); }, {true, false}},
    {"advanced, 100 steps and 20 per set", [] { return AdvancedMix(100, 20); }, {true, false}},
    {"advanced, centres 200 and 0", [] { return WithCentres(AdvancedMix(30, 5), 200, 0); }, {true, false}},
    {"advanced, far go-to and go-to to itself", FarAndSelfGoTos, {true, false}},
    {"beginner, far go-to and go-to to itself", FarAndSelfGoTos, {false, true}},
    // The capacities the README gives.
    {"advanced, 158 steps changing all three sets", [] { return AllColumnsChanging(158); }, {true, false}},
    {"advanced, 100 steps and 106 per set", [] { return PlainMainAndSets(100, 106); }, {true, false}},
    {"advanced, 255 steps and 75 per set", [] { return PlainMainAndSets(255, 75); }, {true, false}},
};

TEST(RobotProgram, CompilesAndCarriesTheDocumentWhereTheConfigureLineSays) {
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.Name);
    const ListDocument doc = c.Make();
    const BuiltProgram built = BuildAndCompile(doc, c.Options);
    ASSERT_TRUE(built.Build.Ok);
    ASSERT_TRUE(built.Result.Ok) << built.Result.Error << "\n  in: " << built.Result.ErrorLine;
    EXPECT_GT(built.Result.FreeBytes(), 0);
    const DecodedData data = DecodeRobotData(built.Result.Image);
    EXPECT_EQ(CompareWithDocument(data, doc, c.Options.AdvancedMode, builder::SensorMode(c.Options)), "");
    EXPECT_EQ(ConfigureBytes(built.Build.Lines),
              std::vector<int>(built.Result.Image.begin(), built.Result.Image.begin() + 14));
    // The data is DATA, the code is code: nothing of the lists was overwritten.
    const int lastListEnd = data.Lists[5].End;
    for (int a = 0; a <= lastListEnd; ++a) ASSERT_EQ(built.Result.Flags[a] & 3, 2) << "address " << a;
  }
}

TEST(RobotProgram, ExampleDataMatchesTheConfigureLine) {
  const BuiltProgram built = BuildAndCompile(FiveStepExample(), {false, true});
  ASSERT_TRUE(built.Result.Ok) << built.Result.Error;
  const std::vector<int> header = {1, 0, 100, 100, 25, 0, 26, 0, 27, 0, 28, 0, 29, 0};
  const std::string list =
      "F\x0c"
      "B\x0c"
      "L\x0d"
      "R\x0d"
      "S\x0a"
      "QQQQQQ";
  for (std::size_t a = 0; a < header.size(); ++a)
    EXPECT_EQ(built.Result.Image[a], header[a]) << "address " << a;
  for (std::size_t i = 0; i < list.size(); ++i)
    EXPECT_EQ(built.Result.Image[14 + i], static_cast<std::uint8_t>(list[i])) << "address " << 14 + i;
}

// Lists too long for the module are refused by the tokenizer with its error, never compiled
// into a damaged image: data that reaches the code collides with it, data past the last
// address is out of range.
TEST(RobotProgram, OversizedListsFailWithTheTokenizersError) {
  const struct {
    const char* Name;
    std::function<ListDocument()> Make;
    const char* Error;
  } cases[] = {
      {"200 steps changing all three sets", [] { return AllColumnsChanging(200); },
       "124-Data occupies same location as program"},
      {"full main list and full sets", [] { return AdvancedMix(255, 255); }, "114-Location is out of range"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.Name);
    const BuiltProgram built = BuildAndCompile(c.Make(), {true, false});
    ASSERT_TRUE(built.Build.Ok);
    EXPECT_FALSE(built.Result.Ok);
    EXPECT_EQ(built.Result.Error, c.Error);
  }
}

// The checker itself: a document that differs from the one built is caught.
TEST(RobotProgram, ComparisonCatchesEveryKindOfDifference) {
  const ListDocument built = AdvancedMix(24, 3);
  const BuiltProgram program = BuildAndCompile(built, {true, false});
  ASSERT_TRUE(program.Result.Ok) << program.Result.Error;
  const DecodedData data = DecodeRobotData(program.Result.Image);
  ASSERT_EQ(CompareWithDocument(data, built, true, 2), "");

  const struct {
    const char* Name;
    std::function<void(ListDocument&)> Change;
  } changes[] = {
      {"a value", [](ListDocument& d) { d.List(1)[3].Value += 1; }},
      {"a kind", [](ListDocument& d) { d.List(1)[4].Kind = 5; }},
      {"a go-to target", [](ListDocument& d) { d.List(1)[12].Value -= 1; }},
      {"a set column", [](ListDocument& d) { d.List(1)[7].LeftSet = (d.List(1)[7].LeftSet + 1) % 5; }},
      {"a set step", [](ListDocument& d) { d.List(4)[2].Value += 1; }},
      {"a step more", [](ListDocument& d) { Append(d, 1, MakeStep(ActionKind::Forward, 3)); }},
      {"a centre", [](ListDocument& d) { d.RightServoCenter = 99; }},
  };
  for (const auto& c : changes) {
    SCOPED_TRACE(c.Name);
    ListDocument other = built;
    c.Change(other);
    EXPECT_NE(CompareWithDocument(data, other, true, 2), "");
  }
  EXPECT_NE(CompareWithDocument(data, built, true, 1), "") << "the sensor mode";
}

TEST(RobotProgram, UsesAtMostTheModulesVariableSpace) {
  const BuiltProgram built = BuildAndCompile(ListDocument(), {false, false});
  ASSERT_TRUE(built.Result.Ok) << built.Result.Error;
  EXPECT_LE(built.Result.VariableBits(), 208);
}

}  // namespace
}  // namespace programs_test
