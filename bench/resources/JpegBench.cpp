// Decoding the program's JPEGs through libjpeg, beside Qt's own JPEG plugin on the same bytes:
// the showcase picture is the largest one decoded at start-up, the header the widest.
#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QGuiApplication>
#include <QImage>
#include <string>

#include "platform/Jpeg.h"
#include "resources/Resources.h"
#include "support/Files.h"

namespace {

QByteArray Picture(int which) {
  if (which == 0) return kv::ResourceBytes(kv::ResourcePath::ShowcaseGerman);
  std::string bytes;
  kv::ReadFileBytes(kv::THostPath::FromBytes(KV_SOURCE_DIR "/resources/runtime/recom/m_head.jpg"),
                    bytes);
  return QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

const char* PictureName(int which) {
  return which == 0 ? "showcase 987x665" : "header 1600x40";
}

void BM_DecodeJpegLibjpeg(benchmark::State& state) {
  const QByteArray bytes = Picture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    QImage image = kv::DecodeJpeg(bytes);
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetLabel(PictureName(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeJpegLibjpeg)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_DecodeJpegQtPlugin(benchmark::State& state) {
  const QByteArray bytes = Picture(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    QImage image = QImage::fromData(bytes, "JPEG");
    benchmark::DoNotOptimize(image.constBits());
  }
  state.SetLabel(PictureName(static_cast<int>(state.range(0))));
  state.SetBytesProcessed(state.iterations() * bytes.size());
}
BENCHMARK(BM_DecodeJpegQtPlugin)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);  // Qt's image plugins are found through the application
  kv::InitResources();
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
