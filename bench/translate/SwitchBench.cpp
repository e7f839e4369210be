// The cost of a language switch of the whole program (all six windows with their stored
// tables), of creating the windows, and of reading the largest stored table.
#include <benchmark/benchmark.h>

#include "FakeComponents.h"
#include "translate/tables/TableSource.h"

namespace {

using namespace kv;
using namespace kv::testing;

std::vector<std::unique_ptr<TFakeForm>> CreateProgram() {
  std::vector<std::unique_ptr<TFakeForm>> windows;
  windows.push_back(CreateFakeWindow("TMainForm", nullptr));
  TLangDispatcher* d = DispatcherOf(*windows[0]);
  for (size_t i = 1; i < TranslatedWindows().size(); ++i)
    windows.push_back(CreateFakeWindow(TranslatedWindows()[i], d));
  return windows;
}

void BM_SwitchAllWindows(benchmark::State& state) {
  auto windows = CreateProgram();
  TLangDispatcher* d = DispatcherOf(*windows[0]);
  int language = 2;
  for (auto _ : state) {
    language = 3 - language;
    d->SetActiveLanguage(language);
  }
  benchmark::DoNotOptimize(windows[0]->Caption);
}
BENCHMARK(BM_SwitchAllWindows)->Unit(benchmark::kMicrosecond);

void BM_CreateAllWindows(benchmark::State& state) {
  for (auto _ : state) {
    auto windows = CreateProgram();
    benchmark::DoNotOptimize(windows.data());
  }
}
BENCHMARK(BM_CreateAllWindows)->Unit(benchmark::kMicrosecond);

void BM_ReadMainWindowTables(benchmark::State& state) {
  const std::string payload = StoredTranslationData("TMainForm");
  TTranslator t(nullptr);
  t.SetNumOfLanguages(2);
  for (auto _ : state) t.ReadTranslationData(payload);
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * payload.size()));
}
BENCHMARK(BM_ReadMainWindowTables)->Unit(benchmark::kMicrosecond);

}  // namespace
