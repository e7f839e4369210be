// The page path on a generated 5 MB page with the real engine, offscreen. Each figure is a ratio
// against a peer measured in the same run, alternating, so both meet the same machine load:
// - saving (SaveDocumentTo) beside the engine's own outerHTML of the same page;
// - opening the page to editable, process start included, beside a minimal Qt WebEngine
//   program opening the same file;
// - the largest pause of a 5 ms heartbeat on the UI thread while recovery copies are taken,
//   beside the 50 ms limit.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "PageGenerator.h"
#include "app/EngineHost.h"
#include "app/MainForm.h"
#include "app/core/PageRewrite.h"
#include "app/core/SaveDocument.h"
#include "platform/Dialogs.h"
#include "resources/Resources.h"
#include "support/AtomicFile.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "support/StringTools.h"
#include "support/SystemInfo.h"
#include "tests/common/AsPath.h"

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kPageBytes = 5200000;

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  const std::size_t mid = values.size() / 2;
  return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// Runs the event loop, asleep between events as the program's own loop is, until done() or
// the time is up.
bool WaitUntil(const std::function<bool()>& done, int ms) {
  if (done()) return true;
  QEventLoop loop;
  QTimer poll, limit;
  QObject::connect(&poll, &QTimer::timeout, [&] {
    if (done()) loop.quit();
  });
  QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
  poll.start(10);
  limit.setSingleShot(true);
  limit.start(ms);
  loop.exec();
  return done();
}

// A private program folder, temporary directory and recovery folder, and the page in a site
// folder of its own.
struct TBenchFolder {
  fs::path Dir;
  TBenchFolder() {
    std::string pattern = (fs::temp_directory_path() / "kv_page_bench.XXXXXX").string();
    Dir = ::mkdtemp(pattern.data());
    fs::create_directories(Dir / "tmp");
    fs::create_directories(Dir / "state");
    fs::create_directories(Dir / "site" / "bilder");
    fs::copy(fs::path(KV_RUNTIME_DIR) / "Ver.ini", Dir / "Ver.ini");
    fs::copy(fs::path(KV_RUNTIME_DIR) / "recom", Dir / "recom", fs::copy_options::recursive);
    kv::WriteFileBytes(kv::AsPath(Page()), kv::GenerateBenchPage(kPageBytes));
    ::setenv("TMPDIR", (Dir / "tmp/").c_str(), 1);
    ::setenv("XDG_STATE_HOME", (Dir / "state").c_str(), 1);
  }
  ~TBenchFolder() { Remove(); }
  void Remove() {
    std::error_code ec;
    fs::remove_all(Dir, ec);
  }
  std::string Page() const { return (Dir / "site" / "garten.html").string(); }
  std::string Path(const char* name) const { return (Dir / "site" / name).string(); }
};

TBenchFolder& Folder() {
  static TBenchFolder folder;
  return folder;
}

std::unique_ptr<kv::TApplication>& App() {
  static std::unique_ptr<kv::TApplication> app;
  return app;
}

// The main window with the real engine and the page open, made once for the whole run.
kv::TMainForm* Window() {
  static kv::TMainForm* form = [] {
    kv::InitResources();
    kv::InitReplaceNoCase();
    kv::CreateWindowsInfo();
    App() = std::make_unique<kv::TApplication>();
    kv::TApplication& app = *App();
    app.OnException = [](const std::string& m) { std::fprintf(stderr, "error: %s\n", m.c_str()); };
    kv::DialogService().MessageBox = [](kv::TForm*, const std::string&, const std::string&,
                                        unsigned) { return 1; };
    auto* f = app.CreateForm<kv::TMainForm>(nullptr, kv::MakeQtEngineHost,
                                            std::vector<kv::THostPath>{kv::AsPath(Folder().Page())},
                                            kv::THostPath::FromSys(Folder().Dir / "kavelin"));
    bool ready = false;
    f->OnEditingReady = [&] { ready = true; };
    f->Show();
    if (!WaitUntil([&] { return ready; }, 180000)) std::fprintf(stderr, "page never editable\n");
    f->OnEditingReady = nullptr;
    return f;
  }();
  return form;
}

QWebEnginePage* EnginePage() {
  return static_cast<QWebEngineView*>(Window()->WebBrowser1->Peer())->page();
}

// The engine's own serialisation of the page, answered back to C++, in seconds.
double OuterHtmlSeconds() {
  QElapsedTimer clock;
  clock.start();
  bool done = false;
  qsizetype length = 0;
  EnginePage()->runJavaScript(QStringLiteral("document.documentElement.outerHTML"),
                              QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                                length = v.toString().size();
                                done = true;
                              });
  WaitUntil([&] { return done; }, 60000);
  benchmark::DoNotOptimize(length);
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

double SaveSeconds(const std::string& target) {
  QElapsedTimer clock;
  clock.start();
  Window()->SaveDocumentTo(kv::AsPath(target));
  return static_cast<double>(clock.nsecsElapsed()) / 1e9;
}

// Runs our measurement and the peer's alternately, which one goes first changing every
// iteration so that neither always meets a warmer machine, and reports both medians (in
// milliseconds) and their ratio. A measurement answers seconds; it throws when it cannot.
void Alternate(benchmark::State& state, const std::string& ours, const std::function<double()>& our,
               const std::string& peers, const std::function<double()>& peer,
               const std::string& label) {
  std::vector<double> mine, theirs;
  bool oursFirst = false;
  try {
    for (auto _ : state) {
      for (int turn = 0; turn < 2; ++turn) {
        if ((turn == 0) == oursFirst)
          mine.push_back(our());
        else
          theirs.push_back(peer());
      }
      oursFirst = !oursFirst;
      state.SetIterationTime(mine.back());
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  state.counters[ours + "_median_ms"] = Median(mine) * 1000;
  state.counters[peers + "_median_ms"] = Median(theirs) * 1000;
  state.counters["ratio"] = Median(mine) / Median(theirs);
  state.SetLabel("iteration time: " + ours + "; " + label);
}

void BM_SaveBesideOuterHtml(benchmark::State& state) {
  Window();
  const std::string target = Folder().Path("gespeichert.html");
  Alternate(
      state, "save", [&] { return SaveSeconds(target); }, "outerHTML", OuterHtmlSeconds,
      "target ratio <= 2, never over 3");
}

// Where a save's time goes: taking the page from the engine (here in slices, as a recovery
// copy takes it), reading and serialising it, rewriting its lines, writing the file.
void BM_SaveStages(benchmark::State& state) {
  kv::TWebEngine* engine = Window()->GetDocument();
  const std::string target = Folder().Path("stufen.html");
  std::vector<double> take, lines, rewrite, write;
  for (auto _ : state) {
    QElapsedTimer clock;
    clock.start();
    std::optional<kv::TPageCapture> capture;
    bool done = false;
    engine->CapturePage(
        [&](std::optional<kv::TPageCapture> c) {
          capture = std::move(c);
          done = true;
        },
        false);
    WaitUntil([&] { return done; }, 60000);
    take.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    const kv::TSerializedPage page = capture->Page();
    lines.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    const std::string bytes =
        kv::RewriteSavedText(page.Text, kv::Utf8ToCp1252(Window()->DocDir.Bytes()));
    rewrite.push_back(clock.nsecsElapsed() / 1e6);
    clock.restart();
    std::string error;
    if (!kv::WriteFileAtomically(target, bytes, error)) state.SkipWithError(error.c_str());
    write.push_back(clock.nsecsElapsed() / 1e6);
    state.SetIterationTime((take.back() + lines.back() + rewrite.back() + write.back()) / 1000);
  }
  state.counters["take_ms"] = Median(take);
  state.counters["lines_ms"] = Median(lines);
  state.counters["rewrite_ms"] = Median(rewrite);
  state.counters["write_ms"] = Median(write);
}

// Process start to the page editable: our program opening the page (KAVELIN_EXIT_WHEN_READY)
// beside the minimal Qt WebEngine program opening the same file, alternating.
double StartSeconds(const std::string& program) {
  const kv::TStartResult run = kv::TimeUntilLine(program, {"KAVELIN_EXIT_WHEN_READY=1"},
                                                 "KAVELIN-READY", 300, {Folder().Page()});
  if (!run.Error.empty()) throw std::runtime_error(run.Error);
  return run.Seconds;
}

void BM_OpenBesideMinimal(benchmark::State& state) {
  const std::string kavelin = std::string(KV_RUNTIME_DIR) + "/kavelin";
  Alternate(
      state, "kavelin", [&] { return StartSeconds(kavelin); }, "minimal",
      [] { return StartSeconds(KV_MINIMAL_WEBENGINE); }, "target ratio <= 1.2");
}

// The UI thread's largest pause while recovery copies of the page are taken: a 5 ms heartbeat
// timer runs while the page is changed and copied again and again.
void BM_HeartbeatWhileCopying(benchmark::State& state) {
  kv::TMainForm* form = Window();
  form->Recovery->SetTimes(std::chrono::milliseconds(50), std::chrono::milliseconds(200));
  QElapsedTimer clock;
  qint64 last = 0, largest = 0;
  QTimer heartbeat;
  heartbeat.setTimerType(Qt::PreciseTimer);
  QObject::connect(&heartbeat, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    largest = std::max(largest, now - last);
    last = now;
  });
  // The same heartbeat with nothing to do: what the machine itself costs.
  clock.start();
  heartbeat.start(5);
  WaitUntil([] { return false; }, 2000);
  heartbeat.stop();
  const qint64 idle = largest;
  largest = 0;
  int copies = 0;
  for (auto _ : state) {
    const int before = form->Recovery->CopiesWritten();
    QElapsedTimer iteration;
    iteration.start();
    clock.start();
    last = 0;
    heartbeat.start(5);
    // An edit as the user makes them: the page reports it, and a copy follows.
    EnginePage()->runJavaScript(
        QStringLiteral("document.body.appendChild(document.createTextNode('x')); true;"),
        QWebEngineScript::ApplicationWorld, [](const QVariant&) {});
    WaitUntil([&] { return form->Recovery->CopiesWritten() > before; }, 60000);
    heartbeat.stop();
    copies += form->Recovery->CopiesWritten() - before;
    state.SetIterationTime(static_cast<double>(iteration.nsecsElapsed()) / 1e9);
  }
  state.counters["largest_gap_ms"] = static_cast<double>(largest) / 1e6;
  state.counters["idle_largest_gap_ms"] = static_cast<double>(idle) / 1e6;
  state.counters["limit_ms"] = 50;
  state.counters["ratio"] = static_cast<double>(largest) / 1e6 / 50;
  state.counters["copies"] = copies;
  state.SetLabel("iteration time: change to copy written");
}

// Inside the page, by its own clock: the script that hands the page over beside outerHTML.
double ScriptMilliseconds(const QString& expression) {
  double ms = 0;
  bool done = false;
  EnginePage()->runJavaScript(QStringLiteral("(function () { var t = performance.now(); var s = %1;"
                                             " return [performance.now() - t, s.length]; })()")
                                  .arg(expression),
                              QWebEngineScript::ApplicationWorld, [&](const QVariant& v) {
                                ms = v.toList().value(0).toDouble();
                                done = true;
                              });
  WaitUntil([&] { return done; }, 60000);
  return ms;
}

void BM_PageScriptBesideOuterHtml(benchmark::State& state) {
  Window();
  std::vector<double> script, outer;
  for (auto _ : state) {
    outer.push_back(ScriptMilliseconds(QStringLiteral("document.documentElement.outerHTML")));
    script.push_back(ScriptMilliseconds(QStringLiteral("window.__kv.capture(false)")));
    state.SetIterationTime(script.back() / 1000);
  }
  state.counters["script_median_ms"] = Median(script);
  state.counters["outerHTML_median_ms"] = Median(outer);
  state.counters["ratio"] = Median(script) / Median(outer);
  state.SetLabel("iteration time: the page script; target ratio <= 1");
}

}  // namespace

BENCHMARK(BM_PageScriptBesideOuterHtml)
    ->Iterations(15)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveStages)->Iterations(7)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveBesideOuterHtml)->Iterations(15)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HeartbeatWhileCopying)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OpenBesideMinimal)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
  if (geteuid() == 0) ::setenv("QTWEBENGINE_DISABLE_SANDBOX", "1", 0);
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  Folder();
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  QApplication qtApp(argc, argv);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  // The window goes while the application object still lives; then the folder.
  if (App()) {
    App()->DestroyForms();
    App().reset();
  }
  kv::FreeWindowsInfo();
  Folder().Remove();
  return 0;
}
