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
#include "app/core/Texts.h"

namespace {

using actions::ActionKind;

// The kinds by their names in the file format, the same in every language.
constexpr const char* kKindNames[] = {"Forward",    "Backward",    "TurnLeft",    "TurnRight",
                                      "RotateLeft", "RotateRight", "StopAndWait", "GoToStep"};

// Texts of the table by number in the text sets.
enum ShowText {
  kStepPrefix = 375,  // "step "
  kSetAll = 406,      // "All", then "Set1".."Set4"
  kBothColumn = 371,
  kLeftColumn = 372,
  kRightColumn = 373,
  kMainListName = 546,
  kSetAllListName = 547,
  kSetListName = 548,  // "Sensor Set %1"
  kOneStep = 549,      // "(%1 step)"
  kSteps = 550,        // "(%1 steps)"
  kEmptyList = 551,
  kStepColumn = 552,
  kKindColumn = 553,
  kValueColumn = 554,
  kFileLine = 555,     // "File: ... %1"
  kSavedInLine = 556,  // "Saved in: ... %1 mode"
  kAdvancedMode = 557,
  kBeginnerMode = 558,
  kServoLine = 559,  // left %1, right %2
};

std::string Text(int number) {
  return app::LoadText(number).toStdString();
}

std::string ListName(int list) {
  if (list == actions::kMainList) return Text(kMainListName);
  if (list == actions::kMainList + 1) return Text(kSetAllListName);
  return app::LoadText(kSetListName).arg(list - 2).toStdString();
}

std::string SetName(int set) {
  return Text(kSetAll + set);
}

std::string ValueText(const actions::StepRecord& step) {
  if (step.kind() == ActionKind::GoToStep) return Text(kStepPrefix) + std::to_string(step.Value);
  return actions::DisplayText(step.Value, 1, actions::NumberFormat{}, "", " s");
}

void PrintList(const actions::ListDocument& doc, int list) {
  const int n = doc.StepCount(list);
  const bool main = list == actions::kMainList;
  std::cout << "\n"
            << ListName(list) << " " << app::LoadText(n == 1 ? kOneStep : kSteps).arg(n).toStdString()
            << "\n";
  if (n == 0) {
    std::cout << "  " << Text(kEmptyList) << "\n";
    return;
  }
  // Only main-list steps use their sensor sets; the other lists end at the value.
  std::cout << "  " << std::setw(4) << Text(kStepColumn) << "  " << std::left << std::setw(18)
            << Text(kKindColumn);
  if (main)
    std::cout << std::setw(10) << Text(kValueColumn) << std::setw(6) << Text(kBothColumn) << std::setw(6)
              << Text(kLeftColumn) << Text(kRightColumn);
  else
    std::cout << Text(kValueColumn);
  std::cout << std::right << "\n";
  for (int r = 1; r <= n; ++r) {
    const actions::StepRecord& step = doc.List(list)[r];
    std::ostringstream kind;
    kind << kKindNames[step.Kind] << " (" << actions::InfoOf(step.kind()).robotLetter << ")";
    std::cout << "  " << std::setw(4) << r << "  " << std::left << std::setw(18) << kind.str()
              << std::setw(main ? 10 : 0) << ValueText(step);
    if (main)
      std::cout << std::setw(6) << SetName(step.BothSet) << std::setw(6) << SetName(step.LeftSet)
                << SetName(step.RightSet);
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
  std::cout
      << app::LoadText(kFileLine).arg(QString::fromStdString(file)).toStdString() << "\n"
      << app::LoadText(kSavedInLine)
             .arg(app::LoadText(doc.Mode ? kAdvancedMode : kBeginnerMode))
             .toStdString()
      << "\n"
      << app::LoadText(kServoLine).arg(int(doc.LeftServoCenter)).arg(int(doc.RightServoCenter)).toStdString()
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
