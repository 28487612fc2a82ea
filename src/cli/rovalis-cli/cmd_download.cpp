// rovalis-cli download: compiles a Tessic source file and downloads it to the robot.

#include <QFile>

#include <iostream>

#include "Command.h"
#include "ModuleOptions.h"
#include "app/core/ProgramText.h"

namespace {

int RunDownload(const std::vector<std::string>& args) {
  cli::ModuleOptions options;
  if (!cli::ParseModuleOptions("download", args, options)) return 2;
  if (options.Rest.size() != 1 || options.Rest[0].starts_with("-")) {
    std::cerr << "rovalis-cli download: give one program file (try --help)\n";
    return 2;
  }
  QFile file(QString::fromStdString(options.Rest[0]));
  if (!file.open(QIODevice::ReadOnly)) {
    std::cerr << "rovalis-cli download: " << options.Rest[0] << ": " << file.errorString().toStdString() << "\n";
    return 1;
  }
  return cli::CompileAndDownload("download", options, app::SplitProgramLines(file.readAll()));
}

const cli::CommandRegistration kDownload(
    "download", "download PROGRAM [--port NAME]... [--virtual-robot]",
    "Compiles a Tessic program file and downloads it to the robot found on the serial ports "
    "(exit status 0 only when every packet was acknowledged).",
    RunDownload);

}  // namespace
