// rovalis-cli show: prints the lists of an action list file as a table.

#include <iomanip>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

#include "Command.h"
#include "actions/ActionKind.h"
#include "actions/FileFormat.h"
#include "actions/ValueRules.h"

namespace {

using actions::ActionKind;

constexpr const char* kListNames[] = {"Main Action List", "Sensor Set All", "Sensor Set 1",
                                      "Sensor Set 2",     "Sensor Set 3",   "Sensor Set 4"};
constexpr const char* kKindNames[] = {"Forward",    "Backward",    "TurnLeft",    "TurnRight",
                                      "RotateLeft", "RotateRight", "StopAndWait", "GoToStep"};
constexpr const char* kSetNames[] = {"All", "Set1", "Set2", "Set3", "Set4"};

std::string ValueText(const actions::StepRecord& step) {
  if (step.kind() == ActionKind::GoToStep) return "step " + std::to_string(step.Value);
  return actions::DisplayText(step.Value, 1, actions::NumberFormat{}, "", " s");
}

void PrintList(const actions::ListDocument& doc, int list) {
  const int n = doc.StepCount(list);
  const bool main = list == actions::kMainList;
  std::cout << "\n" << kListNames[list - 1] << " (" << n << (n == 1 ? " step" : " steps") << ")\n";
  if (n == 0) {
    std::cout << "  (empty)\n";
    return;
  }
  // Only main-list steps use their sensor sets; the other lists end at the value.
  std::cout << "  " << std::setw(4) << "Step"
            << "  " << std::left << std::setw(18) << "Kind";
  if (main)
    std::cout << std::setw(10) << "Value" << std::setw(6) << "Both" << std::setw(6) << "Left"
              << "Right";
  else
    std::cout << "Value";
  std::cout << std::right << "\n";
  for (int r = 1; r <= n; ++r) {
    const actions::StepRecord& step = doc.List(list)[r];
    std::ostringstream kind;
    kind << kKindNames[step.Kind] << " (" << actions::InfoOf(step.kind()).robotLetter << ")";
    std::cout << "  " << std::setw(4) << r << "  " << std::left << std::setw(18) << kind.str()
              << std::setw(main ? 10 : 0) << ValueText(step);
    if (main)
      std::cout << std::setw(6) << kSetNames[step.BothSet] << std::setw(6) << kSetNames[step.LeftSet]
                << kSetNames[step.RightSet];
    std::cout << std::right << "\n";
  }
}

int RunShow(const std::vector<std::string>& args) {
  if (args.size() != 1 || args[0].starts_with("-")) {
    std::cerr << "rovalis-cli show: give exactly one action list file (try --help)\n";
    return 2;
  }
  const std::string& file = args[0];
  actions::LoadResult loaded = actions::LoadDocumentFile(file, true);
  if (!loaded.ok()) {
    std::cerr << "rovalis-cli show: " << file << ": " << actions::DescribeLoadFailure(loaded) << "\n";
    return 1;
  }
  const actions::ListDocument& doc = loaded.Document;
  std::cout << "File:          " << file << "\n"
            << "Saved in:      " << (doc.Mode ? "advanced" : "beginner") << " mode\n"
            << "Servo centres: left " << int(doc.LeftServoCenter) << ", right " << int(doc.RightServoCenter)
            << "\n";
  for (int list = 1; list <= actions::kListCount; ++list) PrintList(doc, list);
  return 0;
}

const cli::CommandRegistration kShow(
    "show", "show FILE.rvl",
    "Prints the six lists of an action list file as a table (step, kind, "
    "value, sensor sets). Exit status: 0 shown, 1 the file cannot be read or "
    "is no action list, 2 wrong arguments.",
    RunShow);

}  // namespace
