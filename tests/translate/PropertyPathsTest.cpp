// How rows reach properties: every section, pruning, exclusion and the errors of writers.
#include <gtest/gtest.h>

#include "FakeComponents.h"
#include "support/Files.h"
#include "translate/LangLocales.h"
#include "translate/LangRows.h"

namespace kv {
namespace {

using namespace kv::testing;

std::string Row(std::string_view key, std::string_view de, std::string_view en) {
  return MakeRow(key, {de, en}, '\x01');
}

// A window with a translator of two languages, loaded and not linked to a dispatcher.
class Paths : public ::testing::Test {
 protected:
  Paths() : form("TestForm") {
    form.Caption = "designed";
    t = new TTranslator(&form);
    t->SetNumOfLanguages(2);
  }
  // Loads the tables and shows language n (applying all sections even if n is active already).
  void Show(const std::string& payload, int n) {
    t->ReadTranslationData(payload);
    Show(n);
  }
  void Show(int n) {
    if (t->ActiveLanguage() == n) {
      t->PendingSection = -1;
      t->ApplyActiveLanguage();
    } else {
      t->SetActiveLanguage(n);
    }
  }
  static std::string Section(const char* header, std::initializer_list<std::string> rows) {
    std::string s = std::string(header) + "\r\n";
    for (const std::string& r : rows) s += r + "\r\n";
    return s;
  }

  TTestForm form;
  TTranslator* t;
};

TEST_F(Paths, CaptionsAndHintsWithTheWindowsOwnRow) {
  auto* label = new TFakeControl(&form, "Label1", "Rows:");
  auto* button = new TFakeControl(&form, "Button1", "OK");
  Show(Section("stCaptions",
               {Row("TTestForm", "Fenster", "Window"), Row("label1", "Zeilen:", "Rows:"),
                Row("Button1", "Nur deutsch", ""), Row("Empty1", "", "")}) +
           Section("stHints",
                   {Row("TTestForm", "Fensterhinweis", ""), Row("Button1", "Hinweis", "Hint")}),
       1);
  EXPECT_EQ(form.Caption, "Fenster");
  EXPECT_EQ(form.Hint, "Fensterhinweis");
  EXPECT_EQ(label->Caption, "Zeilen:");
  EXPECT_EQ(button->Caption, "Nur deutsch");
  EXPECT_EQ(button->Hint, "Hinweis");

  Show(2);
  EXPECT_EQ(form.Caption, "Window");
  EXPECT_EQ(form.Hint, "Fensterhinweis");  // empty English cell: unchanged
  EXPECT_EQ(label->Caption, "Rows:");
  EXPECT_EQ(button->Caption, "Nur deutsch");
  EXPECT_EQ(button->Hint, "Hint");
  // Unchanged texts are not written again.
  const int writes = label->CaptionWrites;
  Show(2);
  EXPECT_EQ(label->CaptionWrites, writes);
  // The row for a missing component went to the orphans, the row without cells is gone.
  EXPECT_EQ(t->Captions()->Count(), 3);
  EXPECT_EQ(t->OrphanRows()->Count(), 1);
}

TEST_F(Paths, FontsCarryFaceAndCharacterSet) {
  auto* combo = new TComboBox(&form, "Combo1");
  auto* status = new TFakeControl(&form, "StatusBar1");
  auto* follower = new TFakeControl(&form, "Label1");
  follower->ParentFont = true;
  auto* other = new TFakeControl(&form, "Label2");
  other->Font.SetCharset(SYMBOL_CHARSET);
  Show(Section("stFonts", {Row("TTestForm", "", "Tahoma"),
                           Row("Combo1", "Microsoft Sans Serif", "Microsoft Sans Serif"),
                           Row("StatusBar1", "Microsoft Sans Serif", "Segoe UI"),
                           Row("Label1", "Tahoma", "Tahoma")}) +
           Section("stCharSets", {Row("TTestForm", "ANSI_CHARSET", "EASTEUROPE_CHARSET"),
                                  Row("Combo1", "ansi_charset", "DEFAULT_CHARSET"),
                                  Row("Label1", "GREEK_CHARSET", "GREEK_CHARSET"),
                                  Row("Label2", "GREEK_CHARSET", "GREEK_CHARSET")}),
       1);
  EXPECT_EQ(combo->Font.Name(), "Microsoft Sans Serif");
  EXPECT_EQ(combo->Font.Charset(), ANSI_CHARSET);
  EXPECT_GE(combo->FontAssigns, 1);
  EXPECT_EQ(form.Font.Charset(), ANSI_CHARSET);  // applied although the face cell is empty
  Show(2);
  EXPECT_EQ(status->Font.Name(), "Segoe UI");
  EXPECT_EQ(combo->Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(form.Font.Charset(), 238);
  // A control following its parent's font, and a character set without a font row: untouched.
  EXPECT_EQ(follower->Font.Name(), "MS Sans Serif");
  EXPECT_EQ(follower->Font.Charset(), DEFAULT_CHARSET);
  EXPECT_EQ(other->Font.Charset(), SYMBOL_CHARSET);
  EXPECT_EQ(t->LanguageCharsets(), (std::vector<TFontCharset>{ANSI_CHARSET, 238}));
}

TEST_F(Paths, MultiLinesReplaceListItemsInPlace) {
  auto* combo = new TComboBox(&form, "BlockFormatCombo");
  combo->Items.SetCommaText("Normal,\"Heading 1\",\"Bulleted List\"");
  TObject marker;
  combo->Items.PutObject(1, &marker);
  combo->ItemIndex = 2;
  auto* memo = new TMemo(&form, "Memo1");
  memo->Lines.SetText("designed\r\ntext\r\n");
  memo->WordWrap = true;
  auto* code = new TFakeCodeMemo(&form, "HTMLMemo");
  code->Lines.SetText("a\r\nb\r\n");
  auto* sizes = new TComboBox(&form, "TextSizeCombo");
  auto* grid = new TFakePropsControl(&form, "Grid1");
  grid->Properties->Words.Add("x");

  Show(Section("stMultiLines",
               {Row("BlockFormatCombo.Items",
                    "Normal,\"\xDC"
                    "berschrift 1\",Aufz\xE4hlung",
                    ""),
                Row("Memo1.Lines", "eins,zwei,drei", ""), Row("HTMLMemo.Lines", "\"\"", ""),
                Row("TextSizeCombo.Items", "1,2,3,4,5,6,7", "1,2,3,4,5,6,7"),
                Row("Grid1.Properties.Words", "Wort,\"zwei W\xF6rter\"", "")}),
       1);
  EXPECT_EQ(combo->Items.GetCommaText(),
            "Normal,\"\xDC"
            "berschrift 1\",Aufz\xE4hlung");
  EXPECT_EQ(combo->Items.Objects(1), &marker);
  EXPECT_EQ(combo->ItemIndex, 2);
  EXPECT_EQ(memo->Lines.Count(), 3);
  EXPECT_TRUE(memo->WordWrap);
  EXPECT_FALSE(memo->WrappedDuringChange);
  ASSERT_EQ(code->Lines.Count(), 1);
  EXPECT_EQ(code->Lines[0], "");
  EXPECT_EQ(sizes->Items.Count(), 7);
  EXPECT_EQ(grid->Properties->Words.Count(), 2);
  EXPECT_EQ(grid->Properties->Words[1], "zwei W\xF6rter");

  code->Lines.SetText("page\r\n");
  Show(2);  // empty English cells leave the lists alone
  EXPECT_EQ(code->Lines.GetText(), "page\r\n");
  EXPECT_EQ(combo->Items[2], "Aufz\xE4hlung");
}

TEST_F(Paths, MultiLinesIntoASortedList) {
  auto* code = new TFakeCodeMemo(&form, "Memo1");
  code->Lines.SetCommaText("b,a");
  code->Lines.SetSorted(true);
  Show(Section("stMultiLines", {Row("Memo1.Lines", "z,y,x", "")}), 1);
  EXPECT_TRUE(code->Lines.Sorted());
  EXPECT_EQ(code->Lines.GetCommaText(), "x,y,z");
}

TEST_F(Paths, OtherStringsReachAnyStringProperty) {
  auto* edit = new TFakeEdit(&form, "Edit1");
  edit->Text = "1";
  auto* edit3 = new TFakeEdit(&form, "Edit3");
  auto* dialog = new TOpenDialog(&form, "OpenDialog1");
  auto* grid = new TFakePropsControl(&form, "Grid1");
  auto* path = new TFakeEdit(&form, "PathEdit");
  path->Text = ExpandFileName(THostPath::FromBytes("../pics")).Bytes();
  Show(Section("stOtherStrings",
               {Row("Edit1.Text", "1", ""), Row("Edit3.Text", "100", ""),
                Row("OpenDialog1.Filter", "HTML-Dateien|*.htm", ""),
                Row("Grid1.Properties.Title", "Titel", ""),
                Row("Grid1.Properties.Columns.Count", "9", ""),
                Row("TTestForm.Hint", "Hinweis", ""), Row("PathEdit.Text", "../pics", "")}),
       1);
  EXPECT_EQ(edit->Changes, 0);  // same text: the change handler does not run
  EXPECT_EQ(edit3->Text, "100");
  EXPECT_EQ(edit3->Changes, 1);
  EXPECT_EQ(dialog->Filter, "HTML-Dateien|*.htm");
  EXPECT_EQ(grid->Properties->Title, "Titel");
  EXPECT_EQ(form.Hint, "Hinweis");
  EXPECT_EQ(path->Changes, 0);  // the relative cell already names the current full path
  edit3->Text = "7";
  Show(2);
  EXPECT_EQ(edit3->Text, "7");
  EXPECT_EQ(dialog->Filter, "HTML-Dateien|*.htm");
}

TEST_F(Paths, CollectionsReachItemProperties) {
  auto* styler = new TFakeStyler(&form, "HTMLMemoStyler1");
  auto* grid = new TFakePropsControl(&form, "Grid1");
  auto* bare = new TFakePropsControl(&form, "Grid2");
  bare->Properties.reset();
  Show(Section("stCollections",
               {Row("HTMLMemoStyler1.AllStyles[3].Info", "Einfache Klammer", "Simple Bracket"),
                Row("HTMLMemoStyler1.AllStyles[9].Info", "zu weit", ""),
                Row("Grid2.Properties.Columns[0].Info", "ohne Properties", ""),
                Row("Grid1.Properties.Columns[1].Info", "Spalte", ""),
                Row("HTMLMemoStyler1.AllStyles[1].Font.Name", "Courier New", ""),
                Row("HTMLMemoStyler1.AllStyles[2].Words",
                    "a\x19\x1A"
                    "b",
                    ""),
                Row("HTMLMemoStyler1.AllStyles[0].Missing", "x", ""),
                Row("HTMLMemoStyler1.AllStyles[0].ReadOnlyText", "x", ""),
                Row("HTMLMemoStyler1.AllStyles[x].Info", "kaputt", ""),
                Row("HTMLMemoStyler1.AllStyles", "kaputt", ""),
                Row("HTMLMemoStyler1.AllStyles[4].Info", "Doppelte Klammer", "")}),
       1);
  EXPECT_EQ(styler->Style(3)->Info, "Einfache Klammer");
  EXPECT_EQ(styler->Style(4)->Info,
            "Doppelte Klammer");  // the pass went on after the unset Properties
  EXPECT_EQ(grid->Properties->Columns.Count(), 2);
  EXPECT_EQ(static_cast<TFakeStyleItem*>(grid->Properties->Columns.Items(1))->Info, "Spalte");
  EXPECT_EQ(styler->Style(1)->Font.Name(), "Courier New");
  EXPECT_EQ(styler->Style(2)->Words.Count(), 2);
  EXPECT_EQ(styler->Style(0)->ReadOnlyText, "fixed");
  // Index 9 and the two malformed paths are orphans; the rows naming missing or read-only
  // item properties are deleted; the rest stays for the next switch.
  EXPECT_EQ(t->OrphanRows()->Count(), 3);
  EXPECT_EQ(t->Collections()->Count(), 6);
  Show(2);
  EXPECT_EQ(styler->Style(3)->Info, "Simple Bracket");
  EXPECT_EQ(styler->Style(4)->Info, "Doppelte Klammer");
}

TEST_F(Paths, RowsOfFreedComponentsAreNeverAppliedAgain) {
  auto* label = new TFakeControl(&form, "Label1", "Rows:");
  const std::string tables = Section("stCaptions", {Row("Label1", "Zeilen:", "Rows:")});
  Show(tables, 1);
  EXPECT_EQ(label->Caption, "Zeilen:");
  delete label;
  Show(2);
  EXPECT_EQ(t->OrphanRows()->Count(), 1);
  auto* again = new TFakeControl(&form, "Label1", "new");
  Show(1);
  EXPECT_EQ(again->Caption, "new");
}

TEST_F(Paths, ExcludedAndActionBoundTargetsAreLeftAlone) {
  auto* action = new TFakeAction(&form, "SaveAction", "Save");
  auto* bound = new TFakeActionControl(&form, "SaveButton", "Save");
  bound->Action = action;
  auto* own = new TFakeActionControl(&form, "OtherButton", "Other");
  own->Action = action;
  auto* skipped = new TFakeControl(&form, "Label9", "keep");
  t->DoNotTranslate()->Add("label9");
  Show(Section("stCaptions",
               {Row("SaveAction", "Speichern", "Save"), Row("SaveButton", "Sichern", "Save"),
                Row("OtherButton", "Anders", "Other"), Row("Label9", "weg", "gone")}),
       1);
  EXPECT_EQ(action->Caption, "Speichern");
  EXPECT_EQ(bound->Caption, "Save");  // its row was dropped: the action carries the text
  EXPECT_EQ(own->Caption, "Anders");
  EXPECT_EQ(skipped->Caption, "keep");
  delete skipped;  // a removed component leaves the do-not-translate list
  EXPECT_EQ(t->DoNotTranslate()->Count(), 0);
}

TEST_F(Paths, AssigningOneTableAppliesOnlyThatSection) {
  auto* label = new TFakeControl(&form, "Label1", "Rows:");
  auto* edit = new TFakeEdit(&form, "Edit1");
  t->ReadTranslationData(Section("stOtherStrings", {Row("Edit1.Text", "eins", "")}));
  TStringList rows;
  rows.Add(Row("Label1", "Zeilen:", "Rows:"));
  t->SetTable(stCaptions, rows);
  EXPECT_EQ(label->Caption, "Zeilen:");
  EXPECT_EQ(edit->Text, "");
}

TEST_F(Paths, RefusedWritesAreSkippedOrReachTheCaller) {
  auto* refusing = new TFakeControl(&form, "Label1", "Rows:");
  refusing->RefuseCaption = true;
  auto* label = new TFakeControl(&form, "Label2", "Colums:");
  auto* combo = new TComboBox(&form, "Combo1");
  const std::string tables =
      Section("stCaptions", {Row("Label1", "Zeilen:", ""), Row("Label2", "Spalten:", "")}) +
      Section("stFonts", {Row("Combo1", "Tahoma", "Tahoma")});
  Show(tables, 1);
  EXPECT_EQ(label->Caption, "Spalten:");
  combo->RefuseFont = true;
  EXPECT_THROW(Show(2), Exception);
}

TEST_F(Paths, LocalesChangeTheProcessSettingsOnlyWhenAsked) {
  const TFormatSettings saved = FormatSettings();
  const std::string tables =
      Section("stLocales", {Row("Decimal Separator", ",", "."), Row("Long Day Names", "", "")});
  t->ChangeLocales = false;
  Show(tables, 2);
  EXPECT_EQ(FormatSettings().DecimalSeparator, saved.DecimalSeparator);
  t->ChangeLocales = true;
  Show(2);
  EXPECT_EQ(FormatSettings().DecimalSeparator, '.');
  FormatSettings() = saved;
}

// Windows must come up even when their tables cannot be applied.
TEST(WindowCreation, ErrorsWhileLoadingStayInside) {
  auto main = CreateFakeWindow("TMainForm", nullptr);
  TLangDispatcher* dispatcher = DispatcherOf(*main);
  dispatcher->SetActiveLanguage(1);
  TTestForm form("TestForm");
  form.BeginLoading();
  (new TFakeControl(&form, "Label1"))->RefuseFont = true;
  CreateStoredTranslator(&form, dispatcher, "stFonts\r\nLabel1\x01Tahoma\x01Tahoma\x01\r\n");
  EXPECT_NO_THROW(form.EndLoading());
  for (const std::string& bad : {std::string("\xFF\xFE\x00\x01\x02", 5), std::string("stCaptions"),
                                 std::string("stCollections\r\nX.Y[99999999999].Z\x01"
                                             "a\x01\x01\r\n"),
                                 std::string(4096, '\x01')}) {
    EXPECT_NO_THROW(CreateFakeWindow("TAboutBox", dispatcher, &bad));
  }
}

}  // namespace
}  // namespace kv
