#pragma once
// The robot data of one list as 2-byte entries (letter, value), step by step. Every entry
// counts one for the robot's go-to, configuration entries included.

#include <optional>
#include <vector>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"

namespace builder {

// A "C" entry: column code (3 both, 2 left only, 1 right only) and the set for it.
struct ConfigEntry {
  int Column;
  int Set;
};

struct StepEntries {
  std::vector<ConfigEntry> Configs;  // written before the step's own entry
  char Letter;
  int Value;
};

struct EncodedList {
  std::vector<StepEntries> Steps;
  int EntryCount = 0;  // "C" entries and step entries; the end byte "Q" not included
};

// Encodes list `list`. In advanced mode the main list gets "C" entries where a step's sets
// differ from the step before, and for all three columns at every step a go-to targets, so
// a jump back restores that step's sets. A go-to's value is then the number of entries back
// to the target's first entry (more than 255 is an error); in beginner mode it is the step
// difference. Go-to steps are left out of the sensor sets, whose reader has no go-to.
std::optional<BuildError> EncodeList(const actions::ListDocument& doc, int list, bool advancedMode,
                                     EncodedList& out);

}  // namespace builder
