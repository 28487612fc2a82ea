#include <gtest/gtest.h>

#include <array>
#include <random>
#include <string>
#include <vector>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"

using namespace actions;

namespace {

struct Entry {
  char Letter;
  int Value;
};

// The main list's entries, read back from the generated DATA lines.
std::vector<Entry> MainEntries(const std::vector<std::string>& lines) {
  std::vector<Entry> entries;
  std::size_t i = 0;
  while (i < lines.size() && lines[i] != "' ----- Main Action List -----") ++i;
  for (++i; i < lines.size() && !lines[i].empty(); ++i) {
    std::string items = lines[i].substr(lines[i].rfind('\t') + 1);
    std::size_t pos = 0;
    while (pos < items.size()) {
      char letter = items[pos + 1];
      if (letter == 'Q') break;
      std::size_t valueStart = pos + 4;
      std::size_t end = items.find(',', valueStart);
      std::string value =
          items.substr(valueStart, end == std::string::npos ? std::string::npos : end - valueStart);
      entries.push_back({letter, letter == 'C' ? std::stoi(value.substr(1), nullptr, 16) : std::stoi(value)});
      pos = end == std::string::npos ? items.size() : end + 1;
    }
  }
  return entries;
}

}  // namespace

// Whatever the lists, a go-to in advanced mode lands on its target's first entry, and from
// there the robot runs the target step with exactly the sets the user gave it, whatever sets
// were active before the jump. Straight through, every step runs with its own sets.
TEST(GoToProperty, JumpsLandOnTheTargetWithItsSets) {
  std::mt19937 random(7);
  const std::vector<std::string> templ{"ActionList DATA \"Q\""};
  for (int round = 0; round < 2000; ++round) {
    ListDocument doc;
    const int n = 1 + static_cast<int>(random() % 40);
    std::array<int, 3> sets{0, 0, 0};
    for (int s = 1; s <= n; ++s) {
      if (random() % 3 == 0) sets[random() % 3] = static_cast<int>(random() % 5);
      auto kind = static_cast<ActionKind>(random() % 8);
      int value = kind == ActionKind::GoToStep ? 1 + static_cast<int>(random() % s)
                                               : 1 + static_cast<int>(random() % 255);
      doc.List(1)[s] = MakeStep(kind, static_cast<std::int16_t>(value), static_cast<std::uint8_t>(sets[0]),
                                static_cast<std::uint8_t>(sets[1]), static_cast<std::uint8_t>(sets[2]));
    }
    builder::BuildResult result = BuildCode(doc, builder::BuildOptions{true, false}, templ);
    if (!result.Ok) {
      ASSERT_EQ(result.Error.Message.TextNumber, builder::kGoToTooFarText);
      continue;
    }
    const std::vector<Entry> entries = MainEntries(result.Lines);
    std::vector<int> stepOf(entries.size());
    std::vector<int> firstEntry(n + 2, -1);
    for (int e = static_cast<int>(entries.size()) - 1, s = n; e >= 0; --e) {
      stepOf[e] = s;
      firstEntry[s] = e;
      if (e > 0 && entries[e - 1].Letter != 'C') --s;
    }
    auto runFrom = [&](int e, std::array<int, 4> state) {  // state by column code 1..3
      while (entries[e].Letter == 'C') {
        state[entries[e].Value >> 4] = entries[e].Value & 7;
        ++e;
      }
      return std::pair{e, state};
    };
    std::array<int, 4> state{};
    for (int e = 0; e < static_cast<int>(entries.size());) {
      auto [letterAt, after] = runFrom(e, state);
      state = after;
      const StepRecord& step = doc.List(1)[stepOf[letterAt]];
      ASSERT_EQ(entries[letterAt].Letter, "FBLREISG"[step.Kind]);
      ASSERT_EQ((std::array<int, 3>{state[3], state[2], state[1]}),
                (std::array<int, 3>{step.BothSet, step.LeftSet, step.RightSet}));
      if (entries[letterAt].Letter == 'G') {
        const int landing = letterAt - entries[letterAt].Value;
        ASSERT_EQ(landing, firstEntry[step.Value]) << "round " << round;
        auto [targetLetter, restored] = runFrom(landing, {9, 9, 9, 9});
        const StepRecord& target = doc.List(1)[step.Value];
        ASSERT_EQ(stepOf[targetLetter], step.Value);
        ASSERT_EQ((std::array<int, 3>{restored[3], restored[2], restored[1]}),
                  (std::array<int, 3>{target.BothSet, target.LeftSet, target.RightSet}));
      }
      e = letterAt + 1;
    }
  }
}
