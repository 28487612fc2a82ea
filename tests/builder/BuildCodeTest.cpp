#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"
#include "builder/MarkerLine.h"

using namespace actions;
using builder::BuildCode;
using builder::BuildOptions;

namespace {

const std::vector<std::string> kTemplate{
    "'{$VARDA VD2}", "'{$TESSIC 2.5}", "", "' ----- Main Action List -----", "ActionList  DATA  \"Q\"", "",
    "Start:",        "  END"};
constexpr std::size_t kMarker = 4;

struct Step {
  ActionKind kind;
  int value;
  int both = 0, left = 0, right = 0;
};

ListDocument Doc(const std::vector<Step>& main, int list = 0, const std::vector<Step>& other = {}) {
  ListDocument doc;
  auto put = [&](int l, const std::vector<Step>& steps) {
    for (std::size_t i = 0; i < steps.size(); ++i) {
      const Step& s = steps[i];
      doc.List(l)[i + 1] =
          MakeStep(s.kind, static_cast<std::int16_t>(s.value), static_cast<std::uint8_t>(s.both),
                   static_cast<std::uint8_t>(s.left), static_cast<std::uint8_t>(s.right));
    }
  };
  put(1, main);
  if (list) put(list, other);
  return doc;
}

// The generated lines: from the Configure line up to, not including, the emptied marker.
std::vector<std::string> Generated(const builder::BuildResult& result) {
  EXPECT_TRUE(result.Ok);
  std::vector<std::string> out(result.Lines.begin() + kMarker, result.Lines.end() - 4);
  return out;
}

constexpr ActionKind F = ActionKind::Forward, B = ActionKind::Backward, L = ActionKind::TurnLeft,
                     R = ActionKind::TurnRight, S = ActionKind::StopAndWait, G = ActionKind::GoToStep;

}  // namespace

TEST(BuildCode, BeginnerExampleWithSensors) {
  ListDocument doc = Doc({{F, 12}, {B, 12}, {L, 13}, {R, 13}, {S, 10}});
  builder::BuildResult result = BuildCode(doc, BuildOptions{false, true}, kTemplate);
  const std::vector<std::string> expected{
      "Configure\tDATA\t@0,1,0,100,100,WORD 25,WORD 26,WORD 27,WORD 28,WORD 29",
      "",
      "' ----- Main Action List -----",
      "ActionList\tDATA\t\"F\",12   ,\"B\",12   ,\"L\",13   ,\"R\",13   ",
      "\t\tDATA \t\"S\",10   ,\"Q\"",
      "",
      "' ----- Sensor Set All -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 1 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 2 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 3 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 4 -----",
      "\t\tDATA \t\"Q\"",
  };
  EXPECT_EQ(Generated(result), expected);
  // The template around the marker stays; the marker line itself is emptied.
  EXPECT_EQ(std::vector<std::string>(result.Lines.begin(), result.Lines.begin() + kMarker),
            std::vector<std::string>(kTemplate.begin(), kTemplate.begin() + kMarker));
  EXPECT_EQ(std::vector<std::string>(result.Lines.end() - 4, result.Lines.end()),
            (std::vector<std::string>{"", "", "Start:", "  END"}));
}

TEST(BuildCode, ConfigureLineAndMainListShapes) {
  struct Case {
    const char* name;
    ListDocument doc;
    BuildOptions options;
    std::string configure;
    std::vector<std::string> mainLines;
  };
  ListDocument centres = Doc({});
  centres.LeftServoCenter = 0;
  centres.RightServoCenter = 255;
  const Case cases[] = {
      {"all empty",
       Doc({}),
       {false, false},
       "Configure\tDATA\t@0,0,0,100,100,WORD 15,WORD 16,WORD 17,WORD 18,WORD 19",
       {"ActionList\tDATA\t\"Q\""}},
      {"advanced mode",
       Doc({}),
       {true, false},
       "Configure\tDATA\t@0,2,0,100,100,WORD 15,WORD 16,WORD 17,WORD 18,WORD 19",
       {"ActionList\tDATA\t\"Q\""}},
      {"centres",
       centres,
       {false, true},
       "Configure\tDATA\t@0,1,0,0,255,WORD 15,WORD 16,WORD 17,WORD 18,WORD 19",
       {"ActionList\tDATA\t\"Q\""}},
      {"four steps",
       Doc({{F, 1}, {F, 2}, {F, 3}, {F, 255}}),
       {false, false},
       "Configure\tDATA\t@0,0,0,100,100,WORD 23,WORD 24,WORD 25,WORD 26,WORD 27",
       {"ActionList\tDATA\t\"F\",1   ,\"F\",2   ,\"F\",3   ,\"F\",255   ", "\t\tDATA \t\"Q\""}},
      {"go-to back four",
       Doc({{F, 1}, {F, 2}, {F, 3}, {F, 4}, {F, 5}, {F, 6}, {G, 3}}),
       {false, false},
       "Configure\tDATA\t@0,0,0,100,100,WORD 29,WORD 30,WORD 31,WORD 32,WORD 33",
       {"ActionList\tDATA\t\"F\",1   ,\"F\",2   ,\"F\",3   ,\"F\",4   ",
        "\t\tDATA \t\"F\",5   ,\"F\",6   ,\"G\",4   ,\"Q\""}},
      {"beginner ignores sets",
       Doc({{F, 12, 1, 2, 3}, {B, 12, 4, 4, 4}}),
       {false, true},
       "Configure\tDATA\t@0,1,0,100,100,WORD 19,WORD 20,WORD 21,WORD 22,WORD 23",
       {"ActionList\tDATA\t\"F\",12   ,\"B\",12   ,\"Q\""}},
      {"config entries where sets change",
       Doc({{F, 12, 1, 0, 2}, {B, 12, 1, 0, 2}}),
       {true, false},
       "Configure\tDATA\t@0,2,0,100,100,WORD 23,WORD 24,WORD 25,WORD 26,WORD 27",
       {"ActionList\tDATA\t\"C\",$31,\"C\",$12,\"F\",12   ,\"B\",12   ,\"Q\""}},
      {"beginner go-to keeps the step difference",
       Doc({{F, 12, 1, 1, 1}, {B, 12, 2, 2, 2}, {G, 1}}),
       {false, false},
       "Configure\tDATA\t@0,0,0,100,100,WORD 21,WORD 22,WORD 23,WORD 24,WORD 25",
       {"ActionList\tDATA\t\"F\",12   ,\"B\",12   ,\"G\",2   ,\"Q\""}},
  };
  for (const Case& c : cases) {
    auto lines = Generated(BuildCode(c.doc, c.options, kTemplate));
    ASSERT_GE(lines.size(), 3 + c.mainLines.size()) << c.name;
    EXPECT_EQ(lines[0], c.configure) << c.name;
    EXPECT_EQ(std::vector<std::string>(lines.begin() + 3, lines.begin() + 3 + c.mainLines.size()),
              c.mainLines)
        << c.name;
  }
}

// In advanced mode the robot goes back by entries, "C" entries included, and a step that a
// go-to targets restores all three of its sets.
TEST(BuildCode, AdvancedGoToCountsEntriesAndRestoresSets) {
  struct Case {
    const char* name;
    std::vector<Step> steps;
    std::string mainLine;
  };
  const Case cases[] = {
      {"target with changed sets",
       {{F, 12}, {B, 12, 1}, {L, 13, 1}, {G, 2, 1}},
       "ActionList\tDATA\t\"F\",12   ,\"C\",$31,\"C\",$20,\"C\",$10,\"B\",12   ,\"L\",13   ,\"G\",5   "},
      {"back to step one",
       {{F, 12}, {B, 12, 0, 3}, {G, 1, 0, 3}},
       "ActionList\tDATA\t\"C\",$30,\"C\",$20,\"C\",$10,\"F\",12   ,\"C\",$23,\"B\",12   ,\"G\",6   ,\"Q\""},
      {"configs of the go-to itself count",
       {{F, 12}, {G, 1, 2}},
       "ActionList\tDATA\t\"C\",$30,\"C\",$20,\"C\",$10,\"F\",12   ,\"C\",$32,\"G\",5   ,\"Q\""},
      {"to itself", {{G, 1}}, "ActionList\tDATA\t\"C\",$30,\"C\",$20,\"C\",$10,\"G\",3   ,\"Q\""},
  };
  for (const Case& c : cases) {
    auto lines = Generated(BuildCode(Doc(c.steps), BuildOptions{true, false}, kTemplate));
    EXPECT_EQ(lines[3], c.mainLine) << c.name;
  }
}

TEST(BuildCode, AdvancedAddressesCountEveryEntry) {
  auto lines = Generated(
      BuildCode(Doc({{F, 12}, {B, 12, 1}, {L, 13, 1}, {G, 2, 1}}), BuildOptions{true, false}, kTemplate));
  // 7 entries and the end byte: the first set starts at 14 + 15.
  EXPECT_EQ(lines[0], "Configure\tDATA\t@0,2,0,100,100,WORD 29,WORD 30,WORD 31,WORD 32,WORD 33");
}

TEST(BuildCode, GoToTooFarIsRefusedBeforeAnyText) {
  // Every step changes all three sets: four entries per step.
  std::vector<Step> steps;
  for (int s = 1; s <= 70; ++s) {
    int set = s % 2 ? 1 : 2;
    steps.push_back({F, 10, set, set, set});
  }
  steps.push_back({G, 7, 1, 1, 1});
  builder::BuildResult far = BuildCode(Doc(steps), BuildOptions{true, false}, kTemplate);
  EXPECT_FALSE(far.Ok);
  EXPECT_EQ(far.Error.Message.TextNumber, builder::kGoToTooFarText);
  EXPECT_EQ(far.Error.List, 1);
  EXPECT_EQ(far.Error.Step, 71);
  EXPECT_TRUE(far.Lines.empty());

  steps.back().value = 8;  // exactly 255 entries back: 63 steps of four and the go-to's three configs
  builder::BuildResult near = BuildCode(Doc(steps), BuildOptions{true, false}, kTemplate);
  ASSERT_TRUE(near.Ok);
  EXPECT_NE(
      std::find_if(near.Lines.begin(), near.Lines.end(),
                   [](const std::string& line) { return line.find("\"G\",255   ") != std::string::npos; }),
      near.Lines.end());
  // The same list in beginner mode goes back by steps and is fine.
  steps.back().value = 1;
  EXPECT_TRUE(BuildCode(Doc(steps), BuildOptions{false, false}, kTemplate).Ok);
}

TEST(BuildCode, SensorSetsHoldNoGoToAndNoConfigEntries) {
  ListDocument doc = Doc({{F, 12}}, 3, {{B, 5, 2, 2, 2}, {G, 1}, {S, 7}});
  auto lines = Generated(BuildCode(doc, BuildOptions{true, false}, kTemplate));
  EXPECT_EQ(lines[0], "Configure\tDATA\t@0,2,0,100,100,WORD 17,WORD 18,WORD 23,WORD 24,WORD 25");
  EXPECT_EQ(lines[9], "\t\tDATA \t\"B\",5   ,\"S\",7   ,\"Q\"");
}

TEST(BuildCode, OutOfRangeValuesNeverReachTheData) {
  ListDocument doc = Doc({{F, 0}, {B, 300}, {G, 9}});
  auto lines = Generated(BuildCode(doc, BuildOptions{false, false}, kTemplate));
  EXPECT_EQ(lines[3], "ActionList\tDATA\t\"F\",1   ,\"B\",255   ,\"G\",0   ,\"Q\"");
  doc.List(1)[2].Kind = 9;
  builder::BuildResult bad = BuildCode(doc, BuildOptions{false, false}, kTemplate);
  EXPECT_FALSE(bad.Ok);
  EXPECT_EQ(bad.Error.Step, 2);
}

TEST(MarkerLine, WhichLinesMarkTheData) {
  struct Case {
    const char* line;
    bool marks;
  };
  const Case cases[] = {
      {"ActionList  DATA  \"Q\"", true},
      {"actionlist DATA", true},
      {"ActionListDATA", true},
      {"\t  ActionList\tDATA \"Q\"", true},  // indented
      {"ActionList", true},                  // no DATA at all
      {"ActionList: DATA", false},
      {"ActionList2 DATA", false},
      {"' ActionList DATA", false},
      {"Configure DATA", false},
      {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(builder::IsMarkerLine(c.line), c.marks) << c.line;
}

TEST(MarkerLine, MissingMarkerIsAnError) {
  struct Case {
    std::vector<std::string> lines;
    bool ok;
  };
  const Case cases[] = {
      {{}, false},
      {{"'{$VARDA VD2}", "Start:", "  END"}, false},
      {{"ActionListPtr DATA 0", "ActionList DATA \"Q\""}, true},  // the first line that marks counts
  };
  for (const Case& c : cases) {
    builder::BuildResult result = BuildCode(ListDocument{}, BuildOptions{}, c.lines);
    EXPECT_EQ(result.Ok, c.ok);
    if (!c.ok) {
      EXPECT_EQ(result.Error.Message.Literal, "Can't find start of EEPROM data!");
    }
  }
}

TEST(MarkerLine, SplitLines) {
  EXPECT_EQ(builder::SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(builder::SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_TRUE(builder::SplitLines("").empty());
}
