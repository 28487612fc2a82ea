// rovalis-cli: builds, shows, compiles and downloads action lists without the GUI.

#include <unistd.h>

#include <QCoreApplication>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>

#include "Command.h"
#include "app/core/Language.h"
#include "app/core/Texts.h"
#include "comm/TextSource.h"

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
  std::cout << "\nrovalis-cli COMMAND --help shows the help of one command.\n"
               "Files are only read (regular files; a FIFO, folder or device is refused); programs and\n"
               "tables go to standard output, errors to standard error; '-' does not mean standard input.\n"
               "exit status: 0 done, 1 failed (a message says why), 2 wrong command or arguments.\n";
}

// A table or program that could not be written (a full disk, a closed pipe) is a failure too.
static int FlushStandardOutput() {
  errno = 0;
  if (std::cout.flush() && std::fflush(stdout) == 0) return 0;
  const int error = errno ? errno : EIO;
  std::cerr << "rovalis-cli: cannot write to standard output: " << std::strerror(error) << "\n";
  return 1;
}

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  // Held until the end (up to a large report), so that a failed write is seen with its reason.
  static char outputBuffer[1 << 20];  // glibc ignores the size unless given the buffer
  if (!::isatty(STDOUT_FILENO)) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  std::vector<std::string> args(argv + 1, argv + argc);
  std::optional<app::Language> language;
  if (const std::string error = app::TakeLanguageOption(args, language); !error.empty()) {
    std::cerr << "rovalis-cli: " << error << "\n";
    return 2;
  }
  app::StartLanguage(language);
  // The serial link words its port grid and notes from the text table of the chosen language.
  comm::SetTextSource([](int number) { return app::LoadText(number); });
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
      const int status = c.run(rest);
      return status == 0 ? FlushStandardOutput() : status;
    }
  }
  std::cerr << "rovalis-cli: unknown command '" << args[0] << "' (try --help)\n";
  return 2;
}
