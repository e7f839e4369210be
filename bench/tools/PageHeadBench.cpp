// The meta tag window's work on a 5 MB page of 100 000 lines: reading the head (normalising
// every line) and writing it back, beside the floor of touching every line once (splitting the
// file's text into lines and joining them again).
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "platform/classes/Strings.h"
#include "support/StringTools.h"
#include "tools/core/PageHead.h"

namespace {

const std::vector<std::string>& PageLines() {
  static const std::vector<std::string> lines = [] {
    std::vector<std::string> out = {
        "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.01 Transitional//EN\">",
        "<HTML>",
        "<HEAD>",
        "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">",
        "<TITLE>Garten &amp; Blumen</TITLE>",
        "<META NAME=AUTHOR CONTENT=\"&#321;ukasz\">",
        "<META NAME=GENERATOR CONTENT=\"MSHTML 11.00.10570.1001\">",
        "</HEAD>",
        "<BODY>"};
    const std::vector<std::string> shapes = {
        "<P>Lorem ipsum dolor sit amet, consectetur adipisici elit, sed eiusmod.</P>",
        "<P><IMG src=\"bilder/rose.jpg\" width=120 content=\"\"></P>",
        "<TD class=x>Zelle mit \xE4\xF6\xFC und einem <A href=\"seite.html\">Link</A></TD>",
        "<P>Meine Seiten werden oft bearbeitet, manchmal auch am Wochenende.</P>"};
    for (int i = 0; out.size() < 100000; ++i) out.push_back(shapes[(i * 7 + i / 13) % 4]);
    out.push_back("</BODY>");
    out.push_back("</HTML>");
    return out;
  }();
  return lines;
}

std::string PageText() {
  std::string text;
  for (const auto& l : PageLines()) text += l + "\r\n";
  return text;
}

void SetBytes(benchmark::State& state) {
  static const int64_t size = static_cast<int64_t>(PageText().size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size);
}

void BM_SplitAndJoinLines(benchmark::State& state) {
  const std::string text = PageText();
  for (auto _ : state) {
    std::string joined;
    for (const std::string& line : kv::SplitLines(text)) joined += line + "\r\n";
    benchmark::DoNotOptimize(joined);
  }
  SetBytes(state);
}

void BM_ReadPageHead(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(kv::ReadPageHead(PageLines()));
  SetBytes(state);
}

void BM_AddAndWritePageHead(benchmark::State& state) {
  const kv::THeadReading read = kv::ReadPageHead(PageLines());
  kv::THeadValues values = read.Values;
  values.Description = "Ein Garten voller Blumen";
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        kv::WritePageHead(kv::AddMissingHeadItems(read.Lines, false), values, false));
  }
  SetBytes(state);
}

BENCHMARK(BM_SplitAndJoinLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPageHead)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_AddAndWritePageHead)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  kv::InitReplaceNoCase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
