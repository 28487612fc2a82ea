#pragma once
// What each step kind means: its text, palette tile, robot letter and starting value.

#include "actions/StepRecord.h"

namespace actions {

struct KindInfo {
  ActionKind kind;
  int textNumber;             // the kind's name, e.g. 398 "Avanzar"
  int paletteTile;            // picture slot of the palette tile
  char robotLetter;           // the command letter the robot program reads
  std::int16_t defaultValue;  // value of a newly added step
};

// Kind codes above 7 have no entry; callers check IsValidKind first.
const KindInfo& InfoOf(ActionKind kind);
bool IsValidKind(std::uint8_t kind);
// Every kind except GoToStep carries a duration in tenths of a second.
inline bool IsTimed(ActionKind kind) {
  return kind != ActionKind::GoToStep;
}

}  // namespace actions
