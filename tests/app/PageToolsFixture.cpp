#include "tests/app/PageToolsFixture.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <cctype>
#include <memory>

#include "app/core/WorkingFiles.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "support/Shell.h"
#include "tests/common/AsPath.h"
#include "tools/CreateTableForm.h"

namespace kv {

void PageToolsTest::SetUp() {
  MainFormTest::SetUp();
  SetProcessLauncher([this](const std::vector<std::string>& argv) {
    opened_.push_back(argv);
    return true;
  });
}

void PageToolsTest::TearDown() {
  SetProcessLauncher({});
  SetAtomicWriteFault({});
  MainFormTest::TearDown();
}

TMainForm* PageToolsTest::StartOn(const std::string& page) {
  ForceDirectories(AsPath(folder_.Dir() + "site"));
  WriteFileBytes(AsPath(PagePath()), page);
  main_ = Start([this] { return FakeEngineHost(&engine_); }, {PagePath()});
  app_->CreateForm<TCreateTableForm>(nullptr);
  source_ = app_->CreateForm<TQuellcodeForm>(nullptr);
  about_ = app_->CreateForm<TAboutBox>(nullptr);
  showcase_ = app_->CreateForm<TWerbungForm>(nullptr);
  meta_ = app_->CreateForm<TMetaTagForm>(nullptr);
  main_->Show();
  EXPECT_TRUE(
      WaitFor([&] { return main_->CurrentFile.Bytes() == PagePath() && !engine_->Busy(); }));
  return main_;
}

void PageToolsTest::Visit(const std::function<void()>& handOff,
                          const std::function<void()>& steps) {
  // The steps run inside the window's loop once it has the keyboard, and never after the
  // hand-off returned (a window that closes at once never runs them).
  auto over = std::make_shared<bool>(false);
  QTimer::singleShot(0, [steps, over] {
    WaitFor(
        [&] {
          QWidget* modal = QApplication::activeModalWidget();
          return *over || (modal && modal->isActiveWindow());
        },
        5000);
    if (!*over) SafeCall(steps);
  });
  SafeCall(handOff);
  *over = true;
}

bool PageToolsTest::WaitForPage(const std::string& address) {
  return WaitFor([&] { return engine_->LastAddress == address && !engine_->Busy(); });
}

void PageToolsTest::Focus(QWidget* target) {
  QWidget* window = target->window();
  window->activateWindow();
  EXPECT_TRUE(QTest::qWaitForWindowActive(window)) << "the window never became active";
  target->setFocus(Qt::OtherFocusReason);
  EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == target; }, 2000))
      << "the control never got the focus: " << target->metaObject()->className() << " in "
      << window->windowTitle().toStdString() << " active " << window->isActiveWindow()
      << " visible " << target->isVisible() << " focus on "
      << (QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className()
                                      : "nothing");
}

void PageToolsTest::Press(QWidget* target, int key, Qt::KeyboardModifiers modifiers) {
  if (QApplication::focusWidget() != target) Focus(target);
  QTest::keyClick(target, static_cast<Qt::Key>(key), modifiers);
}

void PageToolsTest::Type(QWidget* target, const QString& text) {
  if (QApplication::focusWidget() != target) Focus(target);
  // One key event per character, with the character as its text (QTest's own typing knows
  // Latin-1 only).
  for (char32_t code : text.toUcs4()) {
    const QString one = QString::fromUcs4(&code, 1);
    const int key = code < 0x80 && std::isalnum(static_cast<int>(code))
                        ? static_cast<int>(QChar(static_cast<char16_t>(code)).toUpper().unicode())
                        : Qt::Key_unknown;
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, one);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, one);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }
}

void PageToolsTest::ExpectLeavingChangesNothing(const std::vector<TLeaveCase>& cases,
                                                const std::function<void()>& handOff,
                                                const std::function<void()>& steps, TForm* window,
                                                const std::string& guarded) {
  const std::string snapshot = DocFile(WorkingFile::Undo);
  for (const TLeaveCase& c : cases) {
    for (const char* earlier : {"", "<P>earlier snapshot</P>\r\n"}) {
      SCOPED_TRACE(std::string(c.name) + (*earlier ? " with" : " without") + " a snapshot");
      if (*earlier)
        WriteFileBytes(AsPath(snapshot), earlier);
      else
        DeleteFileIfExists(AsPath(snapshot));
      const size_t navigations = engine_->Navigations.size();
      std::string before;
      Visit(handOff, [&] {
        before = FileText(guarded);
        steps();
        c.leave();
      });
      EXPECT_EQ(window->ModalResult(), c.result);
      EXPECT_EQ(FileText(guarded), before);
      EXPECT_EQ(ReadOr(snapshot, "(none)"), *earlier ? earlier : "(none)");
      EXPECT_EQ(engine_->Navigations.size(), navigations);
    }
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

std::string PageToolsTest::FileText(const std::string& path) {
  std::string bytes;
  ReadFileBytes(AsPath(path), bytes);
  return bytes;
}

std::string PageToolsTest::ReadOr(const std::string& path, const std::string& missing) {
  std::string bytes;
  return ReadFileBytes(AsPath(path), bytes) ? bytes : missing;
}

}  // namespace kv
