// Figures of the editor core on a corpus of real HTML (the pages under /usr/share, repeated up
// to at least 20 MB and 500 000 lines): loading, tokenizing every line, typing in the middle
// of the document and searching near its end; QScintilla's HTML lexer as a peer when present.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "editor/core/CodeMemo.h"

#ifdef KV_BENCH_QSCINTILLA
#include <Qsci/qscilexerhtml.h>
#include <Qsci/qsciscintilla.h>

#include <QApplication>
#endif

namespace {

constexpr size_t kMinBytes = 20u * 1024 * 1024;
constexpr size_t kMinLines = 500000;
const char* const kNeedle = "kavelin-needle-near-the-end";

const std::string& Corpus() {
  static const std::string corpus = [] {
    std::vector<std::filesystem::path> files;
    std::error_code ec;
    for (const char* root : {"/usr/share/doc", "/usr/share"}) {
      for (auto it = std::filesystem::recursive_directory_iterator(
               root, std::filesystem::directory_options::skip_permission_denied, ec);
           it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        if (ec) break;
        const auto ext = it->path().extension().string();
        if ((ext == ".html" || ext == ".htm") && it->is_regular_file(ec))
          files.push_back(it->path());
      }
    }
    std::sort(files.begin(), files.end());
    files.erase(std::unique(files.begin(), files.end()), files.end());
    std::string pages;
    for (const auto& f : files) {
      std::ifstream in(f, std::ios::binary);
      pages.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
      pages += "\r\n";
    }
    if (pages.empty())
      pages = "<html><body><p class=\"x\">Hello <b>world</b> 12.5</p></body></html>\r\n";
    // The editor's text ends at a NUL; keep the pages whole.
    std::replace(pages.begin(), pages.end(), '\0', ' ');
    std::string text;
    while (text.size() < kMinBytes ||
           static_cast<size_t>(std::count(text.begin(), text.end(), '\n')) < kMinLines)
      text += pages;
    text += "<p>" + std::string(kNeedle) + "</p>\r\n<p>the end</p>\r\n";
    return text;
  }();
  return corpus;
}

struct Loaded {
  Loaded() : styler(nullptr) {
    memo.SetSyntaxStyles(&styler);
    memo.Lines().SetText(Corpus());
  }
  kv::THTMLMemoStyler styler;
  kv::TCustomCodeMemo memo;
};

Loaded& Shared() {
  static Loaded loaded;
  return loaded;
}

size_t TokenizeAll(kv::TCustomCodeMemo& memo) {
  size_t runs = 0;
  kv::TTokenState state;
  for (int i = 0; i < memo.LineCount(); ++i)
    memo.TokenizeLine(memo.Line(i), state, [&](const kv::TTokenRun&) { ++runs; });
  return runs;
}

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(Corpus().size()));
  state.counters["MB"] = static_cast<double>(Corpus().size()) / (1024.0 * 1024.0);
}

void BM_Load(benchmark::State& state) {
  for (auto _ : state) {
    kv::TCustomCodeMemo memo;
    memo.Lines().SetText(Corpus());
    benchmark::DoNotOptimize(memo.LineCount());
  }
  SetBytes(state);
}

void BM_TokenizeAll(benchmark::State& state) {
  auto& memo = Shared().memo;
  size_t runs = 0;
  for (auto _ : state) runs = TokenizeAll(memo);
  state.counters["lines"] = memo.LineCount();
  state.counters["runs"] = static_cast<double>(runs);
  SetBytes(state);
}

void BM_LoadAndTokenize(benchmark::State& state) {
  kv::THTMLMemoStyler styler(nullptr);
  for (auto _ : state) {
    kv::TCustomCodeMemo memo;
    memo.SetSyntaxStyles(&styler);
    memo.Lines().SetText(Corpus());
    benchmark::DoNotOptimize(TokenizeAll(memo));
  }
  SetBytes(state);
}

// One typed character in the middle of the document, the caret put back each round.
void BM_TypeCharMiddle(benchmark::State& state) {
  auto& memo = Shared().memo;
  const int line = memo.LineCount() / 2;
  memo.SetCaret({line, 0});
  int typed = 0;
  for (auto _ : state) {
    memo.KeyPress('x');
    if (++typed == 1000) {
      state.PauseTiming();
      memo.SetCaret({line, 0});
      typed = 0;
      state.ResumeTiming();
    }
  }
  state.counters["lines"] = memo.LineCount();
}

void BM_TypeThousandChars(benchmark::State& state) {
  auto& memo = Shared().memo;
  const int line = memo.LineCount() / 2 + 1;
  for (auto _ : state) {
    memo.SetCaret({line, 3});
    for (int i = 0; i < 1000; ++i) memo.KeyPress(static_cast<char>('a' + i % 26));
  }
  // Seconds per typed character.
  state.counters["per_char"] = benchmark::Counter(
      1000, benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// Breaking a line and joining it again: the line list itself moves, so this costs the
// length of the document in memory moves.
void BM_EnterAndJoinMiddle(benchmark::State& state) {
  auto& memo = Shared().memo;
  const int line = memo.LineCount() / 2 + 2;
  for (auto _ : state) {
    memo.SetCaret({line, 2});
    memo.KeyDown(kv::keys::VK_RETURN, 0);
    memo.KeyDown(kv::keys::VK_BACK, 0);
  }
  state.counters["lines"] = memo.LineCount();
}

void Search(benchmark::State& state, const std::string& text, kv::TFindOptions options) {
  auto& memo = Shared().memo;
  for (auto _ : state) {
    memo.SetCaret({0, 0});
    memo.CollapseSelection();
    benchmark::DoNotOptimize(memo.SearchText(text, options | kv::frDown));
  }
  if (memo.GetSelText() != kNeedle) state.SkipWithError("needle not found");
  SetBytes(state);
}

void BM_SearchMatchCase(benchmark::State& state) {
  Search(state, kNeedle, kv::frMatchCase);
}

void BM_SearchIgnoreCase(benchmark::State& state) {
  std::string upper = kNeedle;
  std::transform(upper.begin(), upper.end(), upper.begin(),
                 [](char c) { return c >= 'a' && c <= 'z' ? c - 32 : c; });
  Search(state, upper, 0);
}

BENCHMARK(BM_Load)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TokenizeAll)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_LoadAndTokenize)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_TypeCharMiddle)->Unit(benchmark::kMicrosecond)->Iterations(20000);
BENCHMARK(BM_TypeThousandChars)->Unit(benchmark::kMillisecond)->Iterations(20);
BENCHMARK(BM_EnterAndJoinMiddle)->Unit(benchmark::kMicrosecond)->Iterations(200);
BENCHMARK(BM_SearchMatchCase)->Unit(benchmark::kMillisecond)->Iterations(10);
BENCHMARK(BM_SearchIgnoreCase)->Unit(benchmark::kMillisecond)->Iterations(10);

#ifdef KV_BENCH_QSCINTILLA
// The peer: the same bytes set into a QScintilla editor and styled whole by its HTML lexer.
void BM_QsciLoadAndStyle(benchmark::State& state) {
  for (auto _ : state) {
    QsciScintilla editor;
    QsciLexerHTML lexer;
    editor.setLexer(&lexer);
    editor.SendScintilla(QsciScintillaBase::SCI_SETTEXT, static_cast<unsigned long>(0),
                         Corpus().c_str());
    editor.SendScintilla(QsciScintillaBase::SCI_COLOURISE, static_cast<unsigned long>(0),
                         static_cast<long>(-1));
    benchmark::DoNotOptimize(editor.SendScintilla(QsciScintillaBase::SCI_GETENDSTYLED));
    editor.setLexer(nullptr);
  }
  SetBytes(state);
}
BENCHMARK(BM_QsciLoadAndStyle)->Unit(benchmark::kMillisecond)->Iterations(3);
#endif

}  // namespace

int main(int argc, char** argv) {
#ifdef KV_BENCH_QSCINTILLA
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
#endif
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
