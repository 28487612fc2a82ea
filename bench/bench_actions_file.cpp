// How long checking and taking over an action list file takes.

#include <benchmark/benchmark.h>

#include "actions/ActionLists.h"

namespace {

void BM_LoadDocument(benchmark::State& state) {
  actions::ActionLists lists;
  lists.AdvancedMode = true;
  for (int i = 0; i < actions::kMaxSteps; ++i) lists.AppendTile(actions::ActionKind::Backward);
  const actions::DocumentBytes bytes = lists.SaveBytes();
  for (auto _ : state) benchmark::DoNotOptimize(actions::LoadDocument(bytes, true));
}
BENCHMARK(BM_LoadDocument);

void BM_PasteFullList(benchmark::State& state) {
  actions::ActionLists source;
  for (int i = 0; i < actions::kMaxSteps; ++i) source.AppendTile(actions::ActionKind::TurnLeft);
  source.CopyRows(1, 1, actions::kMaxSteps);
  for (auto _ : state) {
    actions::ActionLists lists = source;
    lists.ClearAll();
    benchmark::DoNotOptimize(lists.Paste(1, 1));
  }
}
BENCHMARK(BM_PasteFullList);

}  // namespace
