#include "BenchMemo.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPainter>

#include "platform/FontMap.h"

namespace kv::bench {

std::string HtmlLine(int n) {
  std::string s = "  <tr class=\"row" + std::to_string(n % 7) +
                  "\"><td width=" + std::to_string(40 + n % 50) + " style='color:#336699'>Item " +
                  std::to_string(n) + "</td><td><a href=\"http://example.com/p/" +
                  std::to_string(n) + ".html\">details</a></td><!-- note " + std::to_string(n) +
                  " --><td>";
  while (s.size() < 210) s += "text &amp; more ";
  return s + "</td></tr>";
}

std::string HtmlLines(int count) {
  std::string text;
  text.reserve(static_cast<size_t>(count) * 240);
  for (int i = 0; i < count; ++i) text += HtmlLine(i) + "\r\n";
  return text;
}

TBenchMemo::TBenchMemo(const std::string& text, int rows, int cols) : memo_(nullptr) {
  memo_.Font()->SetName("FixedSys");
  memo_.Font()->SetHeight(-13);
  memo_.Gutter().Font().SetName("Courier New");
  memo_.Gutter().Font().SetHeight(-13);
  memo_.SetShowRightMargin(false);
  memo_.SetSyntaxStyles(&styler_);
  memo_.Lines()->SetText(text);
  // Long lines and many lines show both scroll bars: room for them too.
  TMemoLayout l = memo_.Layout();
  l.ClientWidth = l.ClientHeight = 4000;
  l.VScrollVisible = l.HScrollVisible = true;
  const int extraW = 4000 - l.TextArea().Width(), extraH = 4000 - l.TextArea().Height();
  memo_.SetBounds(0, 0, extraW + cols * memo_.CellWidth(), extraH + rows * memo_.LineHeight());
  memo_.RefreshScrollBars();
  image_ = QImage(memo_.Peer()->size(), QImage::Format_RGB32);
}

TBenchMemo::~TBenchMemo() {
  memo_.SetSyntaxStyles(nullptr);
}

QFont TBenchMemo::Font() {
  return ToQFont(*memo_.Font());
}

void TBenchMemo::Paint() {
  QPainter p(&image_);
  memo_.PaintTo(p, image_.rect());
}

void TBenchMemo::Render() {
  memo_.Peer()->render(&image_);
}

}  // namespace kv::bench

// The benchmarks paint offscreen, with a Qt application around them.
int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
