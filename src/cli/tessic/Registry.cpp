#include <algorithm>
#include <cctype>

#include "Tessic.h"

namespace cli::tessic {

std::vector<OptionSpec>& OptionTable() {
  static std::vector<OptionSpec> table;
  return table;
}

std::vector<OutputStep>& OutputSteps() {
  static std::vector<OutputStep> steps;
  return steps;
}

namespace {
constexpr const char* ModuleNames[7] = {"none", "VD1", "VD2", "VD2E", "VD2SX", "VD2P", "VD2PE"};
}

uint8_t ModuleNumber(const std::string& name) {
  std::string upper = name;
  std::transform(upper.begin(), upper.end(), upper.begin(), [](unsigned char c) { return std::toupper(c); });
  for (uint8_t i = 1; i < 7; ++i)
    if (upper == ModuleNames[i]) return i;
  return 0;
}

const char* ModuleText(int module) { return module >= 0 && module < 7 ? ModuleNames[module] : "unknown"; }

}  // namespace cli::tessic
