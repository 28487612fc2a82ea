#pragma once
// The tessic command line: options and output steps register themselves in tables, so a new
// option (and what it writes after a good compilation) is one new file, not a change to main().

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace tok {
class Tokenizer;
}

namespace cli::tessic {

struct Options {
  std::string File;
  bool DirectivesOnly = false;
  uint8_t PresetTarget = 0;  // module number given by --target, 0 = read the source's $VARDA
  bool AnyVersion = false;
  std::map<std::string, std::string> Values;  // options of other files: name -> argument ("" for flags)
};

struct OptionSpec {
  std::string Name;      // "--hex"
  std::string Argument;  // "FILE", or empty for a flag
  std::string Help;
  // Stores the option; returns an error message, or an empty string when the value is good.
  std::function<std::string(Options&, const std::string& value)> Apply;
};

std::vector<OptionSpec>& OptionTable();

struct OptionRegistration {
  explicit OptionRegistration(OptionSpec spec) { OptionTable().push_back(std::move(spec)); }
};

// Runs after a compilation (or directive read) that succeeded, in ascending Order; a non-zero
// result becomes the exit status.
struct OutputStep {
  int Order = 0;
  std::string Name;
  std::function<int(const Options&, tok::Tokenizer&)> Run;
};

std::vector<OutputStep>& OutputSteps();

struct OutputRegistration {
  explicit OutputRegistration(OutputStep step) { OutputSteps().push_back(std::move(step)); }
};

// "VD2" -> 2; 0 when the name is no module.
uint8_t ModuleNumber(const std::string& name);
const char* ModuleText(int module);  // "none", "VD1" ... "VD2PE"

}  // namespace cli::tessic
