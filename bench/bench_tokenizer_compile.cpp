// Full compilations: a program of the robot program's size (18 KB of source, mostly step lists
// in DATA lines and comments) and a program whose code fills the EEPROM.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tokenizer/Tokenizer.h"

namespace {

std::string RobotSizedProgram() {
  std::string s = "'{$VARDA VD2}\n'{$TESSIC 2.5}\n' Step lists and their interpreter.\n";
  s += "kind VAR NIB\nvalue VAR WORD\naddress VAR WORD\ncounter VAR WORD\n";
  // About 900 bytes of step data, then explanations, as the robot program carries them.
  for (int list = 0; list < 15; ++list) {
    s += "' ----- list " + std::to_string(list) + " -----\nList" + std::to_string(list) + " DATA ";
    for (int i = 0; i < 20; ++i)
      s += (i ? ", " : "") + std::to_string(i % 8) + ", WORD " + std::to_string(i * 7);
    s += "\n";
  }
  while (s.size() < 15000) s += "' The interpreter reads each step: its kind, then its value as a word.\n";
  s += "Main:\n  address = List0\n  DO\n    READ address, kind, WORD value\n    IF kind = 7 THEN EXIT\n";
  while (s.size() < 18 * 1024 - 200) {
    s +=
        "    SELECT kind\n      CASE 0\n        PULSOUT 12, 650\n      CASE 1 TO 3\n        PULSOUT 13, 850\n"
        "      CASE ELSE\n        PAUSE 20\n    ENDSELECT\n";
  }
  s += "    address = address + 3\n  LOOP\n  END\n";
  return s;
}

std::string EepromFillingProgram() {
  std::string s = "'{$VARDA VD2}\n'{$TESSIC 2.5}\n";
  for (int i = 0; i < 1090; ++i) s += "HIGH 1\n";
  return s;
}

void Compile(benchmark::State& state, const std::string& source) {
  auto t = std::make_unique<tok::Tokenizer>();
  for (auto _ : state) {
    t->SetSource(source);
    const bool ok = t->Tokenize(false, true, false);
    if (!ok) state.SkipWithError(t->TokenizeResult.ErrorText ? t->TokenizeResult.ErrorText : "failed");
    benchmark::DoNotOptimize(t->TokenizeResult.PacketCount);
  }
  state.counters["source_bytes"] = static_cast<double>(source.size());
  state.counters["packets"] = t->TokenizeResult.PacketCount;
}

void BM_CompileRobotSizedProgram(benchmark::State& state) {
  Compile(state, RobotSizedProgram());
}
void BM_CompileEepromFillingProgram(benchmark::State& state) {
  Compile(state, EepromFillingProgram());
}

BENCHMARK(BM_CompileRobotSizedProgram)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(BM_CompileEepromFillingProgram)
    ->Unit(benchmark::kMicrosecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

}  // namespace
