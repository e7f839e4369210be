// Painting of the code editor control, offscreen: a full view of 60 rows by 200 columns of
// highlighted HTML, and scrolling one page (Page Down plus the repaint) in a document of
// 500 000 lines.
#include <benchmark/benchmark.h>

#include "BenchMemo.h"

namespace {

using namespace kv;
using bench::HtmlLines;
using bench::TBenchMemo;

void BM_PaintFullView60x200(benchmark::State& state) {
  TBenchMemo b(HtmlLines(2000), 60, 200);
  b.Model().SetSelection({5, 10}, {30, 40});
  b.Paint();
  for (auto _ : state) {
    b.Paint();
    benchmark::ClobberMemory();
  }
  state.counters["rows"] = b.Control().Layout().VisibleRows();
  state.counters["cols"] = b.Control().Layout().VisibleCols();
}
BENCHMARK(BM_PaintFullView60x200)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePageIn500kLines(benchmark::State& state) {
  TBenchMemo b(HtmlLines(500000), 60, 200);
  b.Paint();
  TCustomCodeMemo& m = b.Model();
  for (auto _ : state) {
    if (m.CaretY() + 2 * m.VisibleRows() >= m.LineCount()) {
      state.PauseTiming();
      m.SetCaret({0, 0});
      b.Paint();
      state.ResumeTiming();
    }
    m.KeyDown(keys::VK_NEXT, 0);
    b.Paint();
    benchmark::ClobberMemory();
  }
  state.counters["lines"] = m.LineCount();
}
BENCHMARK(BM_ScrollOnePageIn500kLines)->Unit(benchmark::kMillisecond);

}  // namespace
