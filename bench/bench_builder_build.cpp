// How long building the robot data takes for full lists, in both modes.

#include <benchmark/benchmark.h>

#include "actions/ListDocument.h"
#include "builder/BuildCode.h"

namespace {

actions::ListDocument FullLists() {
  actions::ListDocument doc;
  for (int list = 1; list <= actions::kListCount; ++list)
    for (int r = 1; r <= actions::kMaxSteps; ++r) {
      auto set = static_cast<std::uint8_t>(r % 5);
      doc.List(list)[r] = actions::MakeStep(
          r % 10 == 0 && list == 1 ? actions::ActionKind::GoToStep : actions::ActionKind::Forward,
          static_cast<std::int16_t>(r % 10 == 0 ? r - 5 : 12), set, set, 0);
    }
  return doc;
}

void BM_BuildCode(benchmark::State& state) {
  const actions::ListDocument doc = FullLists();
  const std::vector<std::string> lines{"'{$VARDA VD2}", "'{$TESSIC 2.5}", "ActionList DATA \"Q\"", "END"};
  builder::BuildOptions options{state.range(0) != 0, true};
  for (auto _ : state) benchmark::DoNotOptimize(builder::BuildCode(doc, options, lines));
}
BENCHMARK(BM_BuildCode)->Arg(0)->Arg(1);

}  // namespace
