// rovalis-cli download: compiles a Tessic source file and downloads it to the robot.

#include <QByteArray>
#include <iostream>
#include <memory>

#include "Command.h"
#include "CompileReport.h"
#include "ModuleOptions.h"
#include "actions/FileReader.h"
#include "app/core/ProgramText.h"
#include "tokenizer/Tokenizer.h"

namespace {

int RunDownload(const std::vector<std::string>& args) {
  cli::ModuleOptions options;
  if (!cli::ParseModuleOptions("download", args, options)) return 2;
  if (options.Rest.size() != 1 || options.Rest[0].starts_with("-")) {
    std::cerr << "rovalis-cli download: give one program file (try --help)\n";
    return 2;
  }
  const std::string& file = options.Rest[0];
  const actions::ReadResult read = actions::ReadRegularFile(file);
  if (!read.ok()) {
    std::cerr << "rovalis-cli download: " << file << ": " << read.Reason << "\n";
    return 1;
  }
  const QStringList lines = app::SplitProgramLines(QByteArray(
      reinterpret_cast<const char*>(read.Bytes.data()), static_cast<qsizetype>(read.Bytes.size())));
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  if (!cli::CompileOrReport(*tokenizer, file, cli::ProgramSource(lines))) return 1;
  return cli::CompileAndDownload("download", options, lines);
}

const cli::CommandRegistration kDownload(
    "download", "download PROGRAM [--port NAME]... [--virtual-robot]",
    "Compiles a Tessic program file and downloads it to the robot found on the serial ports "
    "(exit status 0 only when every packet was acknowledged).",
    RunDownload);

}  // namespace
