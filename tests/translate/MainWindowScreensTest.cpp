// The real main window in both languages: the table's texts on the Qt widgets themselves, and
// a picture of the window per language (written to screens/ in the build folder).
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QMenu>
#include <QTimer>

#include "engine/FakeWebEngine.h"
#include "platform/QtText.h"
#include "tests/app/AppFixture.h"
#include "translate/Translator.h"

namespace kv {
namespace {

class MainWindowScreens : public MainFormTest {
 protected:
  TMainForm* StartShown() {
    TMainForm* f = Start([] { return FakeEngineHost(); });
    f->Show();
    WaitFor([] { return false; }, 300);
    return f;
  }
  static QComboBox* Box(TControl* c) {
    auto* box = qobject_cast<QComboBox*>(c->Peer());
    return box ? box : c->Peer()->findChild<QComboBox*>();
  }
  static std::string Shown(const QString& text) { return FromQ(text); }
  static void Save(TMainForm* f, const char* name) {
    const QString dir = QString(KV_BINARY_DIR) + "/screens";
    QDir().mkpath(dir);
    EXPECT_TRUE(f->Peer()->grab().save(dir + "/" + name)) << name;
  }
};

struct ScreenCase {
  int language;
  const char* file;
  const char* languageMenu;
  const char* open;
  const char* cutHint;
  const char* heading;
  const char* statusFace;
  const char* picture;
};

TEST_F(MainWindowScreens, TextsReachTheWidgetsInBothLanguages) {
  folder_.Write("Language.ini", "ENGLISH\r\n");
  TMainForm* f = StartShown();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const ScreenCase cases[] = {
      {2, "File", "Sprache", "Open", "Delete selected Text", "Heading 1", "Segoe UI",
       "main_english.png"},
      {1, "Datei", "Language",
       "\xD6"
       "ffnen",
       "L\xF6sche ausgew\xE4hlten Text",
       "\xDC"
       "berschrift 1",
       "Microsoft Sans Serif", "main_german.png"},
      {2, "File", "Sprache", "Open", "Delete selected Text", "Heading 1", "Segoe UI",
       "main_english_again.png"},
  };
  for (const ScreenCase& c : cases) {
    f->LangDispatcher1->SetActiveLanguage(c.language);
    WaitFor([] { return false; }, 100);
    EXPECT_EQ(Shown(f->Datei1->Action()->text()), c.file);
    EXPECT_EQ(Shown(f->Language1->Action()->text()), c.languageMenu);
    // The keys follow the caption after a tab.
    EXPECT_EQ(Shown(f->NeueInternetseit1->Action()->text().section(u'\t', 0, 0)), c.open);
    EXPECT_EQ(Shown(f->ToolButton3->Peer()->toolTip()), c.cutHint);
    EXPECT_EQ(Shown(Box(f->BlockFormatCombo)->itemText(1)), c.heading);
    EXPECT_EQ(Box(f->BlockFormatCombo)->count(), 9);
    EXPECT_EQ(f->StatusBar1->Font()->Name(), c.statusFace);
    EXPECT_EQ(f->BlockFormatCombo->Font()->Charset(),
              c.language == 1 ? ANSI_CHARSET : DEFAULT_CHARSET);
    // The start leaves the version in the caption; a switch writes the table's "KAVELIN" (the
    // language menu then adds the version again).
    EXPECT_EQ(f->Caption(), &c == cases ? "KAVELIN Version 9.2.6" : "KAVELIN");
    Save(f, c.picture);
  }
  // Every row of the stored table names a component of the real window.
  EXPECT_EQ(f->Lang_WerbungForm->OrphanRows()->Count(), 0)
      << f->Lang_WerbungForm->OrphanRows()->GetText();
}

}  // namespace
}  // namespace kv
