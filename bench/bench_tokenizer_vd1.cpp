// The VD1 compiler on the hundred-line patrol program, on its own and through Tokenize.

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <sstream>
#include <string>

#include "tokenizer/Tokenizer.h"
#include "tokenizer/vd1/Vd1.h"

namespace {

// The program lives beside the VD1 tests; found from this file's own path.
std::string PatrolProgram() {
  std::string path = __FILE__;
  path = path.substr(0, path.rfind("bench/")) + "tests/tokenizer/vd1/patrol.bas";
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

void BM_Vd1Compile(benchmark::State& state) {
  const std::string source = PatrolProgram();
  tok::vd1::Outcome outcome;
  for (auto _ : state) {
    tok::vd1::Compile(source.data(), static_cast<int>(source.size()), outcome);
    benchmark::DoNotOptimize(outcome.EEPROM.data());
  }
  if (!outcome.Success) state.SkipWithError("the patrol program did not compile");
}
BENCHMARK(BM_Vd1Compile);

void BM_Vd1Tokenize(benchmark::State& state) {
  const std::string source = PatrolProgram();
  auto tokenizer = std::make_unique<tok::Tokenizer>();
  bool ok = true;
  for (auto _ : state) {
    tokenizer->SetSource(source);
    ok = tokenizer->Tokenize(false, true, false) && ok;
    benchmark::DoNotOptimize(tokenizer->TokenizeResult.PacketBuffer);
  }
  if (!ok) state.SkipWithError("the patrol program did not compile");
}
BENCHMARK(BM_Vd1Tokenize);

}  // namespace
