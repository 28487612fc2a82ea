#pragma once
// The program builder: turns the six action lists into the robot program's DATA statements
// and puts them into the program template at its marker line.

#include <string>
#include <vector>

#include "actions/ListDocument.h"
#include "actions/Message.h"

namespace builder {

inline constexpr const char* kNoMarkerMessage = "Can't find start of EEPROM data!";
// "Error! Un paso Ir a salta demasiado lejos (mas de 255 entradas)."
inline constexpr int kGoToTooFarText = 452;

struct BuildError {
  actions::UiMessage Message;
  int List = 0;  // the list and step the error is about, 0 when none
  int Step = 0;
};

struct BuildResult {
  std::vector<std::string> Lines;  // the whole program text
  bool Ok = false;
  BuildError Error;
};

struct BuildOptions {
  bool AdvancedMode = false;
  bool SensorsEnabled = false;  // the beginner's obstacle avoidance check box
};

// Robot sensor mode: 2 with the user's sets (advanced), 1 automatic avoidance, 0 off.
int SensorMode(const BuildOptions& options);

BuildResult BuildCode(const actions::ListDocument& doc, const BuildOptions& options,
                      const std::vector<std::string>& templateLines);

}  // namespace builder
