// The tools as a careful user meets them: outputs to a pipe, files beside the target left
// alone, inputs that are no regular files refused at once, and compiler errors in one format.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "actions/ActionLists.h"

namespace fs = std::filesystem;
using namespace std::string_literals;

namespace {

struct ToolRun {
  int status = -1;
  std::string out;
};

// Runs a command line and collects its standard output; by default standard error joins it.
ToolRun Shell(const std::string& command, const std::string& redirect = " 2>&1") {
  ToolRun run;
  FILE* pipe = popen((command + redirect).c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::string Quote(const fs::path& path) {
  return "'" + path.string() + "'";
}
std::string Tessic(const std::string& args) {
  return Quote(ROVALIS_TESSIC) + " " + args;
}
std::string Cli(const std::string& args) {
  return Quote(ROVALIS_CLI) + " " + args;
}

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class FileToolsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() / ("rovalis_tools_" + std::to_string(::getpid()));
    fs::create_directories(folder_);
    source_ = folder_ / "high.bas";
    std::ofstream(source_, std::ios::binary) << "'{$VARDA VD2}\r\n'{$TESSIC 2.0}\r\nHIGH 5\r\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  fs::path Put(const std::string& name, const std::string& text) {
    std::ofstream(folder_ / name, std::ios::binary) << text;
    return folder_ / name;
  }
  std::set<std::string> Names() const {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder_)) names.insert(entry.path().filename().string());
    return names;
  }

  fs::path folder_, source_;
};

}  // namespace

TEST_F(FileToolsTest, DashWritesEachOutputToAPipeAndTheSummaryAside) {
  for (const std::string option : {"--bin", "--hex", "--packets"}) {
    SCOPED_TRACE(option);
    const fs::path file = folder_ / ("out" + option.substr(2));
    ASSERT_EQ(Shell(Tessic(option + " " + Quote(file) + " " + Quote(source_))).status, 0);
    const ToolRun piped = Shell(Tessic(option + " - " + Quote(source_)) + " 2>/dev/null | cat", "");
    EXPECT_EQ(piped.status, 0);
    EXPECT_EQ(piped.out, Read(file));  // the bytes alone, no summary among them
    EXPECT_FALSE(piped.out.empty());
  }
  const ToolRun both = Shell(Tessic("--bin - " + Quote(source_)) + " 2>&1 >/dev/null", "");
  EXPECT_NE(both.out.find("VD2"), std::string::npos) << both.out;  // the summary on standard error
}

TEST_F(FileToolsTest, TessicOutputsKeepWhatIsBesideThemAndSayWhyTheyFail) {
  const fs::path target = Put("image.bin", "old");
  ::chmod(target.c_str(), 0600);
  Put("image.bin.tmp", "the user's own file");
  ASSERT_EQ(Shell(Tessic("--bin " + Quote(target) + " " + Quote(source_))).status, 0);
  EXPECT_EQ(Read(target).size(), 2048u);
  EXPECT_EQ(Read(folder_ / "image.bin.tmp"), "the user's own file");
  EXPECT_EQ(fs::status(target).permissions() & fs::perms::mask,
            fs::perms::owner_read | fs::perms::owner_write);

  fs::create_directories(folder_ / "dir.bin");
  const std::set<std::string> before = Names();
  struct Case {
    std::string args, says;
  };
  const Case cases[] = {
      {"--bin " + Quote(folder_ / "dir.bin"), "dir.bin\". Is a directory"},
      {"--hex " + Quote(folder_ / "none" / "x.hex"), "x.hex\". No such file or directory"},
  };
  for (const Case& c : cases) {
    const ToolRun run = Shell(Tessic(c.args + " " + Quote(source_)));
    EXPECT_EQ(run.status, 1) << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
  EXPECT_EQ(Names(), before);
}

TEST_F(FileToolsTest, TwoRunsWritingOneTargetLeaveOneWholeImage) {
  const fs::path other = Put("low.bas", "'{$VARDA VD2}\r\n'{$TESSIC 2.0}\r\nLOW 7\r\nLOW 8\r\n");
  const fs::path high = folder_ / "high.bin", low = folder_ / "low.bin", target = folder_ / "both.bin";
  ASSERT_EQ(Shell(Tessic("--bin " + Quote(high) + " " + Quote(source_))).status, 0);
  ASSERT_EQ(Shell(Tessic("--bin " + Quote(low) + " " + Quote(other))).status, 0);
  ASSERT_NE(Read(high), Read(low));
  for (int round = 0; round < 10; ++round) {
    const ToolRun run = Shell(Tessic("--bin " + Quote(target) + " " + Quote(source_)) + " & " +
                              Tessic("--bin " + Quote(target) + " " + Quote(other)) + " & wait");
    const std::string image = Read(target);
    ASSERT_TRUE(image == Read(high) || image == Read(low)) << "round " << round << "\n" << run.out;
  }
  EXPECT_EQ(Names(), (std::set<std::string>{"high.bas", "low.bas", "high.bin", "low.bin", "both.bin"}));
}

TEST_F(FileToolsTest, AFifoTargetIsWrittenInPlace) {
  const fs::path fifo = folder_ / "pipe.bin";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
  const fs::path copy = folder_ / "copy.bin", file = folder_ / "file.bin";
  ASSERT_EQ(Shell(Tessic("--bin " + Quote(file) + " " + Quote(source_))).status, 0);
  const ToolRun run = Shell("cat " + Quote(fifo) + " > " + Quote(copy) + " & " +
                            Tessic("--bin " + Quote(fifo) + " " + Quote(source_)) + " 2>&1; wait");
  EXPECT_EQ(run.status, 0) << run.out;
  EXPECT_EQ(Read(copy), Read(file));
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
}

// Reports that cannot be written are failures with the reason, not a silent success.
TEST_F(FileToolsTest, AFullStandardOutputIsAFailure) {
  actions::ActionLists lists;
  lists.AppendTile(actions::ActionKind::Forward);
  ASSERT_EQ(lists.SaveToPath(folder_ / "one.rvl"), "");
  for (const std::string& command :
       {Tessic("--map " + Quote(source_)), Cli("show " + Quote(folder_ / "one.rvl")),
        Cli("build " + Quote(folder_ / "one.rvl"))}) {
    const ToolRun run = Shell(command + " 2>&1 >/dev/full", "");
    EXPECT_EQ(run.status, 1) << command << "\n" << run.out;
    EXPECT_NE(run.out.find("cannot write to standard output: No space left on device"), std::string::npos)
        << command << "\n"
        << run.out;
  }
}

// Every tool refuses the same inputs the same way, at once, with the reason.
TEST_F(FileToolsTest, InputsThatAreNoRegularFilesAreRefusedWithTheReason) {
  ASSERT_EQ(::mkfifo((folder_ / "fifo").c_str(), 0600), 0);  // would block a plain read forever
  fs::create_symlink("loop2", folder_ / "loop1");
  fs::create_symlink("loop1", folder_ / "loop2");
  fs::create_directories(folder_ / "dir");
  struct Input {
    std::string name, reason;
  };
  const Input inputs[] = {
      {"fifo", "Not a regular file (a FIFO)"},
      {"loop1", "Too many levels of symbolic links"},
      {"dir", "Is a directory"},
      {"none", "No such file"},
  };
  const std::string tools[] = {Tessic(""), Cli("show "), Cli("build "), Cli("go "), Cli("download ")};
  for (const std::string& tool : tools) {
    for (const Input& input : inputs) {
      const ToolRun run = Shell("timeout 20 " + tool + Quote(folder_ / input.name));
      EXPECT_EQ(run.status, 1) << tool << input.name << "\n" << run.out;
      EXPECT_NE(run.out.find(input.name + ": " + input.reason), std::string::npos) << tool << "\n" << run.out;
    }
  }
}

TEST_F(FileToolsTest, CompileErrorsLookTheSameInEveryTool) {
  const fs::path bad = Put("bad.bas", "'{$VARDA VD2}\r\n'{$TESSIC 2.0}\r\nHIGH \0zz\r\n"s);
  for (const std::string& tool : {Tessic(""), Cli("download ")}) {
    const ToolRun run = Shell(tool + Quote(bad));
    EXPECT_EQ(run.status, 1) << run.out;
    const std::string position = bad.string() + ":3:";
    ASSERT_NE(run.out.find(position), std::string::npos) << tool << "\n" << run.out;
    const std::string diagnostic = run.out.substr(run.out.find(position));
    EXPECT_NE(diagnostic.find(": error: "), std::string::npos) << diagnostic;
    EXPECT_NE(diagnostic.find("\nHIGH ^@zz\n"), std::string::npos) << diagnostic;
    EXPECT_NE(diagnostic.find("\n     ^"), std::string::npos) << diagnostic;  // under the NUL
    EXPECT_EQ(diagnostic.back(), '\n');
  }
}

TEST_F(FileToolsTest, GoNamesTheGeneratedProgramAndHowToSeeIt) {
  actions::ActionLists full;
  full.AdvancedMode = true;
  for (int list = 1; list <= actions::kListCount; ++list) {
    full.CurrentList = list;
    for (int i = 0; i < actions::kMaxSteps; ++i) full.AppendTile(actions::ActionKind::Forward);
  }
  const fs::path file = folder_ / "too_big.rvl";
  ASSERT_EQ(full.SaveToPath(file), "");
  const ToolRun run = Shell(Cli("go --lang en " + Quote(file)));
  EXPECT_EQ(run.status, 1) << run.out;
  for (const std::string& text : {"Error! Tokenization Failed!"s, "program of " + file.string() + ":",
                                  ": error: "s, "^^\n"s, "rovalis-cli build " + file.string()})
    EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
}

TEST_F(FileToolsTest, HelpSaysWhatDashDoesAndWhatTheExitStatusesMean) {
  const ToolRun tessic = Shell(Tessic("--help"));
  EXPECT_EQ(tessic.status, 0);
  EXPECT_NE(tessic.out.find("'-' for --hex, --bin or --packets writes to standard output"), std::string::npos)
      << tessic.out;
  EXPECT_NE(tessic.out.find("exit status: 0"), std::string::npos);
  const ToolRun cli = Shell(Cli("--help"));
  EXPECT_NE(cli.out.find("exit status: 0"), std::string::npos) << cli.out;
  EXPECT_NE(cli.out.find("'-' does not mean standard input"), std::string::npos) << cli.out;
}
