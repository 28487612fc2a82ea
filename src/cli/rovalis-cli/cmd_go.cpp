// rovalis-cli go: what the Go button does, without windows: build the robot program from an
// action list file, compile it, find the robot and download.

#include <iostream>
#include <memory>

#include "CliText.h"
#include "Command.h"
#include "CompileReport.h"
#include "ModuleOptions.h"
#include "actions/FileFormat.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "builder/BuildCode.h"
#include "tokenizer/Tokenizer.h"

namespace {

constexpr int kRobotProgram = 362;
constexpr int kNoFileGiven = 534;
constexpr int kProgramOf = 590;   // file
constexpr int kHowToSeeIt = 591;  // file

int RunGo(const std::vector<std::string>& args) {
  cli::ModuleOptions options;
  if (!cli::ParseModuleOptions("go", args, options)) return 2;
  std::string file;
  bool sensors = false;
  for (const std::string& arg : options.Rest) {
    if (arg == "--sensors") {
      sensors = true;
    } else if (arg.starts_with("-") || !file.empty()) {
      std::cerr << "rovalis-cli go: unexpected argument '" << arg << "' (try --help)\n";
      return 2;
    } else {
      file = arg;
    }
  }
  if (file.empty()) {
    std::cerr << "rovalis-cli go: " << cli::CliText(kNoFileGiven) << "\n";
    return 2;
  }
  actions::LoadResult loaded = actions::LoadDocumentFile(file, true);
  if (!loaded.ok()) {
    std::cerr << "rovalis-cli go: " << file << ": " << actions::DescribeLoadFailure(loaded) << "\n";
    return 1;
  }
  builder::BuildOptions buildOptions;
  buildOptions.AdvancedMode = loaded.Document.Mode != 0;
  buildOptions.SensorsEnabled = sensors;
  app::ProgramText program;
  program.LoadProgramText(kRobotProgram);
  const builder::BuildResult built = builder::BuildCode(loaded.Document, buildOptions, program.toStdLines());
  if (!built.Ok) {
    const auto& message = built.Error.Message;
    std::cerr << "rovalis-cli go: " << file << ": "
              << (message.TextNumber ? app::LoadText(message.TextNumber).toStdString() : message.Literal)
              << "\n";
    return 1;
  }
  program.setStdLines(built.Lines);
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  if (!cli::CompileOrReport(*tokenizer, cli::CliText(kProgramOf, {cli::Q(file)}),
                            cli::ProgramSource(program.lines()), cli::CliText(kHowToSeeIt, {cli::Q(file)})))
    return 1;
  return cli::CompileAndDownload("go", options, program.lines());
}

const cli::CommandRegistration kGo(
    "go", "go FILE.rvl [--sensors] [--port NAME]... [--virtual-robot]",
    "Builds the robot program from an action list file, compiles it, finds the robot and "
    "downloads it with a progress bar; several robots without --port is an error that lists "
    "them. Exit status 0 only when every packet was acknowledged.",
    RunGo);

}  // namespace
