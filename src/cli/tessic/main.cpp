// tessic: compiles a Tessic source file with the built-in tokenizer and reports errors the way
// compilers do (FILE:LINE:COL, the source line and carets under the faulty text).

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <string>

#include "Tessic.h"
#include "actions/FileReader.h"
#include "tokenizer/SourceLocation.h"
#include "tokenizer/Tokenizer.h"

using namespace cli::tessic;

namespace {

void PrintUsage() {
  std::printf(
      "usage: tessic [options] FILE\n\nCompiles a Tessic source file for the module it names.\n\noptions:\n");
  std::vector<OptionSpec> table = OptionTable();
  std::sort(table.begin(), table.end(),
            [](const OptionSpec& a, const OptionSpec& b) { return a.Name < b.Name; });
  for (const OptionSpec& o : table) {
    const std::string left = o.Name + (o.Argument.empty() ? "" : " " + o.Argument);
    std::printf("  %-24s %s\n", left.c_str(), o.Help.c_str());
  }
  std::printf("  %-24s %s\n", "--help", "show this text");
  std::printf(
      "\nA FILE of '-' for --hex, --bin or --packets writes to standard output (the summary then goes\n"
      "to standard error). An existing file is replaced whole, keeping its permissions; a device\n"
      "or FIFO is written where it is.\n"
      "\nexit status: 0 compiled (and every file written), 1 the source does not compile or a file\n"
      "cannot be read or written, 2 wrong options.\n");
}

// Returns 0 when the options are good, else the exit status.
int ParseArguments(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      PrintUsage();
      return -1;
    }
    if (arg.size() > 2 && arg.compare(0, 2, "--") == 0) {
      std::string name = arg, value;
      const size_t equals = arg.find('=');
      if (equals != std::string::npos) {
        name = arg.substr(0, equals);
        value = arg.substr(equals + 1);
      }
      const auto& table = OptionTable();
      const auto spec =
          std::find_if(table.begin(), table.end(), [&](const OptionSpec& o) { return o.Name == name; });
      if (spec == table.end()) {
        std::fprintf(stderr, "tessic: unknown option '%s' (see --help)\n", name.c_str());
        return 2;
      }
      if (!spec->Argument.empty() && equals == std::string::npos) {
        if (i + 1 >= argc) {
          std::fprintf(stderr, "tessic: option %s needs %s\n", name.c_str(), spec->Argument.c_str());
          return 2;
        }
        value = argv[++i];
      }
      options.Values[name] = value;
      const std::string error = spec->Apply(options, value);
      if (!error.empty()) {
        std::fprintf(stderr, "tessic: %s: %s\n", name.c_str(), error.c_str());
        return 2;
      }
      continue;
    }
    if (!options.File.empty()) {
      std::fprintf(stderr, "tessic: only one source file can be compiled at a time\n");
      return 2;
    }
    options.File = arg;
  }
  if (options.File.empty()) {
    PrintUsage();
    return 2;
  }
  return 0;
}

// A report that could not be written (a full disk, a closed pipe) is a failure too.
int FlushStandardOutput() {
  errno = 0;
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return 0;
  std::fprintf(stderr, "tessic: cannot write to standard output: %s\n", std::strerror(errno ? errno : EIO));
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  // Held until the end (up to a large report), so that a failed write is seen with its reason.
  static char outputBuffer[1 << 20];  // glibc ignores the size unless given the buffer
  if (!::isatty(STDOUT_FILENO)) std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
  if (const int status = ParseArguments(argc, argv, options); status != 0) return status < 0 ? 0 : status;

  // One byte more than the compiler takes is enough to know the file is too long.
  const actions::ReadResult read =
      actions::ReadRegularFile(options.File, static_cast<size_t>(tok::Tokenizer::SourceSizeLimit) + 1);
  if (!read.ok()) {
    std::fprintf(stderr, "tessic: %s: %s\n", options.File.c_str(), read.Reason.c_str());
    return 1;
  }
  const std::string text(read.Bytes.begin(), read.Bytes.end());
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  if (static_cast<long>(text.size()) > tok::Tokenizer::SourceSizeLimit) {
    std::fprintf(stderr, "tessic: %s: the file has more than %d characters, the most the compiler takes\n",
                 options.File.c_str(), tok::Tokenizer::SourceSizeLimit);
    return 1;
  }
  tokenizer->SetSource(text);
  tok::ResultRecord& r = tokenizer->TokenizeResult;
  if (options.PresetTarget != 0) r.TargetModule = options.PresetTarget;
  if (!tokenizer->Tokenize(options.DirectivesOnly, options.PresetTarget == 0, options.AnyVersion)) {
    const char* message = r.ErrorText ? r.ErrorText : "compilation failed";
    const std::string diagnostic =
        tok::FormatDiagnostic(options.File, text, message, r.ErrorStart, r.ErrorLength);
    std::fwrite(diagnostic.data(), 1, diagnostic.size(), stderr);
    return 1;
  }
  std::vector<OutputStep> steps = OutputSteps();
  std::stable_sort(steps.begin(), steps.end(),
                   [](const OutputStep& a, const OutputStep& b) { return a.Order < b.Order; });
  for (const OutputStep& step : steps)
    if (const int status = step.Run(options, *tokenizer); status != 0) return status;
  return FlushStandardOutput();
}
