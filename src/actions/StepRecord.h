#pragma once
// One step of an action list and the fixed sizes of the lists.

#include <array>
#include <cstdint>

namespace actions {

// The eight step kinds, as stored in a step record's Kind byte.
enum class ActionKind : std::uint8_t {
  Forward = 0,
  Backward = 1,
  TurnLeft = 2,
  TurnRight = 3,
  RotateLeft = 4,
  RotateRight = 5,
  StopAndWait = 6,
  GoToStep = 7,
};
inline constexpr int kKindCount = 8;

// The sensor set a main-list step runs for one sensor situation: 0 = All, 1..4 = Set1..Set4.
using SensorSetIndex = std::uint8_t;
inline constexpr int kSensorSetCount = 5;
// Tab and cell texts of the sets: 406 "Todos", 407..410 "Set1".."Set4".
inline constexpr int SensorSetText(SensorSetIndex set) { return 406 + set; }

// Lists are numbered 1..6: the main list, then the sets All, Set1..Set4.
inline constexpr int kListCount = 6;
inline constexpr int kMainList = 1;
inline constexpr int kRecordsPerList = 256;  // record 0 is the sentinel
inline constexpr int kMaxSteps = 255;
inline constexpr int kStepRecordSize = 6;

// Kind, Value (signed 16-bit, little-endian), BothSet, LeftSet, RightSet; 6 bytes packed.
struct StepRecord {
  std::uint8_t Kind = 0;
  std::int16_t Value = -1;
  SensorSetIndex BothSet = 0;
  SensorSetIndex LeftSet = 0;
  SensorSetIndex RightSet = 0;

  ActionKind kind() const { return static_cast<ActionKind>(Kind); }
  bool operator==(const StepRecord&) const = default;
};

// Record 0 of every list, and what fills a saved list behind its last step.
inline constexpr StepRecord kSentinel{0, -1, 0, 0, 0};

inline StepRecord MakeStep(ActionKind kind, std::int16_t value, SensorSetIndex both = 0,
                           SensorSetIndex left = 0, SensorSetIndex right = 0) {
  return StepRecord{static_cast<std::uint8_t>(kind), value, both, left, right};
}

using StepList = std::array<StepRecord, kRecordsPerList>;

}  // namespace actions
