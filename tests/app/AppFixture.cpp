#include "tests/app/AppFixture.h"

#include <QTimer>
#include <QWidget>
#include <filesystem>

#include "engine/FakeWebEngine.h"
#include "resources/Resources.h"
#include "support/Files.h"
#include "support/StringTools.h"
#include "support/SystemInfo.h"
#include "tests/common/AsPath.h"
#include "tests/common/EventLoop.h"

namespace kv {

namespace fs = std::filesystem;

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "kavelin";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    auto* a = new QApplication(argc, argv);
    InitResources();
    InitReplaceNoCase();
    return a;
  }();
  return *app;
}

TAppFolder::TAppFolder() {
  static int counter = 0;
  // The base is read once: the tests point TMPDIR at their own folders.
  static const fs::path base = fs::temp_directory_path();
  fs::path dir = base / ("kv_app_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  fs::remove_all(dir);
  fs::create_directories(dir / "tmp");
  const fs::path built = fs::path(KV_BINARY_DIR) / "bin";
  fs::copy(built / "Ver.ini", dir / "Ver.ini");
  fs::create_directories(dir / "recom");
  fs::copy(built / "recom", dir / "recom", fs::copy_options::recursive);
  dir_ = dir.string() + "/";
}

TAppFolder::~TAppFolder() {
  std::error_code ec;
  fs::remove_all(fs::path(dir_), ec);
}

void TAppFolder::Write(const std::string& name, const std::string& bytes) const {
  WriteFileBytes(AsPath(dir_ + name), bytes);
}
void TAppFolder::Remove(const std::string& name) const {
  DeleteFileIfExists(AsPath(dir_ + name));
}

TEngineHost FakeEngineHost(TFakeWebEngine** engine) {
  auto fake = std::make_unique<TFakeWebEngine>();
  auto* surface = new QWidget;
  fake->PostCompletion = [surface](std::function<void()> done) {
    QTimer::singleShot(0, surface, done);
  };
  if (engine) *engine = fake.get();
  TEngineHost host;
  host.Engine = std::move(fake);
  host.Widget = surface;
  return host;
}

void MainFormTest::SetUp() {
  TestApp();
  setenv("TMPDIR", folder_.TempDir().c_str(), 1);
  // Recovery copies go to the test's own folder, never to the user's.
  setenv("XDG_STATE_HOME", (folder_.Dir() + "state").c_str(), 1);
  CreateWindowsInfo();
  app_ = std::make_unique<TApplication>();
  app_->OnException = [this](const std::string& m) { errors_.push_back(m); };
  DialogService().MessageBox = [this](TForm*, const std::string& text, const std::string& caption,
                                      unsigned) {
    messages_.push_back(caption + ": " + text);
    return static_cast<int>(mrOk);
  };
}

void MainFormTest::TearDown() {
  app_.reset();
  ResetDialogService();
  FreeWindowsInfo();
}

TMainForm* MainFormTest::Start(TEngineFactory engine, std::vector<std::string> arguments) {
  std::vector<THostPath> paths;
  for (const std::string& a : arguments) paths.push_back(THostPath::FromBytes(a));
  return app_->CreateForm<TMainForm>(nullptr, std::move(engine), std::move(paths),
                                     THostPath::FromBytes(folder_.ProgramPath()));
}

bool MainFormTest::WaitFor(const std::function<bool()>& done, int ms) {
  return WaitUntil(done, ms);
}

}  // namespace kv
