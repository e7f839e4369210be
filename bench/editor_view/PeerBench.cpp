// The code editor control beside QScintilla (with its HTML lexer) doing the same thing on the
// same text in the same run, offscreen, each through the widget's own paint: undoing ten
// thousand typed characters in a line of 1 MB, typing with a repaint in that line, repainting
// it unchanged (a caret blink), painting a full view of 60 rows by 200 columns, pasting 10 MB
// and painting the result, and a page up in it. Compare each BM_X with its BM_Qsci_X.
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QClipboard>
#include <QScreen>
#include <memory>
#include <string>

#include "BenchMemo.h"

namespace {

using namespace kv;
using bench::HtmlLine;
using bench::HtmlLines;

constexpr int kRows = 60, kCols = 200;

// A minified page: one line of 1 MB.
const std::string& MegabyteLine() {
  static const std::string line = [] {
    std::string s;
    for (int i = 0; s.size() < (1u << 20); ++i) s += HtmlLine(i);
    return s;
  }();
  return line;
}
const std::string& TenMegabytes() {
  static const std::string text = [] {
    std::string s;
    while (s.size() < (10u << 20)) s += "<p class=\"x\">some text &amp; more</p>\n";
    return s;
  }();
  return text;
}

// Counts the pixels that are not the paper's: a paint that drew nothing is no figure.
bool Painted(const QImage& image) {
  const QRgb paper = image.pixel(image.width() / 2, image.height() - 3);
  for (int y = 0; y < image.height(); y += 2)
    for (int x = 0; x < image.width(); x += 2)
      if (image.pixel(x, y) != paper) return true;
  return false;
}

// Ours, shown and rendered through its widget as QScintilla is.
class Ours : public bench::TBenchMemo {
 public:
  explicit Ours(const std::string& text) : TBenchMemo(text, kRows, kCols) {
    Control().Peer()->show();
  }
  void Paint() { Render(); }
};

// QScintilla with its HTML lexer, the same font and the same size.
class Peer {
 public:
  Peer(const std::string& text, QFont font, QSize size) {
    // Scintilla sizes its fonts in points.
    if (font.pixelSize() > 0)
      font.setPointSizeF(font.pixelSize() * 72.0 /
                         QGuiApplication::primaryScreen()->logicalDotsPerInchY());
    lexer_.setDefaultFont(font);
    lexer_.setFont(font, -1);
    editor_.setLexer(&lexer_);
    editor_.setMarginLineNumbers(0, true);
    editor_.setMarginWidth(0, QStringLiteral("00000"));
    editor_.setUtf8(false);
    Send(QsciScintillaBase::SCI_SETTEXT, 0, text.c_str());
    editor_.resize(size);
    editor_.show();
    // The same rows and columns of text as ours: its own margin and bars around them.
    const int cw = static_cast<int>(
        Send(QsciScintillaBase::SCI_TEXTWIDTH, QsciScintillaBase::STYLE_DEFAULT, "W"));
    const int lh = static_cast<int>(Send(QsciScintillaBase::SCI_TEXTHEIGHT, 0));
    const int margin = static_cast<int>(Send(QsciScintillaBase::SCI_GETMARGINWIDTHN, 0));
    editor_.resize(editor_.width() - editor_.viewport()->width() + margin + kCols * cw + 2,
                   editor_.height() - editor_.viewport()->height() + kRows * lh);
    image_ = QImage(editor_.viewport()->size(), QImage::Format_RGB32);
  }
  ~Peer() { editor_.setLexer(nullptr); }
  long Send(unsigned int message, unsigned long w = 0, long l = 0) {
    return editor_.SendScintilla(message, w, l);
  }
  long Send(unsigned int message, unsigned long w, const char* l) {
    return editor_.SendScintilla(message, w, l);
  }
  void GoTo(long pos) { Send(QsciScintillaBase::SCI_GOTOPOS, static_cast<unsigned long>(pos)); }
  void Paint() { editor_.viewport()->render(&image_); }
  const QImage& Image() const { return image_; }
  QsciScintilla& Editor() { return editor_; }

 private:
  QsciScintilla editor_;
  QsciLexerHTML lexer_;
  QImage image_;
};

void Check(benchmark::State& state, const QImage& image) {
  if (!Painted(image)) state.SkipWithError("the paint drew nothing");
}

// ---- undoing ten thousand typed characters in a line of 1 MB ----------------------------------

constexpr int kTyped = 10000;

void BM_UndoTypingIn1MBLine(benchmark::State& state) {
  Ours ours(MegabyteLine());
  TCustomCodeMemo& m = ours.Model();
  for (auto _ : state) {
    state.PauseTiming();
    m.SetCaret({0, 500000});
    for (int i = 0; i < kTyped; ++i) m.KeyPress(static_cast<char>('a' + i % 26));
    ours.Paint();
    state.ResumeTiming();
    m.Undo();
    ours.Paint();
  }
  if (m.LineLength(0) != static_cast<int>(MegabyteLine().size())) state.SkipWithError("not undone");
  Check(state, ours.Image());
}

void BM_Qsci_UndoTypingIn1MBLine(benchmark::State& state) {
  Ours ours("");
  Peer peer(MegabyteLine(), ours.Font(), ours.Size());
  for (auto _ : state) {
    state.PauseTiming();
    peer.GoTo(500000);
    peer.Send(QsciScintillaBase::SCI_BEGINUNDOACTION);
    for (int i = 0; i < kTyped; ++i) {
      const char c = static_cast<char>('a' + i % 26);
      peer.Send(QsciScintillaBase::SCI_ADDTEXT, 1, &c);
    }
    peer.Send(QsciScintillaBase::SCI_ENDUNDOACTION);
    peer.Paint();
    state.ResumeTiming();
    peer.Send(QsciScintillaBase::SCI_UNDO);
    peer.Paint();
  }
  if (peer.Send(QsciScintillaBase::SCI_GETLENGTH) != static_cast<long>(MegabyteLine().size()))
    state.SkipWithError("not undone");
  Check(state, peer.Image());
}

// ---- typing with a repaint, and repainting unchanged, in a line of 1 MB -----------------------

void BM_TypeAndPaintIn1MBLine(benchmark::State& state) {
  Ours ours(MegabyteLine());
  TCustomCodeMemo& m = ours.Model();
  m.SetCaret({0, 500000});
  ours.Paint();
  for (auto _ : state) {
    m.KeyPress('x');
    ours.Paint();
  }
  Check(state, ours.Image());
}

void BM_Qsci_TypeAndPaintIn1MBLine(benchmark::State& state) {
  Ours ours("");
  Peer peer(MegabyteLine(), ours.Font(), ours.Size());
  peer.GoTo(500000);
  peer.Paint();
  for (auto _ : state) {
    peer.Send(QsciScintillaBase::SCI_ADDTEXT, 1, "x");
    peer.Paint();
  }
  Check(state, peer.Image());
}

void BM_RepaintUnchanged1MBLine(benchmark::State& state) {
  Ours ours(MegabyteLine());
  ours.Model().SetCaret({0, 500000});
  ours.Paint();
  for (auto _ : state) ours.Paint();
  Check(state, ours.Image());
}

void BM_Qsci_RepaintUnchanged1MBLine(benchmark::State& state) {
  Ours ours("");
  Peer peer(MegabyteLine(), ours.Font(), ours.Size());
  peer.GoTo(500000);
  peer.Paint();
  for (auto _ : state) peer.Paint();
  Check(state, peer.Image());
}

// ---- a full view of 60 rows by 200 columns ----------------------------------------------------

void BM_PaintView60x200(benchmark::State& state) {
  Ours ours(HtmlLines(2000));
  ours.Paint();
  for (auto _ : state) ours.Paint();
  state.counters["rows"] = ours.Control().Layout().VisibleRows();
  state.counters["cols"] = ours.Control().Layout().VisibleCols();
  Check(state, ours.Image());
}

void BM_Qsci_PaintView60x200(benchmark::State& state) {
  Ours ours("");
  Peer peer(HtmlLines(2000), ours.Font(), ours.Size());
  peer.Paint();
  for (auto _ : state) peer.Paint();
  state.counters["rows"] = peer.Send(QsciScintillaBase::SCI_LINESONSCREEN);
  state.counters["cols"] =
      peer.Editor().viewport()->width() /
      peer.Send(QsciScintillaBase::SCI_TEXTWIDTH, QsciScintillaBase::STYLE_DEFAULT, "W");
  Check(state, peer.Image());
}

// ---- 10 MB pasted, painted, and a page up in it ----------------------------------------------

void BM_Paste10MBAndPaint(benchmark::State& state) {
  QApplication::clipboard()->setText(
      QString::fromLatin1(TenMegabytes().data(), static_cast<qsizetype>(TenMegabytes().size())));
  for (auto _ : state) {
    state.PauseTiming();
    auto ours = std::make_unique<Ours>("");
    state.ResumeTiming();
    ours->Control().PasteFromClipboard();
    ours->Paint();
    state.PauseTiming();
    Check(state, ours->Image());
    ours.reset();
    state.ResumeTiming();
  }
}

void BM_Qsci_Paste10MBAndPaint(benchmark::State& state) {
  QApplication::clipboard()->setText(
      QString::fromLatin1(TenMegabytes().data(), static_cast<qsizetype>(TenMegabytes().size())));
  Ours ours("");
  for (auto _ : state) {
    state.PauseTiming();
    auto peer = std::make_unique<Peer>("", ours.Font(), ours.Size());
    state.ResumeTiming();
    peer->Editor().paste();
    peer->Paint();
    state.PauseTiming();
    Check(state, peer->Image());
    peer.reset();
    state.ResumeTiming();
  }
}

void BM_PageUpIn10MB(benchmark::State& state) {
  Ours ours(TenMegabytes());
  TCustomCodeMemo& m = ours.Model();
  m.SetCaret({m.LineCount() - 1, 0});
  ours.Paint();
  for (auto _ : state) {
    if (m.CaretY() < 2 * m.VisibleRows()) {
      state.PauseTiming();
      m.SetCaret({m.LineCount() - 1, 0});
      ours.Paint();
      state.ResumeTiming();
    }
    m.KeyDown(keys::VK_PRIOR, 0);
    ours.Paint();
  }
  Check(state, ours.Image());
}

void BM_Qsci_PageUpIn10MB(benchmark::State& state) {
  Ours ours("");
  Peer peer(TenMegabytes(), ours.Font(), ours.Size());
  const long last = peer.Send(QsciScintillaBase::SCI_GETLENGTH);
  peer.GoTo(last);
  peer.Paint();
  for (auto _ : state) {
    if (peer.Send(QsciScintillaBase::SCI_GETFIRSTVISIBLELINE) < 2 * kRows) {
      state.PauseTiming();
      peer.GoTo(last);
      peer.Paint();
      state.ResumeTiming();
    }
    peer.Send(QsciScintillaBase::SCI_PAGEUP);
    peer.Paint();
  }
  Check(state, peer.Image());
}

BENCHMARK(BM_UndoTypingIn1MBLine)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_Qsci_UndoTypingIn1MBLine)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeAndPaintIn1MBLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qsci_TypeAndPaintIn1MBLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RepaintUnchanged1MBLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qsci_RepaintUnchanged1MBLine)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintView60x200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qsci_PaintView60x200)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Paste10MBAndPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_Qsci_Paste10MBAndPaint)->Unit(benchmark::kMillisecond)->Iterations(3);
BENCHMARK(BM_PageUpIn10MB)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Qsci_PageUpIn10MB)->Unit(benchmark::kMillisecond);

}  // namespace
