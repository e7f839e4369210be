// A save of a 5 MB page of 100 000 lines: the in-memory rewriting (for the folder as page text
// and as the host names it) with its one atomic write, beside the same rewriting done as ten file
// passes and beside a plain read and write of the same bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/core/PageRewrite.h"
#include "app/core/SaveDocument.h"
#include "app/core/reference/FilePassSave.h"
#include "bench/common/TempFiles.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "support/HostPath.h"
#include "support/StringTools.h"
#include "tests/common/AsPath.h"

namespace {

const std::string kDocDir = "/home/u/web/site/";

// Lines as the engine writes a long page: mostly text, with pictures and links in between.
const std::vector<std::string>& PageLines() {
  static const std::vector<std::string> lines = [] {
    const std::vector<std::string> shapes = {
        "<P>Lorem ipsum dolor sit amet, consectetur adipisici.</P>",
        "<P><IMG src=\"file:///home/u/web/site/bilder/rose.jpg\"></P>",
        "<P><IMG src=\"/home/u/web/images/tulpe.jpg\" width=120></P>",
        "<P><A href=\"https://example.org/home/u/web/\">Garten</A> und Gr\xF6\xDF"
        "e</P>",
        "<TD class=x>Zelle mit \xE4\xF6\xFC und C:\\Pfad\\datei.txt</TD>",
        "<META NAME=KEYWORDS content=garten,blumen,rosen,tulpen>",
        "</TR><TR>",
        "<P>Meine Seiten liegen in /home/u/web/ und werden oft bearbeitet.</P>"};
    std::vector<std::string> out;
    for (int i = 0; i < 100000; ++i) out.push_back(shapes[(i * 7 + i / 13) % shapes.size()]);
    return out;
  }();
  return lines;
}

using kv::bench::TempFile;

void SetBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(kv::JoinSavedLines(PageLines()).size()));
}

void BM_PlainReadWrite(benchmark::State& state) {
  const std::string source = TempFile("source.html");
  kv::WriteFileBytes(kv::AsPath(source), kv::JoinSavedLines(PageLines()));
  const std::string target = TempFile("copy.html");
  for (auto _ : state) {
    std::string bytes;
    kv::ReadFileBytes(kv::AsPath(source), bytes);
    kv::WriteFileBytes(kv::AsPath(target), bytes);
  }
  SetBytes(state);
}

// The same copy written the safe way (temporary file, fsync, rename).
void BM_PlainReadAtomicWrite(benchmark::State& state) {
  const std::string source = TempFile("source.html");
  kv::WriteFileBytes(kv::AsPath(source), kv::JoinSavedLines(PageLines()));
  const std::string target = TempFile("copy-atomic.html");
  std::string error;
  for (auto _ : state) {
    std::string bytes;
    kv::ReadFileBytes(kv::AsPath(source), bytes);
    kv::WriteFileAtomically(target, bytes, error);
  }
  SetBytes(state);
}

void BM_RewriteInMemory(benchmark::State& state) {
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> lines = PageLines();
    state.ResumeTiming();
    benchmark::DoNotOptimize(kv::RewriteSavedPage(std::move(lines), kDocDir));
  }
  SetBytes(state);
}

// The rewriting the program runs, for the folder as the host names it: range(0) picks a folder
// of plain letters or one named "Łódź", whose address a page may hold in several forms.
void BM_RewriteInMemoryHostPath(benchmark::State& state) {
  const kv::THostPath docDir =
      kv::THostPath::FromBytes(state.range(0) == 0 ? kDocDir
                                                   : "/home/u/web/\xC5\x81\xC3\xB3"
                                                     "d\xC5\xBA/");
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> lines = PageLines();
    state.ResumeTiming();
    benchmark::DoNotOptimize(kv::RewriteSavedPage(std::move(lines), docDir));
  }
  SetBytes(state);
}

void BM_RewriteAndAtomicWrite(benchmark::State& state) {
  const std::string target = TempFile("ours.html");
  for (auto _ : state) {
    state.PauseTiming();
    std::vector<std::string> lines = PageLines();
    state.ResumeTiming();
    kv::SaveRewrittenPage(kv::AsPath(target), std::move(lines), kv::AsPath(kDocDir));
  }
  SetBytes(state);
}

void BM_TenFilePasses(benchmark::State& state) {
  const std::string target = TempFile("reference.html");
  for (auto _ : state) kv::SaveByFilePasses(target, PageLines(), kDocDir, kv::TPathStyle::Posix);
  SetBytes(state);
}

BENCHMARK(BM_PlainReadWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainReadAtomicWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteInMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteInMemoryHostPath)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RewriteAndAtomicWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TenFilePasses)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  kv::InitReplaceNoCase();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(std::filesystem::path(TempFile("")).parent_path(), ec);
  return 0;
}
