// Front passes of the tokenizer over a 16 KB source: both scans, the editor directives and
// conditional compilation. Reports bytes per second.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

#include "tokenizer/Tokenizer.h"

namespace {

std::string SixteenKilobyteSource() {
  std::string s = "' {$VARDA VD2}\r\n' {$PORT COM1}\r\n' {$TESSIC 2.5}\r\n#DEFINE FAST = 1\r\n";
  int block = 0;
  while (s.size() < 16 * 1024) {
    const std::string n = std::to_string(block++);
    s += "#IF FAST AND $VARDA = VD2 #THEN\r\n";
    s += "speed" + n + " CON " + n + " * 2 + $1F ' a constant\r\n";
    s += "  B0 = B1 + " + n + " // 3 : W1.HIGHBYTE = %1010\r\n";
    s += "#ELSE\r\n  DEBUG \"slow path\", CR\r\n#ENDIF\r\n";
    s += "#SELECT $PORT\r\n#CASE 1 TO 4\r\n  HIGH 5 : PAUSE 100\r\n#CASE #ELSE\r\n  LOW 5\r\n#ENDSELECT\r\n";
  }
  return s;
}

void FrontPasses(benchmark::State& state) {
  const std::string source = SixteenKilobyteSource();
  auto t = std::make_unique<tok::Tokenizer>();
  for (auto _ : state) {
    t->SetSource(source);
    t->TokenizeResult.TargetModule = tok::ModuleNone;
    t->LanguageIs25 = 0;
    t->TokenizeResult.Port = nullptr;
    t->TokenizeResult.LanguageStart = 0;
    t->LoadDirectiveSymbols();
    t->ScanSource(false);
    t->ReadTargetModuleDirective(true);
    t->ReadPortDirective();
    t->ReadLanguageDirective(false);
    t->SetDirectiveSymbolValues();
    t->LoadKeywordSymbols();
    t->ScanSource(true);
    t->ConditionalCompile();
    benchmark::DoNotOptimize(t->Scan.EndMark);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(source.size()));
  state.counters["elements"] = t->Scan.EndMark;
}
BENCHMARK(FrontPasses)->Unit(benchmark::kMicrosecond);

void DirectivesOnlyTokenize(benchmark::State& state) {
  const std::string source = SixteenKilobyteSource();
  auto t = std::make_unique<tok::Tokenizer>();
  for (auto _ : state) {
    t->SetSource(source);
    benchmark::DoNotOptimize(t->Tokenize(true, true, false));
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(source.size()));
}
BENCHMARK(DirectivesOnlyTokenize)->Unit(benchmark::kMicrosecond);

}  // namespace
