#pragma once
// The robot program as Go builds it from action lists, compiled and run on the virtual robot.

#include <cmath>
#include <vector>

#include "VmTestSupport.h"
#include "actions/ListDocument.h"
#include "builder/BuildCode.h"
#include "builder/MarkerLine.h"
#include "sim/vm/RobotWorld.h"

namespace vmtest {

struct StepSpec {
  actions::ActionKind kind;
  int16_t value;
  uint8_t both = 0, left = 0, right = 0;
};

struct RobotProgram {
  std::vector<StepSpec> main;
  std::vector<std::vector<StepSpec>> sets = std::vector<std::vector<StepSpec>>(5);  // All, Set1..Set4
  bool advanced = false;
  bool sensors = false;
  uint8_t leftCentre = 100, rightCentre = 100;
};

inline Compiled BuildRobotImage(const RobotProgram& p, std::string* text = nullptr) {
  actions::ListDocument doc;
  doc.LeftServoCenter = p.leftCentre;
  doc.RightServoCenter = p.rightCentre;
  auto fill = [&doc](int list, const std::vector<StepSpec>& steps) {
    for (size_t i = 0; i < steps.size(); ++i)
      doc.List(list)[i + 1] = actions::StepRecord{static_cast<uint8_t>(steps[i].kind), steps[i].value, steps[i].both,
                                                  steps[i].left, steps[i].right};
  };
  fill(1, p.main);
  for (int s = 0; s < 5; ++s) fill(2 + s, p.sets[s]);
  const auto templateLines = builder::SplitLines(ReadFile(ROVALIS_SOURCE_DIR "/resources/programs/robot.bas"));
  const builder::BuildResult built = builder::BuildCode(doc, builder::BuildOptions{p.advanced, p.sensors}, templateLines);
  Compiled c;
  if (!built.Ok) {
    c.error = "build failed";
    return c;
  }
  std::string source;
  for (const std::string& line : built.Lines) source += line + "\r\n";
  if (text) *text = source;
  return CompileSource(source);
}

// Heading change in radians, wrapped into -pi..pi.
inline double Turned(double from, double to) { return std::remainder(to - from, 2 * M_PI); }

}  // namespace vmtest
