// The main window with the real web engine, offscreen: the paths a user takes, end to end.
#include <QMenu>
#include <QMouseEvent>
#include <QTest>
#include <QWebEngineView>

#include "app/EngineHost.h"
#include "engine/QtWebEngine.h"
#include "platform/StdCtrls.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"

namespace kv {
namespace {

class MainFormEngine : public MainFormTest {
 protected:
  TMainForm* StartReady(std::vector<std::string> arguments = {}) {
    TMainForm* f = Start(MakeQtEngineHost, std::move(arguments));
    bool ready = false;
    f->OnEditingReady = [&] { ready = true; };
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return ready; }, 60000)) << "the page never became editable";
    f->OnEditingReady = nullptr;
    return f;
  }
  static QWidget* Surface(TMainForm* f) {
    return static_cast<QWebEngineView*>(f->WebBrowser1->Peer())->focusProxy();
  }
  static bool WaitForValue(TMainForm* f, const char* command, bool value) {
    return WaitFor([&] {
      TVariant v = f->GetDocument()->QueryCommandValue(command);
      return v.Kind() == TVariant::TKind::Boolean && v.AsBoolean() == value;
    });
  }
  // Typed keys travel to the page's process apart from commands: wait until they have landed.
  static bool TypeIntoPage(TMainForm* f, const char* text) {
    f->WebBrowser1->SetFocus();
    // The caret goes into the (empty) page where the user clicks.
    QTest::mouseClick(Surface(f), Qt::LeftButton, Qt::NoModifier, QPoint(30, 20));
    QTest::qWait(200);
    QTest::keyClicks(Surface(f), text);
    return WaitFor([&] {
      for (const std::string& line : f->GetDocument()->SaveToLines())
        if (line.find(text) != std::string::npos) return true;
      return false;
    });
  }
  static std::string FileText(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, bytes);
    return bytes;
  }
};

TEST_F(MainFormEngine, TypeBoldSaveAndFindTheSerialisedLines) {
  TMainForm* f = StartReady();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_NE(f->GetDocument(), nullptr);
  ASSERT_TRUE(TypeIntoPage(f, "Hallo Welt"));
  f->GetDocument()->ExecCommand("SelectAll", false, 0);
  f->BoldToolButton->PerformClick();
  ASSERT_TRUE(WaitForValue(f, "Bold", true));
  f->RefreshToolbarState();
  EXPECT_TRUE(f->BoldToolButton->Down());

  f->Soeichern1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_, (std::vector<std::string>{"KAVELIN: Document wurde gespeichert!"}));
  const std::string saved = FileText(folder_.TempDir() + "temp/temp.html");
  EXPECT_NE(saved.find("<B>Hallo Welt</B>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("<META NAME=GENERATOR CONTENT=\"MSHTML"), std::string::npos) << saved;
  EXPECT_NE(saved.find("\r\n"), std::string::npos);
}

TEST_F(MainFormEngine, ARightClickOnThePageOpensNoMenuButArrowKeysRefresh) {
  TMainForm* f = StartReady();
  QWidget* surface = Surface(f);
  ASSERT_NE(surface, nullptr);
  EXPECT_TRUE(f->WebBrowser1->IsDocumentSurface()(surface));
  QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, QPoint(40, 40));
  QTest::qWait(500);
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  for (QWidget* w : QApplication::topLevelWidgets())
    EXPECT_FALSE(qobject_cast<QMenu*>(w) && w->isVisible());
  const int before = f->ToolbarRefreshCount;
  QTest::keyClick(surface, Qt::Key_Right);
  QTest::keyClick(f->TextFontCombo->Peer(), Qt::Key_Up);
  EXPECT_EQ(f->ToolbarRefreshCount, before + 2);
}

TEST_F(MainFormEngine, SaveAsOpenAndWorkingFilesFollowTheDocument) {
  TMainForm* f = StartReady();
  const std::string untitledWork = f->WorkFile;
  const std::string site = folder_.Dir() + "site/";
  ForceDirectories(site);
  DialogService().FileDialog = [&](const TOpenDialog&, bool save) -> std::optional<std::string> {
    return save ? site + "seite" : site + "seite.html";
  };
  ASSERT_TRUE(TypeIntoPage(f, "Umlaute"));
  f->Speichernunter1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile, site + "seite.html");  // the default extension was added
  EXPECT_EQ(f->DocDir, site);
  EXPECT_EQ(f->StatusBar1->SimpleText(), site + "seite.html");
  EXPECT_EQ(f->WorkFile, untitledWork);  // Save as keeps the working copy where it was
  EXPECT_NE(FileText(site + "seite.html").find("Umlaute"), std::string::npos);

  f->NeueInternetseit1Click(f);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->DocDir, site);
  EXPECT_TRUE(FileExists(f->WorkFile));
  EXPECT_EQ(f->WorkFile.rfind(site + "KAVELIN_temp", 0), 0u);
  EXPECT_TRUE(FileExists(folder_.Dir() + "historie.ini"));
  EXPECT_EQ(f->Datei1->Count(), 6);  // the five fixed items and the recent page
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "seite.html");
}

TEST_F(MainFormEngine, APageThatCannotBeOpenedLeavesTheDocumentAsItWas) {
  TMainForm* f = StartReady();
  const std::string file = f->CurrentFile, dir = f->DocDir, work = f->WorkFile;
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return folder_.Dir() + "nicht-da.html";
  };
  SafeCall([&] { f->NeueInternetseit1Click(f); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("nicht-da.html"), std::string::npos);
  EXPECT_EQ(f->CurrentFile, file);
  EXPECT_EQ(f->DocDir, dir);
  EXPECT_EQ(f->WorkFile, work);
  EXPECT_EQ(f->StatusBar1->SimpleText(), file);
  EXPECT_FALSE(FileExists(folder_.Dir() + "historie.ini"));
}

}  // namespace
}  // namespace kv
