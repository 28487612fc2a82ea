#pragma once
// rovalis-cli is a set of sub-commands; each lives in its own file and registers itself
// with a static CommandRegistration, so adding a command never touches main().

#include <functional>
#include <string>
#include <vector>

namespace cli {

using CommandFunction = std::function<int(const std::vector<std::string>& args)>;

struct Command {
  std::string name;
  std::string usage;    // one line, e.g. "build FILE.rvl [--sensors] [--compile]"
  std::string summary;  // one line description for --help
  CommandFunction run;
};

std::vector<Command>& Commands();

struct CommandRegistration {
  CommandRegistration(std::string name, std::string usage, std::string summary, CommandFunction run) {
    Commands().push_back({std::move(name), std::move(usage), std::move(summary), std::move(run)});
  }
};

}  // namespace cli
