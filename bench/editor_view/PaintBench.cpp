// Painting of the code editor control, offscreen: a full view of 60 rows by 200 columns of
// highlighted HTML, and scrolling one page (Page Down plus the repaint) in a document of
// 500 000 lines.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <memory>
#include <string>

#include "editor/core/MemoStyler.h"
#include "editor/view/CodeMemo.h"

namespace {

using namespace kv;

// A line of table markup with attributes, strings, numbers, an address and a comment, at least
// 200 characters long, varied by n.
std::string HtmlLine(int n) {
  std::string s = "  <tr class=\"row" + std::to_string(n % 7) +
                  "\"><td width=" + std::to_string(40 + n % 50) + " style='color:#336699'>Item " +
                  std::to_string(n) + "</td><td><a href=\"http://example.com/p/" +
                  std::to_string(n) + ".html\">details</a></td><!-- note " + std::to_string(n) +
                  " --><td>";
  while (s.size() < 210) s += "text &amp; more ";
  return s + "</td></tr>";
}

class MemoBench {
 public:
  MemoBench(int lines, int rows, int cols) : memo(nullptr) {
    memo.Font()->SetName("FixedSys");
    memo.Font()->SetHeight(-13);
    memo.Gutter().Font().SetName("Courier New");
    memo.Gutter().Font().SetHeight(-13);
    memo.SetShowRightMargin(false);
    memo.SetSyntaxStyles(&styler);
    std::string text;
    text.reserve(static_cast<size_t>(lines) * 240);
    for (int i = 0; i < lines; ++i) text += HtmlLine(i) + "\r\n";
    memo.Lines()->SetText(text);
    // The long lines and the many lines show both scroll bars: room for them too.
    TMemoLayout l = memo.Layout();
    l.ClientWidth = l.ClientHeight = 4000;
    l.VScrollVisible = l.HScrollVisible = true;
    const int extraW = 4000 - l.TextArea().Width(), extraH = 4000 - l.TextArea().Height();
    memo.SetBounds(0, 0, extraW + cols * memo.CellWidth(), extraH + rows * memo.LineHeight());
    memo.RefreshScrollBars();
    image = QImage(memo.Peer()->size(), QImage::Format_RGB32);
  }
  ~MemoBench() { memo.SetSyntaxStyles(nullptr); }
  // What a paint event does for the whole window (the scroll bars paint themselves apart).
  void Paint() {
    QPainter p(&image);
    memo.PaintTo(p, image.rect());
  }

  THTMLMemoStyler styler{nullptr};
  TCodeMemo memo;
  QImage image;
};

void BM_PaintFullView60x200(benchmark::State& state) {
  MemoBench b(2000, 60, 200);
  b.memo.Memo().SetSelection({5, 10}, {30, 40});
  b.Paint();
  for (auto _ : state) {
    b.Paint();
    benchmark::ClobberMemory();
  }
  state.counters["rows"] = b.memo.Layout().VisibleRows();
  state.counters["cols"] = b.memo.Layout().VisibleCols();
}
BENCHMARK(BM_PaintFullView60x200)->Unit(benchmark::kMillisecond);

void BM_ScrollOnePageIn500kLines(benchmark::State& state) {
  MemoBench b(500000, 60, 200);
  b.Paint();
  TCustomCodeMemo& m = b.memo.Memo();
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

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
