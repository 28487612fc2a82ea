// Full compilations whose cost should grow with the source: the robot program built for 255
// steps in both modes, DATA-heavy and CON-heavy sources and the comment and code families, each
// at several sizes so that one run shows how the time scales.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"
#include "builder/MarkerLine.h"
#include "tokenizer/Tokenizer.h"

namespace {

using actions::ActionKind;
using actions::ListDocument;
using actions::MakeStep;

constexpr ActionKind Moves[] = {ActionKind::Forward,    ActionKind::Backward,   ActionKind::TurnLeft,
                                ActionKind::TurnRight,  ActionKind::RotateLeft, ActionKind::RotateRight,
                                ActionKind::StopAndWait};

const std::string Header = "'{$VARDA VD2}\r\n'{$TESSIC 2.5}\r\n";

void Compile(benchmark::State& state, const std::string& source) {
  auto t = std::make_unique<tok::Tokenizer>();
  for (auto _ : state) {
    t->SetSource(source);
    const bool ok = t->Tokenize(false, true, false);
    if (!ok) {
      state.SkipWithError(t->TokenizeResult.ErrorText ? t->TokenizeResult.ErrorText : "failed");
      break;
    }
    benchmark::DoNotOptimize(t->TokenizeResult.PacketCount);
  }
  state.counters["source_bytes"] = static_cast<double>(source.size());
  state.counters["packets"] = t->TokenizeResult.PacketCount;
}

std::string RobotTemplate() {
  std::ifstream in(std::string(ROVALIS_SOURCE_DIR) + "/resources/programs/robot.bas", std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

void AddStep(ListDocument& doc, int list, actions::StepRecord step) {
  doc.List(list)[doc.StepCount(list) + 1] = step;
}

// 255 main-list steps and 75 steps in each of the five sensor sets: the largest advanced
// program that still fits beside its code.
ListDocument AdvancedDocument() {
  ListDocument doc;
  for (int s = 1; s <= actions::kMaxSteps; ++s) AddStep(doc, 1, MakeStep(Moves[s % 7], 10));
  for (int list = 2; list <= actions::kListCount; ++list)
    for (int s = 1; s <= 75; ++s) AddStep(doc, list, MakeStep(Moves[s % 6], 5));
  return doc;
}

ListDocument BeginnerDocument() {
  ListDocument doc;
  for (int s = 1; s < actions::kMaxSteps; ++s)
    AddStep(doc, 1, MakeStep(Moves[s % 7], static_cast<std::int16_t>(1 + (s * 37) % 255)));
  AddStep(doc, 1, MakeStep(ActionKind::GoToStep, 1));
  return doc;
}

std::string RobotProgram(const ListDocument& doc, bool advanced) {
  const auto lines = builder::SplitLines(RobotTemplate());
  const builder::BuildResult built =
      builder::BuildCode(doc, builder::BuildOptions{advanced, !advanced}, lines);
  std::string text;
  for (std::size_t i = 0; i < built.Lines.size(); ++i) text += (i ? "\r\n" : "") + built.Lines[i];
  return text;
}

std::string DataLines(int count) {
  std::string s = Header;
  for (int i = 0; i < count; ++i) {
    s += "Table" + std::to_string(i) + " DATA ";
    for (int k = 0; k < 6; ++k) s += (k ? ", " : "") + std::to_string((i * 7 + k) % 256);
    s += ", WORD " + std::to_string(i * 13) + "\r\n";
  }
  return s + "END\r\n";
}

std::string ConDeclarations(int kilobytes) {
  std::string s = Header;
  for (int i = 0; s.size() < static_cast<std::size_t>(kilobytes) * 1024; ++i)
    s += "Limit" + std::to_string(i) + " CON " + std::to_string(i % 1000) + " * 3\r\n";
  return s + "END\r\n";
}

std::string CommentFamily(int kilobytes) {
  std::string s = Header;
  while (s.size() < static_cast<std::size_t>(kilobytes) * 1024)
    s += "' The robot waits for its whiskers before it drives on again.\r\n";
  return s + "END\r\n";
}

std::string CodeFamily(int kilobytes) {
  std::string s = Header + "speed VAR BYTE\r\n";
  while (s.size() < static_cast<std::size_t>(kilobytes) * 1024)
    s += "IF speed > 3 THEN speed = speed - 1\r\n"
         "' Slow down while a whisker touches: the robot backs off a little before it turns,\r\n"
         "' so that it does not push against the wall it has just found in front of it.\r\n";
  return s + "END\r\n";
}

void BM_RobotAdvanced255(benchmark::State& state) {
  Compile(state, RobotProgram(AdvancedDocument(), true));
}
void BM_RobotBeginner255(benchmark::State& state) {
  Compile(state, RobotProgram(BeginnerDocument(), false));
}
void BM_DataLines(benchmark::State& state) {
  Compile(state, DataLines(static_cast<int>(state.range(0))));
}
void BM_ConKilobytes(benchmark::State& state) {
  Compile(state, ConDeclarations(static_cast<int>(state.range(0))));
}
void BM_CommentKilobytes(benchmark::State& state) {
  Compile(state, CommentFamily(static_cast<int>(state.range(0))));
}
void BM_CodeKilobytes(benchmark::State& state) {
  Compile(state, CodeFamily(static_cast<int>(state.range(0))));
}

BENCHMARK(BM_RobotAdvanced255)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_RobotBeginner255)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_DataLines)->Unit(benchmark::kMicrosecond)->Arg(25)->Arg(50)->Arg(100)->Arg(200)->Arg(240);
BENCHMARK(BM_ConKilobytes)->Unit(benchmark::kMicrosecond)->Arg(1)->Arg(2)->Arg(4)->Arg(8)->Arg(12);
BENCHMARK(BM_CommentKilobytes)->Unit(benchmark::kMicrosecond)->Arg(1)->Arg(4)->Arg(16);
BENCHMARK(BM_CodeKilobytes)->Unit(benchmark::kMicrosecond)->Arg(1)->Arg(4)->Arg(16);

}  // namespace
