#include "tests/app_document/DocumentFixture.h"

#include <QApplication>
#include <QTest>
#include <QWebEngineView>
#include <filesystem>

#include "app/EngineHost.h"
#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "resources/Resources.h"
#include "support/Files.h"
#include "support/StringTools.h"
#include "support/SystemInfo.h"
#include "tests/common/AsPath.h"
#include "tests/common/EventLoop.h"

namespace kv {

namespace fs = std::filesystem;

namespace {

QApplication& TestApp() {
  static int argc = 1;
  static char name[] = "kavelin";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    auto* a = new QApplication(argc, argv);
    InitResources();
    InitReplaceNoCase();
    return a;
  }();
  return *app;
}

}  // namespace

void DocumentFlowTest::SetUp() {
  TestApp();
  static int counter = 0;
  static const fs::path base = fs::temp_directory_path();
  const fs::path dir =
      base / ("kv_doc_" + std::to_string(::getpid()) + "_" + std::to_string(++counter));
  fs::remove_all(dir);
  fs::create_directories(dir / "tmp");
  const fs::path built = fs::path(KV_BINARY_DIR) / "bin";
  fs::copy(built / "Ver.ini", dir / "Ver.ini");
  fs::copy(built / "recom", dir / "recom", fs::copy_options::recursive);
  dir_ = dir.string() + "/";

  ::setenv("TMPDIR", TempDir().c_str(), 1);
  // Recovery copies go to the test's own folder, never to the user's.
  ::setenv("XDG_STATE_HOME", (dir_ + "state").c_str(), 1);
  CreateWindowsInfo();
  app_ = std::make_unique<TApplication>();
  app_->OnException = [this](const std::string& m) { errors_.push_back(m); };
  DialogService().MessageBox = [this](TForm*, const std::string& text, const std::string& caption,
                                      unsigned flags) {
    messages_.push_back(caption + ": " + text);
    if (flags & MB_YESNO) return static_cast<int>(answerYes_ ? mrYes : mrNo);
    return static_cast<int>(mrOk);
  };
  DialogService().FileDialog = [this](const TOpenDialog& dialog,
                                      bool) -> std::optional<std::string> {
    dialogPresets_.push_back(dialog.FileName());
    return answer_;
  };
}

void DocumentFlowTest::TearDown() {
  app_.reset();
  ResetDialogService();
  FreeWindowsInfo();
  std::error_code ec;
  for (auto& e : fs::recursive_directory_iterator(fs::path(dir_), ec))
    if (e.is_directory(ec))
      fs::permissions(e.path(), fs::perms::owner_all, fs::perm_options::add, ec);
  fs::remove_all(fs::path(dir_), ec);
}

TMainForm* DocumentFlowTest::StartReady(std::vector<std::string> arguments) {
  std::vector<THostPath> paths;
  for (const std::string& a : arguments) paths.push_back(THostPath::FromBytes(a));
  form_ = app_->CreateForm<TMainForm>(nullptr, MakeQtEngineHost, std::move(paths),
                                      THostPath::FromBytes(dir_ + "kavelin"));
  bool ready = false;
  form_->OnEditingReady = [&] { ready = true; };
  form_->Show();
  EXPECT_TRUE(WaitFor([&] { return ready; }, 60000)) << "the page never became editable";
  form_->OnEditingReady = nullptr;
  return form_;
}

bool DocumentFlowTest::WaitFor(const std::function<bool()>& done, int ms) {
  return WaitUntil(done, ms);
}

void DocumentFlowTest::Type(const std::string& text) {
  form_->WebBrowser1->SetFocus();
  QWidget* surface = static_cast<QWebEngineView*>(form_->WebBrowser1->Peer())->focusProxy();
  ASSERT_NE(surface, nullptr);
  // The caret goes into the (empty) page where the user clicks.
  QTest::mouseClick(surface, Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
  QTest::qWait(200);
  QTest::keyClicks(surface, QString::fromStdString(text));
  // The keys reach the page's process asynchronously; a save right now could miss them.
  const bool arrived = WaitFor([&] {
    std::string page;
    for (const std::string& line : form_->GetDocument()->SaveToLines()) page += line;
    return page.find(text) != std::string::npos;
  });
  EXPECT_TRUE(arrived) << "the typed text never reached the page: " << text;
}

void DocumentFlowTest::AnswerFileDialog(std::optional<std::string> name) {
  answer_ = std::move(name);
}

void DocumentFlowTest::Click(const std::function<void()>& handler) {
  SafeCall(handler);
}

std::string DocumentFlowTest::FileText(const std::string& path) {
  std::string bytes;
  ReadFileBytes(AsPath(path), bytes);
  return bytes;
}

std::vector<std::string> DocumentFlowTest::FilesIn(const std::string& dir,
                                                   const std::string& prefix) {
  std::vector<std::string> names;
  std::error_code ec;
  for (auto& e : fs::directory_iterator(fs::path(dir), ec)) {
    const std::string name = e.path().filename().string();
    if (name.rfind(prefix, 0) == 0) names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace kv
