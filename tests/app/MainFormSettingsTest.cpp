// Where the main window keeps its settings files, and Qt's own texts following its language.
#include <QCoreApplication>
#include <filesystem>

#include "engine/FakeWebEngine.h"
#include "platform/QtTranslations.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

namespace fs = std::filesystem;

class MainFormSettings : public MainFormTest {
 protected:
  TMainForm* StartShown() {
    TMainForm* f = Start([this] { return FakeEngineHost(&engine_); });
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return !engine_->Busy(); }));
    return f;
  }
  // The user's settings folder for this test; XDG_CONFIG_HOME points at it.
  std::string UserFolder() const { return folder_.Dir() + "config/kavelin/"; }
  void SetUp() override {
    MainFormTest::SetUp();
    ::setenv("XDG_CONFIG_HOME", (folder_.Dir() + "config").c_str(), 1);
  }
  void TearDown() override {
    ::unsetenv("XDG_CONFIG_HOME");
    UseQtTranslations("");
    MainFormTest::TearDown();
  }
  static std::string Read(const std::string& path) {
    std::string bytes;
    ReadFileBytes(AsPath(path), bytes);
    return bytes;
  }
  TFakeWebEngine* engine_ = nullptr;
};

TEST_F(MainFormSettings, AWritableProgramFolderKeepsTheSettingsBesideTheProgram) {
  TMainForm* f = StartShown();
  EXPECT_EQ(f->SettingsDir, f->AppDir);
  f->English1->Click();
  EXPECT_EQ(Read(folder_.Dir() + "Language.ini"), "ENGLISH\r\n");
  EXPECT_FALSE(fs::exists(UserFolder())) << "made without need";
  EXPECT_FALSE(fs::exists(folder_.Dir() + ".kavelin-write-test")) << "trial file left behind";
}

TEST_F(MainFormSettings, AnUnwritableProgramFolderSendsThemToTheUsersFolderAlone) {
  // Root writes anywhere: a folder where the trial file would go makes the folder unwritable.
  fs::create_directories(folder_.Dir() + ".kavelin-write-test");
  // Files beside the program are no longer read: this one would switch to English.
  folder_.Write("Language.ini", "ENGLISH\r\n");
  fs::create_directories(UserFolder());
  WriteFileBytes(AsPath(UserFolder() + "Language.ini"), "GERMAN\r\n");

  TMainForm* f = StartShown();
  EXPECT_EQ(f->SettingsDir.Bytes(), UserFolder());
  EXPECT_EQ(f->AppDir.Bytes(), folder_.Dir());
  EXPECT_EQ(f->ActiveLanguage(), 1);
  EXPECT_EQ(f->VersionText, "Version 9.2.6");  // the program's own files stay where they are

  f->English1->Click();
  EXPECT_EQ(Read(UserFolder() + "Language.ini"), "ENGLISH\r\n");
  const std::string page = folder_.Dir() + "seite.html";
  WriteFileBytes(AsPath(page), "<HTML></HTML>");
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return page;
  };
  f->NeueInternetseit1->Click();
  EXPECT_EQ(Read(UserFolder() + "historie.ini"), page + "\r\n");
  EXPECT_EQ(Read(UserFolder() + "historiesmall.ini"), "seite.html\r\n");
  EXPECT_EQ(Read(folder_.Dir() + "Language.ini"), "ENGLISH\r\n");  // untouched
  EXPECT_FALSE(fs::exists(folder_.Dir() + "historie.ini"));
  ASSERT_EQ(f->Datei1->Count(), 5 + 1);
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "seite.html");
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(MainFormSettings, QtsOwnTextsFollowTheLanguageMenu) {
  auto cancel = [] { return QCoreApplication::translate("QPlatformTheme", "Cancel"); };
  folder_.Write("Language.ini", "ENGLISH\r\n");
  TMainForm* f = StartShown();
  EXPECT_EQ(cancel(), "Cancel");
  f->Deutsch1->Click();
  EXPECT_EQ(cancel(), "Abbrechen");
  f->English1->Click();
  EXPECT_EQ(cancel(), "Cancel");
  f->Deutsch1->Click();
  EXPECT_EQ(cancel(), "Abbrechen");
}

TEST_F(MainFormSettings, AGermanStartSpeaksGermanInQtsDialogsFromTheBeginning) {
  ASSERT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  StartShown();
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}

}  // namespace
}  // namespace kv
