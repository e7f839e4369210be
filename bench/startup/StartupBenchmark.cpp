// From process start to an editable blank page: our program (KAVELIN_EXIT_WHEN_READY=1) and
// the minimal Qt WebEngine program, each started as its own process, alternating run by run so
// that both meet the same machine load. Reports the medians and their ratio.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace {

const char* const kReadyLine = "KAVELIN-READY";
constexpr double kTimeoutSeconds = 90;

std::string KavelinBinary() {
  const char* overridden = std::getenv("KAVELIN_BINARY");
  return overridden && *overridden ? overridden : KV_KAVELIN_BINARY;
}

std::vector<std::string> ChildEnvironment() {
  std::vector<std::string> env = {"KAVELIN_EXIT_WHEN_READY=1"};
  if (!std::getenv("QT_QPA_PLATFORM")) env.push_back("QT_QPA_PLATFORM=offscreen");
  if (geteuid() == 0 && !std::getenv("QTWEBENGINE_DISABLE_SANDBOX"))
    env.push_back("QTWEBENGINE_DISABLE_SANDBOX=1");
  return env;
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

void BM_StartupToEditableBlankPage(benchmark::State& state) {
  const std::string kavelin = KavelinBinary();
  const bool haveKavelin = access(kavelin.c_str(), X_OK) == 0;
  const std::vector<std::string> env = ChildEnvironment();
  std::vector<double> minimal, ours;
  bool oursFirst = false;

  for (auto _ : state) {
    double iteration = 0;
    // Alternate which one starts first, so neither always runs on a warmer cache.
    for (int turn = 0; turn < 2; ++turn) {
      bool runOurs = (turn == 0) == oursFirst;
      if (runOurs && !haveKavelin) continue;
      kv::TStartResult run = kv::TimeUntilLine(runOurs ? kavelin : KV_MINIMAL_WEBENGINE, env,
                                               kReadyLine, kTimeoutSeconds);
      if (!run.Error.empty()) {
        state.SkipWithError(run.Error.c_str());
        return;
      }
      (runOurs ? ours : minimal).push_back(run.Seconds);
      if (runOurs || !haveKavelin) iteration = run.Seconds;
    }
    oursFirst = !oursFirst;
    state.SetIterationTime(iteration);
  }

  state.counters["minimal_median_ms"] = Median(minimal) * 1000;
  if (haveKavelin) {
    state.counters["kavelin_median_ms"] = Median(ours) * 1000;
    state.counters["ratio"] = Median(ours) / Median(minimal);
    state.SetLabel("iteration time: kavelin");
  } else {
    state.SetLabel("kavelin not built (" + kavelin + "): minimal program only");
  }
}

BENCHMARK(BM_StartupToEditableBlankPage)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
