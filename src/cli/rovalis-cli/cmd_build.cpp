// rovalis-cli build: prints the robot program that Go would compile for an action list file,
// or compiles it (or the test program) as Go and the test window do.

#include <QString>
#include <QStringList>
#include <iostream>
#include <memory>
#include <string>
#include <vector>

#include "Command.h"
#include "CompileReport.h"
#include "actions/FileFormat.h"
#include "app/core/ProgramText.h"
#include "app/core/Texts.h"
#include "builder/BuildCode.h"
#include "tokenizer/Tokenizer.h"

namespace {

constexpr int kRobotProgram = 362;
constexpr int kTestProgram = 364;
constexpr const char* kModuleNames[] = {"none", "VD1", "VD2", "VD2E", "VD2SX", "VD2P", "VD2PE"};

// Messages of this command by number in the text sets.
enum BuildText {
  kOneFileOnly = 532,
  kTestProgramTakesNoFile = 533,
  kNoFileGiven = 534,
  kCompiledFor = 537,     // name, module, language
  kBytesUsed = 538,       // used, size
  kPacketCount = 539,
  kUnknownOption = 545,
};

// The arguments go in in one pass, so a file name with a '%' in it stays as it is.
std::string Text(int number, const QStringList& arguments = {}) {
  QString text = app::LoadText(number);
  switch (arguments.size()) {
    case 1:
      text = text.arg(arguments[0]);
      break;
    case 2:
      text = text.arg(arguments[0], arguments[1]);
      break;
    case 3:
      text = text.arg(arguments[0], arguments[1], arguments[2]);
      break;
    default:
      break;
  }
  return text.toStdString();
}

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}

struct BuildArgs {
  std::string File;
  bool Sensors = false;
  bool Compile = false;
  bool TestProgram = false;
};

std::string MessageText(const actions::UiMessage& message) {
  if (message.TextNumber) return app::LoadText(message.TextNumber).toStdString();
  return message.Literal;
}

// 0 when the arguments are usable, else the exit status.
int ParseArgs(const std::vector<std::string>& args, BuildArgs& out) {
  for (const std::string& arg : args) {
    if (arg == "--sensors") {
      out.Sensors = true;
    } else if (arg == "--compile") {
      out.Compile = true;
    } else if (arg == "--test-program") {
      out.TestProgram = true;
    } else if (arg.starts_with("-")) {
      std::cerr << "rovalis-cli build: " << Text(kUnknownOption, {Q(arg)}) << "\n";
      return 2;
    } else if (out.File.empty()) {
      out.File = arg;
    } else {
      std::cerr << "rovalis-cli build: " << Text(kOneFileOnly) << "\n";
      return 2;
    }
  }
  if (out.TestProgram && !out.File.empty()) {
    std::cerr << "rovalis-cli build: " << Text(kTestProgramTakesNoFile) << "\n";
    return 2;
  }
  if (!out.TestProgram && out.File.empty()) {
    std::cerr << "rovalis-cli build: " << Text(kNoFileGiven) << "\n";
    return 2;
  }
  return 0;
}

// Compiles the program text as the download does: target and language from its directives.
int Compile(const std::vector<std::string>& lines, const std::string& name) {
  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  if (!cli::CompileOrReport(*tokenizer, name, text)) return 1;
  const tok::ResultRecord& r = tokenizer->TokenizeResult;
  int used = 0;
  for (int i = 0; i < tok::EEPROMSize; ++i) used += (r.EEPROMFlags[i] & tok::FlagUseMask) != 0;
  const int module = r.TargetModule < 7 ? r.TargetModule : 0;
  const QString language =
      QStringLiteral("%1.%2").arg(r.LanguageVersion / 100).arg((r.LanguageVersion % 100) / 10);
  std::cout << Text(kCompiledFor, {Q(name), QString::fromLatin1(kModuleNames[module]), language}) << "\n"
            << "  " << Text(kBytesUsed, {QString::number(used), QString::number(tok::EEPROMSize)}) << "\n"
            << "  " << Text(kPacketCount, {QString::number(int(r.PacketCount))}) << "\n";
  return 0;
}

int RunBuild(const std::vector<std::string>& args) {
  BuildArgs options;
  if (int status = ParseArgs(args, options)) return status;

  app::ProgramText program;
  if (options.TestProgram) {
    program.LoadProgramText(kTestProgram);
    return Compile(program.toStdLines(), "test program");
  }

  // Any proper file opens; the mode comes from the file's own mode byte.
  actions::LoadResult loaded = actions::LoadDocumentFile(options.File, true);
  if (!loaded.ok()) {
    std::cerr << "rovalis-cli build: " << options.File << ": " << actions::DescribeLoadFailure(loaded)
              << "\n";
    return 1;
  }
  builder::BuildOptions buildOptions;
  buildOptions.AdvancedMode = loaded.Document.Mode != 0;
  buildOptions.SensorsEnabled = options.Sensors;

  program.LoadProgramText(kRobotProgram);
  builder::BuildResult built = builder::BuildCode(loaded.Document, buildOptions, program.toStdLines());
  if (!built.Ok) {
    std::cerr << "rovalis-cli build: " << options.File << ": " << MessageText(built.Error.Message);
    if (built.Error.Step) std::cerr << " (step " << built.Error.Step << ")";
    std::cerr << "\n";
    return 1;
  }
  if (options.Compile) return Compile(built.Lines, "program of " + options.File);
  for (const std::string& line : built.Lines) std::cout << line << "\n";
  return 0;
}

const cli::CommandRegistration kBuild(
    "build", "build FILE.rvl [--sensors] [--compile] | build --test-program",
    "Prints the robot program made from an action list file (beginner or advanced mode as saved; "
    "--sensors switches the beginner's obstacle avoidance on). --compile compiles it instead and "
    "prints a summary or the error; --test-program does that for the test program. Exit status: 0 "
    "done, 1 the file cannot be read, is no action list or its program does not compile, 2 wrong "
    "arguments.",
    RunBuild);

}  // namespace
