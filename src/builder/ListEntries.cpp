#include "builder/ListEntries.h"

#include <array>

#include "actions/ActionKind.h"
#include "actions/FileFormat.h"
#include "actions/ValueRules.h"

namespace builder {

using actions::ActionKind;
using actions::StepRecord;

namespace {

constexpr int kMaxGoBack = 255;

struct Column {
  int Code;
  actions::SensorSetIndex StepRecord::*Set;
};
// The order in which a step's configuration entries are written.
constexpr std::array<Column, 3> kColumns{
    {{3, &StepRecord::BothSet}, {2, &StepRecord::LeftSet}, {1, &StepRecord::RightSet}}};

BuildError ErrorAt(actions::UiMessage message, int list, int step) {
  return BuildError{std::move(message), list, step};
}

bool Proper(const StepRecord& r) {
  return actions::IsValidKind(r.Kind) && r.BothSet < actions::kSensorSetCount &&
         r.LeftSet < actions::kSensorSetCount && r.RightSet < actions::kSensorSetCount;
}

}  // namespace

std::optional<BuildError> EncodeList(const actions::ListDocument& doc, int list, bool advancedMode,
                                     EncodedList& out) {
  out = EncodedList{};
  const actions::StepList& records = doc.List(list);
  const int n = doc.StepCount(list);
  const bool isMain = list == actions::kMainList;
  const bool withConfigs = isMain && advancedMode;

  // Go-to targets, limited to 1..own step as the step's value editor limits them.
  std::array<int, actions::kRecordsPerList> target{};
  std::array<bool, actions::kRecordsPerList> targeted{};
  for (int s = 1; s <= n; ++s) {
    if (!Proper(records[s]))
      return ErrorAt(actions::UiMessage::Plain(actions::kNotProperFormatMessage), list, s);
    if (records[s].kind() != ActionKind::GoToStep) continue;
    target[s] = actions::ClampToLimits(ActionKind::GoToStep, s, records[s].Value);
    targeted[target[s]] = true;
  }

  std::array<int, actions::kRecordsPerList> firstEntry{};  // entry index where step s begins
  std::array<int, actions::kRecordsPerList> ownEntry{};    // entry index of step s's letter
  for (int s = 1; s <= n; ++s) {
    const StepRecord& r = records[s];
    if (!isMain && r.kind() == ActionKind::GoToStep) continue;
    StepEntries step;
    firstEntry[s] = out.EntryCount;
    if (withConfigs) {
      const StepRecord& previous = records[s - 1];
      for (const Column& column : kColumns)
        if (targeted[s] || r.*column.Set != previous.*column.Set)
          step.Configs.push_back({column.Code, r.*column.Set});
    }
    out.EntryCount += static_cast<int>(step.Configs.size());
    ownEntry[s] = out.EntryCount++;
    step.Letter = actions::InfoOf(r.kind()).robotLetter;
    if (r.kind() == ActionKind::GoToStep) {
      step.Value = withConfigs ? ownEntry[s] - firstEntry[target[s]] : s - target[s];
      if (step.Value > kMaxGoBack) return ErrorAt(actions::UiMessage::Text(kGoToTooFarText), list, s);
    } else {
      step.Value = actions::ClampToLimits(r.kind(), s, r.Value);
    }
    out.Steps.push_back(std::move(step));
  }
  return std::nullopt;
}

}  // namespace builder
