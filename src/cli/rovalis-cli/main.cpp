// rovalis-cli: builds, shows, compiles and downloads action lists without the GUI.

#include <QCoreApplication>

#include <algorithm>
#include <iostream>

#include "Command.h"
#include "app/core/Language.h"

namespace cli {
std::vector<Command>& Commands() {
  static std::vector<Command> commands;
  return commands;
}
}  // namespace cli

static void PrintHelp() {
  auto commands = cli::Commands();
  std::sort(commands.begin(), commands.end(),
            [](const cli::Command& a, const cli::Command& b) { return a.name < b.name; });
  std::cout << "usage: rovalis-cli COMMAND [ARGS...]\n\ncommands:\n";
  for (const auto& c : commands) std::cout << "  rovalis-cli " << c.usage << "\n      " << c.summary << "\n";
  std::cout << "\noptions for every command:\n  --lang es|en\n      " << app::kLanguageOptionHelp << "\n";
  std::cout << "\nrovalis-cli COMMAND --help shows the help of one command.\n";
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<app::Language> language;
  if (const std::string error = app::TakeLanguageOption(args, language); !error.empty()) {
    std::cerr << "rovalis-cli: " << error << "\n";
    return 2;
  }
  app::StartLanguage(language);
  if (args.empty() || args[0] == "--help" || args[0] == "-h" || args[0] == "help") {
    PrintHelp();
    return args.empty() ? 2 : 0;
  }
  for (const auto& c : cli::Commands()) {
    if (c.name == args[0]) {
      std::vector<std::string> rest(args.begin() + 1, args.end());
      if (std::find(rest.begin(), rest.end(), "--help") != rest.end()) {
        std::cout << "usage: rovalis-cli " << c.usage << "\n" << c.summary << "\n";
        return 0;
      }
      return c.run(rest);
    }
  }
  std::cerr << "rovalis-cli: unknown command '" << args[0] << "' (try --help)\n";
  return 2;
}
