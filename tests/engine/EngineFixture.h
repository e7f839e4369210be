// The real engine offscreen for the engine's tests: one application and one engine for a whole
// suite (the engine is slow to start), a folder of the suite's own, and the ways a test waits
// for the engine and looks into its page.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>
#include <filesystem>

#include "engine/QtWebEngine.h"
#include "support/Files.h"
#include "tests/common/AsPath.h"
#include "tests/common/EventLoop.h"
#include "translate/ProgramTexts.h"

namespace kv {

class TEngineFixture : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    if (!qApp) {
      static int argc = 1;
      static char name[] = "engine_qt_test";
      static char* argv[] = {name, nullptr};
      QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
      new QApplication(argc, argv);
    }
    FEngine = new TQtWebEngine();
    FEngine->Widget()->resize(800, 600);
    FEngine->Widget()->show();
    FDir = std::filesystem::temp_directory_path() /
           ("kv_qt_engine_" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(FDir);
  }
  static void TearDownTestSuite() {
    delete FEngine;
    FEngine = nullptr;
    std::filesystem::remove_all(FDir);
  }
  void SetUp() override {
    FEngine->ActiveLanguage = [] { return EngineLanguageEnglish; };
    // The program hands the engine its texts, in the language the test chooses.
    FEngine->Texts = [](std::string_view id, std::initializer_list<std::string_view> args) {
      return ProgramText(id, FEngine->ActiveLanguage(), args);
    };
    FEngine->OnNavigateComplete = nullptr;
    FEngine->OnContentChanged = nullptr;
    FEngine->OnProcessGone = nullptr;
    FEngine->SetOnClick(nullptr);
    FEngine->SetTimeout(15000);
  }

  static std::string Path(const std::string& name) { return (FDir / name).string(); }
  static QWebEngineView* View() { return qobject_cast<QWebEngineView*>(FEngine->Widget()); }

  // Runs the event loop until done() or the time is up.
  static bool WaitFor(const std::function<bool()>& done, int milliseconds = 10000) {
    return WaitUntil(
        [&] {
          QTest::qWait(10);
          return done();
        },
        milliseconds);
  }

  // A script in the editor's world (the page's own scripts are off), for what the test needs
  // to arrange or observe in the page.
  static QVariant Js(const QString& script) {
    QVariant result;
    bool done = false;
    View()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                  [&](const QVariant& v) {
                                    result = v;
                                    done = true;
                                  });
    EXPECT_TRUE(WaitFor([&] { return done; }, 30000));
    return result;
  }
  static void LoadText(const std::string& name, const std::string& text) {
    ASSERT_TRUE(WriteFileBytes(AsPath(Path(name)), text));
    FEngine->Load(AsPath(Path(name)));
  }

  static inline TQtWebEngine* FEngine = nullptr;
  static inline std::filesystem::path FDir;
};

}  // namespace kv
