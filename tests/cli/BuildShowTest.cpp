#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "actions/ActionLists.h"

using namespace actions;

namespace {

struct CliRun {
  int status = -1;
  std::string out;  // stdout and stderr together
};

CliRun RovalisCli(const std::string& args) {
  CliRun run;
  std::string command = std::string("'") + ROVALIS_CLI + "' " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  char buffer[4096];
  std::size_t got;
  while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  int raw = pclose(pipe);
  run.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  return run;
}

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0, end;
  while ((end = text.find('\n', start)) != std::string::npos) {
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() / ("rovalis_cli_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Save(ActionLists& lists, const std::string& name) {
    auto path = folder_ / name;
    EXPECT_EQ(lists.SaveToPath(path), "");
    return path.string();
  }
  std::string WriteBytes(const std::vector<std::uint8_t>& bytes, const std::string& name) {
    auto path = folder_ / name;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path.string();
  }

  std::filesystem::path folder_;
};

ActionLists ExampleLists() {
  ActionLists lists;
  for (ActionKind kind : {ActionKind::Forward, ActionKind::Backward, ActionKind::TurnLeft,
                          ActionKind::TurnRight, ActionKind::StopAndWait})
    lists.AppendTile(kind);
  return lists;
}

}  // namespace

TEST_F(CliTest, BuildPrintsTheExampleAtTheMarkersPlace) {
  ActionLists lists = ExampleLists();
  CliRun run = RovalisCli("build '" + Save(lists, "example.rvl") + "' --sensors");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::vector<std::string> lines = Lines(run.out);
  const std::vector<std::string> expected{
      "Configure\tDATA\t@0,1,0,100,100,WORD 25,WORD 26,WORD 27,WORD 28,WORD 29",
      "",
      "' ----- Main Action List -----",
      "ActionList\tDATA\t\"F\",12   ,\"B\",12   ,\"L\",13   ,\"R\",13   ",
      "\t\tDATA \t\"S\",10   ,\"Q\"",
      "",
      "' ----- Sensor Set All -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 1 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 2 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 3 -----",
      "\t\tDATA \t\"Q\"",
      "",
      "' ----- Sensor Set 4 -----",
      "\t\tDATA \t\"Q\"",
      "",  // the emptied marker line
  };
  auto at = std::search(lines.begin(), lines.end(), expected.begin(), expected.end());
  ASSERT_NE(at, lines.end()) << run.out;
  EXPECT_EQ(lines[0], "'{$VARDA VD2}");
  // Nothing else in the program is a marker any more.
  for (const std::string& line : lines) EXPECT_EQ(line.find("ActionList  DATA"), std::string::npos);

  CliRun off = RovalisCli("build '" + (folder_ / "example.rvl").string() + "'");
  ASSERT_EQ(off.status, 0);
  EXPECT_NE(off.out.find("Configure\tDATA\t@0,0,0,100,100,WORD 25"), std::string::npos);
}

TEST_F(CliTest, BuildTakesTheModeFromTheFile) {
  ActionLists lists;
  lists.AdvancedMode = true;
  lists.AppendTile(ActionKind::Forward);
  lists.AssignSet(1, 2, 3);
  lists.Document().LeftServoCenter = 97;
  CliRun run = RovalisCli("build '" + Save(lists, "advanced.rvl") + "' --sensors");
  ASSERT_EQ(run.status, 0) << run.out;
  EXPECT_NE(run.out.find("Configure\tDATA\t@0,2,0,97,100,WORD 19,"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("ActionList\tDATA\t\"C\",$33,\"F\",12   ,\"Q\""), std::string::npos) << run.out;
}

TEST_F(CliTest, ShowPrintsTheListsAsATable) {
  ActionLists lists = ExampleLists();
  lists.AdvancedMode = true;
  lists.AppendTile(ActionKind::GoToStep);
  lists.AssignSet(2, 4, 1);
  lists.CurrentList = 6;
  lists.AppendTile(ActionKind::RotateRight);
  CliRun run = RovalisCli("show '" + Save(lists, "show.rvl") + "'");
  ASSERT_EQ(run.status, 0) << run.out;
  const std::vector<std::string> want{
      "Saved in:      advanced mode",
      "Servo centres: left 100, right 100",
      "Main Action List (6 steps)",
      "     2  Backward (B)      1.2 s     All   All   Set1",
      "     6  GoToStep (G)      step 1    All   All   All",
      "Sensor Set 3 (0 steps)",
      "Sensor Set 4 (1 step)",
      "     1  RotateRight (I)   1.5 s",
  };
  const std::vector<std::string> lines = Lines(run.out);
  for (const std::string& line : want)
    EXPECT_NE(std::find(lines.begin(), lines.end(), line), lines.end()) << line << "\n" << run.out;

  // The same table in Spanish: headings, set names and step texts from the Spanish set.
  CliRun spanish = RovalisCli("--lang es show '" + Save(lists, "show.rvl") + "'");
  ASSERT_EQ(spanish.status, 0) << spanish.out;
  const std::vector<std::string> spanishLines = Lines(spanish.out);
  for (const std::string& line : {std::string("Guardado en:   modo avanzado"),
                                  std::string("Lista principal de acciones (6 pasos)"),
                                  std::string("     6  GoToStep (G)      paso 1    Todos Todos Todos"),
                                  std::string("Set de sensores 4 (1 paso)")})
    EXPECT_NE(std::find(spanishLines.begin(), spanishLines.end(), line), spanishLines.end())
        << line << "\n" << spanish.out;
}

TEST_F(CliTest, BadFilesAndArgumentsFailClearly) {
  ActionLists lists = ExampleLists();
  const auto saved = lists.SaveBytes();
  std::vector<std::uint8_t> good(saved.begin(), saved.end());
  std::vector<std::uint8_t> oldVersion = good;
  oldVersion[20] = 0x12;
  std::vector<std::uint8_t> badKind = good;
  badKind[24 + 6] = 12;
  struct Case {
    std::string args;
    int status;
    std::string says;
  };
  const Case cases[] = {
      {"build '" + (folder_ / "none.rvl").string() + "'", 1, "No such file."},
      {"show '" + (folder_ / "none.rvl").string() + "'", 1, "No such file."},
      {"build '" + WriteBytes({good.begin(), good.begin() + 9000}, "short.rvl") + "'", 1,
       "Not proper Rovalis file format."},
      {"show '" + WriteBytes(badKind, "kind.rvl") + "'", 1, "Not proper Rovalis file format."},
      {"build '" + WriteBytes(oldVersion, "old.rvl") + "'", 1,
       "Can not open Rovalis file.  File format is version 1.2.  Expected version 1.3."},
      {"build", 2, "no action list file given"},
      {"build a.rvl --fast", 2, "unknown option '--fast'"},
      {"show", 2, "exactly one"},
      {"frobnicate", 2, "unknown command"},
      {"--help", 0, "build FILE.rvl [--sensors]"},
      {"show --help", 0, "show FILE.rvl"},
  };
  for (const Case& c : cases) {
    CliRun run = RovalisCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.out;
    EXPECT_NE(run.out.find(c.says), std::string::npos) << c.args << "\n" << run.out;
  }
}

TEST_F(CliTest, GoToTooFarNamesTheStep) {
  ActionLists lists;
  lists.AdvancedMode = true;
  for (int s = 1; s <= 70; ++s) {
    lists.AppendTile(ActionKind::Forward);
    for (int column = 2; column <= 4; ++column)
      lists.AssignSet(s, column, static_cast<SensorSetIndex>(s % 2 + 1));
  }
  lists.AppendTile(ActionKind::GoToStep);  // to step 1, far more than 255 entries back
  const std::string file = Save(lists, "far.rvl");
  // The reason is a text of the chosen language.
  const struct {
    const char* language;
    const char* says;
  } cases[] = {
      {"es", "Error! Un paso Ir a salta demasiado lejos (mas de 255 entradas). (step 71)"},
      {"en", "Error! A Go back step jumps too far (more than 255 entries). (step 71)"},
  };
  for (const auto& c : cases) {
    CliRun run = RovalisCli(std::string("--lang ") + c.language + " build '" + file + "'");
    EXPECT_EQ(run.status, 1);
    EXPECT_NE(run.out.find(c.says), std::string::npos) << run.out;
  }
}

TEST_F(CliTest, CompileThePrograms) {
  ActionLists example = ExampleLists();
  const std::string file = Save(example, "compile.rvl");
  ActionLists full;
  full.AdvancedMode = true;
  for (int list = 1; list <= kListCount; ++list) {
    full.CurrentList = list;
    for (int i = 0; i < kMaxSteps; ++i) full.AppendTile(ActionKind::Forward);
  }
  const std::string tooBig = Save(full, "too_big.rvl");  // six full lists overflow the EEPROM
  struct Case {
    std::string args;
    int status;
    std::vector<std::string> says;
  };
  const Case cases[] = {
      {"build '" + file + "' --compile", 0, {"compiled for VD2, language 2.5", "download packets:"}},
      {"build --test-program", 0, {"test program: compiled for VD2, language 2.5", "download packets:"}},
      {"build '" + tooBig + "' --compile",
       1,
       {"Error! Tokenization Failed!", "too_big.rvl:", "error:", "DATA"}},
      {"build '" + file + "' --test-program", 2, {"takes no action list file"}},
  };
  for (const Case& c : cases) {
    CliRun run = RovalisCli(c.args);
    EXPECT_EQ(run.status, c.status) << c.args << "\n" << run.out;
    for (const std::string& text : c.says)
      EXPECT_NE(run.out.find(text), std::string::npos) << text << "\n" << run.out;
  }
}
