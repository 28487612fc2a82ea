// rovalis-cli build: prints the robot program that Go would compile for an action list file.

#include <QString>

#include <iostream>
#include <string>
#include <vector>

#include "Command.h"
#include "actions/FileFormat.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "builder/BuildCode.h"

namespace {

constexpr int kRobotProgram = 362;

std::string MessageText(const actions::UiMessage& message) {
  if (message.TextNumber) return app::LoadText(message.TextNumber).toStdString();
  return message.Literal;
}

int RunBuild(const std::vector<std::string>& args) {
  std::string file;
  bool sensors = false;
  for (const std::string& arg : args) {
    if (arg == "--sensors") {
      sensors = true;
    } else if (arg.starts_with("-")) {
      std::cerr << "rovalis-cli build: unknown option '" << arg << "' (try --help)\n";
      return 2;
    } else if (file.empty()) {
      file = arg;
    } else {
      std::cerr << "rovalis-cli build: only one file can be built\n";
      return 2;
    }
  }
  if (file.empty()) {
    std::cerr << "rovalis-cli build: no action list file given (try --help)\n";
    return 2;
  }

  // Any proper file opens; the mode comes from the file's own mode byte.
  actions::LoadResult loaded = actions::LoadDocumentFile(file, true);
  if (!loaded.ok()) {
    std::cerr << "rovalis-cli build: " << file << ": " << actions::DescribeLoadFailure(loaded) << "\n";
    return 1;
  }
  builder::BuildOptions options;
  options.AdvancedMode = loaded.Document.Mode != 0;
  options.SensorsEnabled = sensors;

  app::ProgramText program;
  program.LoadProgramText(kRobotProgram);
  builder::BuildResult built = builder::BuildCode(loaded.Document, options, program.toStdLines());
  if (!built.Ok) {
    std::cerr << "rovalis-cli build: " << file << ": " << MessageText(built.Error.Message);
    if (built.Error.Step) std::cerr << " (step " << built.Error.Step << ")";
    std::cerr << "\n";
    return 1;
  }
  for (const std::string& line : built.Lines) std::cout << line << "\n";
  return 0;
}

const cli::CommandRegistration kBuild(
    "build", "build FILE.rvl [--sensors]",
    "Prints the robot program made from an action list file (beginner or advanced mode as saved; "
    "--sensors switches the beginner's obstacle avoidance on).",
    RunBuild);

}  // namespace
