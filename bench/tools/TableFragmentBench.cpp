// One keystroke in the table generator at its size bound (1000 rows of 100 cells): checking
// the fields, building the fragment and writing it atomically, beside a plain write of the
// same bytes. The ratio says what the checks, the building and the safe write add per key.
#include <benchmark/benchmark.h>

#include <chrono>
#include <functional>
#include <string>

#include "bench/common/TempFiles.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "tools/core/TableFragment.h"

namespace {

const kv::TTableFields kFields{"1000", "100", "100", "1", "2", "3", true};

using kv::bench::TempFile;

const std::string& FragmentBytes() {
  static const std::string bytes = [] {
    kv::TTableLayout layout;
    kv::CheckTableFields(kFields, layout);
    return kv::BuildTableFragment(layout, "Tabellenfeld");
  }();
  return bytes;
}

double Seconds(const std::function<void()>& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Both in turn in every iteration, so that they meet the same machine load.
void BM_KeystrokeAtTheBoundBesideAPlainWrite(benchmark::State& state) {
  const std::string target = TempFile("KAVELIN_acttable.html");
  const std::string plain = TempFile("plain.html");
  std::string error;
  double keystrokes = 0, writes = 0;
  for (auto _ : state) {
    keystrokes += Seconds([&] {
      kv::TTableLayout layout;
      if (kv::CheckTableFields(kFields, layout) != kv::TTableCheck::Valid) return;
      if (!kv::WriteFileAtomically(target, kv::BuildTableFragment(layout, "Tabellenfeld"), error))
        state.SkipWithError(error.c_str());
    });
    writes += Seconds(
        [&] { benchmark::DoNotOptimize(kv::WriteFileBytes(kv::AsPath(plain), FragmentBytes())); });
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["fragment_mb"] = static_cast<double>(FragmentBytes().size()) / 1e6;
  state.counters["keystroke_ms"] = keystrokes / n * 1000;
  state.counters["plain_write_ms"] = writes / n * 1000;
  state.counters["ratio"] = keystrokes / writes;
}

BENCHMARK(BM_KeystrokeAtTheBoundBesideAPlainWrite)->Iterations(40)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
