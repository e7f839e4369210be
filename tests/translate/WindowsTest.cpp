// The six windows with their stored tables: creation order, start-up language, switching.
#include <gtest/gtest.h>

#include "FakeComponents.h"
#include "translate/tables/TableSource.h"

namespace kv {
namespace {

using namespace kv::testing;

// The program's start: the main window (whose creation handler sets the stored language), then
// the dialogs in their creation order.
struct TProgram {
  explicit TProgram(const std::string& storedLanguage, const TFormCreate& dialogCreate = {}) {
    windows.push_back(CreateFakeWindow("TMainForm", nullptr, nullptr, [&](TFakeForm& f) {
      ApplyStartupLanguage(*DispatcherOf(f), storedLanguage);
    }));
    dispatcher = DispatcherOf(*windows[0]);
    for (size_t i = 1; i < TranslatedWindows().size(); ++i)
      windows.push_back(
          CreateFakeWindow(TranslatedWindows()[i], dispatcher, nullptr, dialogCreate));
  }
  TFakeForm& Window(const std::string& cls) {
    for (auto& w : windows)
      if (w->ClassName() == cls) return *w;
    throw std::runtime_error("no window " + cls);
  }
  template <class C>
  C& Get(const std::string& cls, const std::string& name) {
    C* c = Find<C>(Window(cls), name);
    if (!c) throw std::runtime_error("no component " + name);
    return *c;
  }
  std::string Caption(const std::string& cls, const std::string& name) {
    return Get<TFakeControl>(cls, name).Caption;
  }

  std::vector<std::unique_ptr<TFakeForm>> windows;
  TLangDispatcher* dispatcher = nullptr;
};

// What each window's creation handler sees of its texts, by start-up language.
struct CreationCase {
  std::string window;
  std::string component;  // empty: the window's caption
  std::string german;
  std::string english;
};

class CreationOrder : public ::testing::TestWithParam<CreationCase> {};

TEST_P(CreationOrder, TablesAreAppliedBeforeTheCreationHandler) {
  const CreationCase& c = GetParam();
  for (const std::string stored : {"GERMAN", "ENGLISH"}) {
    std::string seen;
    bool linked = false;
    int writes = -1;
    TFormCreate handler = [&](TFakeForm& f) {
      if (f.ClassName() != c.window) return;
      seen = c.component.empty() ? f.Caption : Find<TFakeControl>(f, c.component)->Caption;
      TTranslator* t = TranslatorOf(f);
      linked = t->LangDispatcher() && t->LangDispatcher()->LinkedLangs().back() == t;
      writes = f.CaptionWrites;
    };
    if (c.window == "TMainForm") {
      // The main window's handler itself sets the language, after its table is linked.
      auto main = CreateFakeWindow("TMainForm", nullptr, nullptr, [&](TFakeForm& f) {
        handler(f);
        ApplyStartupLanguage(*DispatcherOf(f), stored);
      });
      EXPECT_EQ(seen, c.english) << "designed English texts before the handler";
      EXPECT_EQ(writes, 0);
      EXPECT_EQ(main->Caption, "KAVELIN");
      EXPECT_EQ(Find<TFakeControl>(*main, "Datei1")->Caption,
                stored == std::string("GERMAN") ? "Datei" : "File");
    } else {
      TProgram program(stored, handler);
      EXPECT_EQ(seen, stored == std::string("GERMAN") ? c.german : c.english)
          << c.window << " " << stored;
      // Started in English, a dialog keeps its designed texts: nothing is written.
      if (stored == std::string("ENGLISH")) {
        EXPECT_EQ(writes, 0) << c.window;
      }
    }
    EXPECT_TRUE(linked) << c.window;
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllWindows, CreationOrder,
    ::testing::Values(CreationCase{"TMainForm", "Datei1", "Datei", "File"},
                      CreationCase{"TCreateTableForm", "Label1", "Zeilen:", "Rows:"},
                      CreationCase{"TQuellcodeForm", "SaveBitBtn", "Speichern (F2)", "Save (F2)"},
                      CreationCase{"TAboutBox", "", "Info", "About"},
                      CreationCase{"TWerbungForm", "", "Top-Produkte von VARENTO",
                                   "Top products from VARENTO"},
                      CreationCase{"TMetaTagForm", "Label1", "Titel der Webseite", "Title"}));

TEST(CreationOrder, TheCreationHandlerHasTheLastWord) {
  // The about box shows the version file's text, the table generator its own unit text,
  // whatever the table wrote in German while the window was created.
  TProgram program("GERMAN", [](TFakeForm& f) {
    if (auto* version = Find<TFakeControl>(f, "VersionLabel")) version->Caption = "Version 1.2.3";
    if (auto* combo = Find<TComboBox>(f, "ComboBox1")) combo->Items.SetCommaText("Percent,Pixel");
  });
  EXPECT_EQ(program.Caption("TAboutBox", "VersionLabel"), "Version 1.2.3");
  EXPECT_EQ(program.Get<TComboBox>("TCreateTableForm", "ComboBox1").Items[0], "Percent");
  // A later switch applies the table again.
  program.dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(program.Caption("TAboutBox", "VersionLabel"), "Version 9.2.6");
  EXPECT_EQ(program.Get<TComboBox>("TCreateTableForm", "ComboBox1").Items[0], "Percent");

  // A window created after a German start: the German cell is in place when its creation
  // handler runs, and what the handler sets stays.
  program.dispatcher->SetActiveLanguage(1);
  const std::string tables =
      "stCaptions\r\nTTestForm\x01Pr\xFC"
      "fung\x01Test\x01\r\n";
  std::string before;
  auto test = CreateFakeWindow("TTestForm", program.dispatcher, &tables, [&](TFakeForm& f) {
    before = f.Caption;
    f.Caption = "set by FormCreate";
  });
  EXPECT_EQ(before,
            "Pr\xFC"
            "fung");
  EXPECT_EQ(test->Caption, "set by FormCreate");
}

TEST(Switching, EveryWindowChangesAtOnce) {
  TProgram program("ENGLISH");
  TLangDispatcher& d = *program.dispatcher;
  ASSERT_EQ(d.LinkedLangs().size(), 6u);
  auto& block = program.Get<TComboBox>("TMainForm", "BlockFormatCombo");
  block.ItemIndex = 0;
  auto& status = program.Get<TFakeControl>("TMainForm", "StatusBar1");
  auto& memo = program.Get<TFakeCodeMemo>("TQuellcodeForm", "HTMLMemo");
  auto& styler = program.Get<TFakeStyler>("TQuellcodeForm", "HTMLMemoStyler1");
  auto& edit3 = program.Get<TFakeEdit>("TCreateTableForm", "Edit3");
  memo.Lines.SetText("<html>\r\n</html>\r\n");
  edit3.Text = "55";

  d.SetActiveLanguage(1);
  EXPECT_EQ(program.Caption("TMainForm", "Datei1"), "Datei");
  EXPECT_EQ(program.Caption("TMainForm", "NeueInternetseit1"),
            "\xD6"
            "ffnen");
  EXPECT_EQ(program.Caption("TMainForm", "Language1"),
            "Language");  // labelled in the other language
  EXPECT_EQ(program.Caption("TMainForm", "Deutsch1"), "German");
  EXPECT_EQ(program.Get<TFakeControl>("TMainForm", "ToolButton3").Hint,
            "L\xF6sche ausgew\xE4hlten Text");
  EXPECT_EQ(block.Items[8], "Aufz\xE4hlung");
  EXPECT_EQ(block.ItemIndex, 0);
  EXPECT_EQ(block.Font.Charset(), ANSI_CHARSET);
  EXPECT_EQ(status.Font.Name(), "Microsoft Sans Serif");
  EXPECT_EQ(program.Get<TOpenDialog>("TMainForm", "OpenDialog1").Filter,
            "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*");
  EXPECT_EQ(program.Caption("TCreateTableForm", "Label5"), "Zellauff\xFChlung:");
  EXPECT_EQ(edit3.Text, "100");
  EXPECT_EQ(program.Get<TComboBox>("TCreateTableForm", "ComboBox1").Items.GetCommaText(),
            "Prozent,Pixel");
  EXPECT_EQ(memo.Font.Name(), "COURIER NEW");
  EXPECT_EQ(memo.Lines.GetText(), "\r\n");  // the German cell is one empty line
  EXPECT_EQ(styler.StylerName, "HTML document");
  EXPECT_EQ(program.Window("TAboutBox").Caption, "Info");
  EXPECT_EQ(program.Window("TWerbungForm").Caption, "Top-Produkte von VARENTO");
  EXPECT_EQ(program.Window("TWerbungForm").Font.Charset(), ANSI_CHARSET);
  EXPECT_EQ(program.Caption("TMetaTagForm", "Label14"),
            "Suchw\xF6rter (durch Komma und Leerzeichen getrennt)");
  EXPECT_EQ(TranslatorOf(program.Window("TMainForm"))->GetTextOrDefault("IDS_36"),
            "Document wurde gespeichert!");

  memo.Lines.SetText("<p>\r\n");
  edit3.Text = "55";
  d.SetActiveLanguage(2);
  EXPECT_EQ(program.Caption("TMainForm", "Datei1"), "File");
  EXPECT_EQ(program.Caption("TMainForm", "Language1"), "Sprache");
  EXPECT_EQ(program.Caption("TMainForm", "English1"), "Englisch");
  EXPECT_EQ(program.Get<TFakeControl>("TMainForm", "ToolButton5").Hint,
            "Paste Copy seletcted Text");
  EXPECT_EQ(block.Items[1], "Heading 1");
  EXPECT_EQ(block.Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(status.Font.Name(), "Segoe UI");
  // Empty English cells leave the German texts in place.
  EXPECT_EQ(program.Get<TOpenDialog>("TMainForm", "OpenDialog1").Filter,
            "HTML-Dateien|*.htm;*.html;;*.htm;;*.shtml;*.dhtml|Alle Dateien|*.*");
  EXPECT_EQ(block.Text, "BlockFormatCombo");
  EXPECT_EQ(edit3.Text, "55");
  EXPECT_EQ(memo.Lines.GetText(), "<p>\r\n");
  EXPECT_EQ(memo.Font.Name(), "Tahoma");
  EXPECT_EQ(program.Caption("TCreateTableForm", "Label2"), "Colums:");
  EXPECT_EQ(program.Window("TAboutBox").Caption, "About");
  EXPECT_EQ(program.Caption("TQuellcodeForm", "BitBtn1"), "Find (Ctrl+F)");
  EXPECT_EQ(TranslatorOf(program.Window("TMainForm"))->GetTextOrDefault("IDS_36"),
            "Document saved!");
  // Nothing of the stored tables was orphaned: every row names a component of its window.
  for (auto& w : program.windows)
    EXPECT_EQ(TranslatorOf(*w)->OrphanRows()->Count(), 0) << w->ClassName();
}

}  // namespace
}  // namespace kv
