// The dispatcher: linking, switching in link order, vetoes, errors; and program strings.
#include <gtest/gtest.h>

#include "FakeComponents.h"
#include "translate/LangPropInfoList.h"
#include "translate/LangRows.h"

namespace kv {
namespace {

using testing::CreateFakeWindow;
using testing::DispatcherOf;
using testing::Find;
using testing::TFakeControl;
using testing::TranslatorOf;

std::string Row(std::string_view key, std::string_view de, std::string_view en) {
  return MakeRow(key, {de, en}, '\x01');
}

// The main window and a second window, linked in that order.
class Dispatcher : public ::testing::Test {
 protected:
  Dispatcher()
      : main(CreateFakeWindow("TMainForm", nullptr)),
        dispatcher(DispatcherOf(*main)),
        about(CreateFakeWindow("TAboutBox", dispatcher)) {}
  std::unique_ptr<testing::TFakeForm> main;
  TLangDispatcher* dispatcher;
  std::unique_ptr<testing::TFakeForm> about;
};

TEST_F(Dispatcher, HasTheStoredSettings) {
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(dispatcher->NumOfLanguages(), 2);
  EXPECT_EQ(dispatcher->Language(), "ENGLISH");
  ASSERT_EQ(dispatcher->LinkedLangs().size(), 2u);
  EXPECT_EQ(dispatcher->LinkedLangs()[0], TranslatorOf(*main));
  EXPECT_EQ(TranslatorOf(*about)->LangNames().GetCommaText(), "GERMAN,ENGLISH");
}

TEST_F(Dispatcher, SwitchesEveryLinkedWindowInLinkOrder) {
  std::vector<std::string> order;
  for (TCustomTranslator* t : dispatcher->LinkedLangs())
    t->OnChangeLanguage = [&order](TObject* s) {
      order.push_back(static_cast<TCustomTranslator*>(s)->Window()->ClassName());
    };
  int changed = 0;
  dispatcher->OnLanguageChanged = [&](TObject*) { ++changed; };
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(order, (std::vector<std::string>{"TMainForm", "TAboutBox"}));
  EXPECT_EQ(main->Caption, "KAVELIN");
  EXPECT_EQ(about->Caption, "Info");
  EXPECT_EQ(dispatcher->Language(), "GERMAN");
  EXPECT_EQ(TranslatorOf(*about)->Language(), "GERMAN");
  EXPECT_EQ(changed, 1);
}

TEST_F(Dispatcher, SettingTheActiveLanguageAgainDoesNothing) {
  dispatcher->SetActiveLanguage(1);
  about->Caption = "changed meanwhile";
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(about->Caption, "changed meanwhile");
}

TEST_F(Dispatcher, AnyVetoStopsTheWholeSwitch) {
  TranslatorOf(*about)->OnLanguageChanging = [](TObject*, int n, bool& allow) { allow = n != 1; };
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(main->Caption, "KAVELIN");
  EXPECT_EQ(Find<TFakeControl>(*main, "Datei1")->Caption, "File");

  TranslatorOf(*about)->OnLanguageChanging = nullptr;
  dispatcher->OnLanguageChanging = [](TObject*, int, bool& allow) { allow = false; };
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
}

TEST_F(Dispatcher, OutOfRangeLanguageRaisesTheFirstWindowsError) {
  try {
    dispatcher->SetActiveLanguage(3);
    FAIL() << "no error";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message,
              "TMainForm: 3 - is not a valid property value!\rValue must be within [1..2]!");
  }
  EXPECT_EQ(dispatcher->ActiveLanguage(), 3);
  EXPECT_EQ(TranslatorOf(*main)->ActiveLanguage(), 2);
  EXPECT_FALSE(TranslatorOf(*main)->DispatcherSwitching);

  TTranslator loose(nullptr);
  loose.SetNumOfLanguages(2);
  EXPECT_THROW(loose.SetActiveLanguage(0), ELanguageError);
  try {
    loose.SetNumOfLanguages(0);
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message, "0 - is not a valid property value !\rValue must be more than ZERO !");
  }
}

TEST_F(Dispatcher, LanguageNamesCompareIgnoringCase) {
  dispatcher->SetLanguage("german");
  EXPECT_EQ(dispatcher->ActiveLanguage(), 1);
  dispatcher->SetLanguage("English");
  EXPECT_EQ(dispatcher->ActiveLanguage(), 2);
  EXPECT_EQ(Find<TFakeControl>(*main, "Datei1")->Caption, "File");
  try {
    dispatcher->SetLanguage("FRENCH");
    FAIL() << "no error";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message, "Language name shall be included in LangNames property!");
  }
  EXPECT_THROW(TranslatorOf(*about)->SetLanguage("FRENCH"), ELanguageError);
}

TEST_F(Dispatcher, StartupLanguageTakesOnlyTheExactStoredNames) {
  const std::vector<std::pair<std::string, int>> cases = {
      {"ENGLISH", 2}, {"GERMAN", 1}, {"english", 1}, {"", 1}, {"ENGLISH ", 1}};
  for (const auto& [stored, expected] : cases) {
    dispatcher->SetActiveLanguage(2);
    ApplyStartupLanguage(*dispatcher, stored);
    EXPECT_EQ(dispatcher->ActiveLanguage(), expected) << "'" << stored << "'";
    EXPECT_EQ(Find<TFakeControl>(*main, "Datei1")->Caption, expected == 1 ? "Datei" : "File");
  }
}

TEST_F(Dispatcher, ListenersRunAfterEveryWindowIsRewrittenAndGoWithTheirOwners) {
  std::vector<std::string> heard;
  dispatcher->OnLanguageChanged = [&](TObject*) { heard.push_back("event"); };
  dispatcher->AddLanguageListener(main.get(), [&] {
    heard.push_back("main " + std::to_string(dispatcher->ActiveLanguage()) +
                    (about ? " " + about->Caption : std::string()));
  });
  dispatcher->AddLanguageListener(about.get(), [&] { heard.push_back("about"); });
  dispatcher->SetActiveLanguage(1);
  dispatcher->SetActiveLanguage(1);  // no switch, no listener
  EXPECT_EQ(heard, (std::vector<std::string>{"event", "main 1 Info", "about"}));

  // The window of a later listener freed by an earlier one: that listener does not run.
  heard.clear();
  dispatcher->OnLanguageChanged = [&](TObject*) { about.reset(); };
  dispatcher->SetActiveLanguage(2);
  EXPECT_EQ(heard, (std::vector<std::string>{"main 2"}));
}

TEST_F(Dispatcher, FreedComponentsUnlinkThemselves) {
  about.reset();
  ASSERT_EQ(dispatcher->LinkedLangs().size(), 1u);
  dispatcher->SetActiveLanguage(1);  // must not reach the freed window

  TTranslator* t = TranslatorOf(*main);
  delete dispatcher;
  EXPECT_EQ(t->LangDispatcher(), nullptr);
  t->SetActiveLanguage(2);  // still works on its own
  EXPECT_EQ(Find<TFakeControl>(*main, "Datei1")->Caption, "File");
}

TEST_F(Dispatcher, LinkingRewritesOnlyWhenTheLanguagesDiffer) {
  int linked = 0;
  dispatcher->OnLinkToDispatcher = [&](TObject*, TCustomTranslator*) { ++linked; };
  auto english = CreateFakeWindow("TWerbungForm", dispatcher);
  EXPECT_EQ(english->CaptionWrites, 0);
  EXPECT_EQ(english->Caption, "Top products from VARENTO");
  dispatcher->SetActiveLanguage(1);
  auto german = CreateFakeWindow("TWerbungForm", dispatcher);
  EXPECT_EQ(german->Caption, "Top-Produkte von VARENTO");
  EXPECT_EQ(linked, 2);
  EXPECT_EQ(dispatcher->LinkedLangs().back(), TranslatorOf(*german));
}

TEST_F(Dispatcher, NumberOfLanguagesAndNamesReachTheLinkedComponents) {
  dispatcher->SetNumOfLanguages(3);
  EXPECT_EQ(dispatcher->LangNames().GetCommaText(), "GERMAN,ENGLISH,\"Language N3\"");
  TTranslator* t = TranslatorOf(*main);
  EXPECT_EQ(t->NumOfLanguages(), 3);
  EXPECT_EQ(t->Strings()->Get(0),
            Row("IDS_36", "Document wurde gespeichert!", "Document saved!") + "\x01");
  dispatcher->SetNumOfLanguages(2);
  EXPECT_EQ(t->Strings()->Get(0), Row("IDS_36", "Document wurde gespeichert!", "Document saved!"));
  EXPECT_EQ(t->GetTextOrDefault("IDS_36"), "Document saved!");

  TStringList names;
  names.Add("DEUTSCH");
  names.Add("ENGLISCH");
  dispatcher->SetLangNames(names);
  EXPECT_EQ(dispatcher->Language(), "ENGLISCH");
  EXPECT_EQ(t->Language(), "ENGLISCH");
  EXPECT_EQ(t->LangNames().GetCommaText(), "DEUTSCH,ENGLISCH");
}

// ---- Program strings --------------------------------------------------------------------------

TEST_F(Dispatcher, ProgramStringsFollowTheActiveLanguage) {
  TTranslator* t = TranslatorOf(*main);
  EXPECT_EQ(t->GetTextOrDefault("IDS_36"), "Document saved!");
  dispatcher->SetActiveLanguage(1);
  EXPECT_EQ(t->GetTextOrDefault("ids_36"), "Document wurde gespeichert!");
  EXPECT_EQ(t->GetTextOrDefault("IDS_99"), "");
  t->DoRaiseExceptions = true;
  try {
    t->GetText("IDS_99");
    FAIL() << "no error";
  } catch (const ELanguageError& e) {
    EXPECT_EQ(e.Message, "String identifier \"IDS_99\" not found!");
  }
}

TEST(ProgramStrings, EmptyCellsFallBackToTheFirstLanguageOnlyWhereAsked) {
  TTranslator t(nullptr);
  t.SetNumOfLanguages(2);
  TStringList rows;
  for (int i = 0; i < 40; ++i)
    rows.Add(Row("ID_" + std::to_string(100 + i), "de" + std::to_string(i), ""));
  rows.Add(Row("IDS_36", "Document wurde gespeichert!", "Document saved!"));
  t.SetTable(stStrings, rows);
  t.SetActiveLanguage(2);
  for (int i = 0; i < 40; ++i) {
    const std::string id = "id_" + std::to_string(100 + i);
    EXPECT_EQ(t.GetTextOrDefault(id), "de" + std::to_string(i)) << id;
    EXPECT_EQ(t.GetText(id), "") << id;
  }
  EXPECT_EQ(t.GetText("IDS_36"), "Document saved!");
  EXPECT_EQ(t.GetTextOrDefault("ID_0"), "");
  EXPECT_EQ(t.GetTextOrDefault("ID_999"), "");
  t.TranslateType = TTranslateType::ttGetDefault;
  EXPECT_EQ(t.GetText("ID_105"), "de5");
  // Other tables are searched row by row.
  EXPECT_EQ(t.LookupText(stDlgsCaptions, "CONFIRM", true), "Best\xE4tigung");
}

// A loose window with one label, linked to its own dispatcher.
class Settings : public ::testing::Test {
 protected:
  Settings() : form("TestForm") {
    label = new TFakeControl(&form, "Label1", "Rows:");
    t = new TTranslator(&form);
    dispatcher.SetNumOfLanguages(3);
    t->SetLangDispatcher(&dispatcher);
    TStringList rows;
    rows.Add(MakeRow("Label1", {"Zeilen:", "", ""}, '\x01'));
    rows.Add(MakeRow("IDS_1", {"eins", "", "un"}, '\x01'));
    t->SetTable(stCaptions, rows);
    t->SetTable(stStrings, rows);
  }
  TLangDispatcher dispatcher{nullptr};
  testing::TTestForm form;
  TFakeControl* label;
  TTranslator* t;
};

TEST_F(Settings, DefaultLanguageFillsEmptyCellsWhenUsed) {
  dispatcher.SetDefaultLanguage(3);
  dispatcher.SetUseDefaultLanguage(true);
  EXPECT_EQ(t->DefaultLanguage(), 3);
  EXPECT_TRUE(t->UseDefaultLanguage());
  dispatcher.SetActiveLanguage(2);
  EXPECT_EQ(label->Caption, "Zeilen:");  // the default column is empty too: unchanged
  EXPECT_EQ(t->GetTextOrDefault("IDS_1"), "un");
  EXPECT_EQ(t->ActiveLanguage(), 2);
  dispatcher.SetUseDefaultLanguage(false);
  EXPECT_EQ(t->GetTextOrDefault("IDS_1"), "eins");
  dispatcher.SetDefaultLanguage(7);  // out of range: ignored
  EXPECT_EQ(t->DefaultLanguage(), 3);
}

TEST_F(Settings, TheChangingCursorShowsOnlyDuringTheSwitch) {
  int cursor = 0;
  std::vector<int> shown;
  ScreenCursor().Get = [&] { return cursor; };
  ScreenCursor().Set = [&](int c) {
    cursor = c;
    shown.push_back(c);
  };
  t->ChangingCursor = -11;
  dispatcher.SetActiveLanguage(2);
  t->ChangingCursor = -1;
  dispatcher.SetActiveLanguage(1);
  ScreenCursor() = {};
  EXPECT_EQ(shown, (std::vector<int>{-11, 0}));
}

TEST_F(Settings, CharacterSetTablesApplyThroughTheFontsPass) {
  label->ParentFont = false;
  TStringList fonts, charsets;
  fonts.Add(MakeRow("Label1", {"Tahoma", "", ""}, '\x01'));
  charsets.Add(MakeRow("Label1", {"GREEK_CHARSET", "", ""}, '\x01'));
  t->SetTable(stCharSets, charsets);
  EXPECT_EQ(label->Font.Charset(), DEFAULT_CHARSET);  // no font row yet
  t->SetTable(stFonts, fonts);
  EXPECT_EQ(label->Font.Name(), "Tahoma");
  EXPECT_EQ(label->Font.Charset(), 161);
}

TEST(ProgramStrings, IndexIsSortedIgnoringCase) {
  TLangStringsCollection index;
  TStringList rows;
  for (const char* id : {"b", "C", "a", "IDS_36", "ids_2"})
    rows.Add(Row(id, std::string("de_") + id, ""));
  index.Build(rows, 2, '\x01');
  std::string order;
  for (int i = 0; i < index.Count(); ++i) order += index.Item(i)->Identifier + " ";
  EXPECT_EQ(order, "a b C ids_2 IDS_36 ");
  EXPECT_EQ(index.Item(index.FindIdentifier("c"))->Strings().Get(0), "de_C");
  EXPECT_EQ(index.FindIdentifier("d"), -1);
}

TEST(PublishedProperties, ListsFilterByKindAndFindByName) {
  TFakeControl control(nullptr, "Label1");
  TLangPropInfoList strings(&control, tkStrings);
  EXPECT_EQ(strings.Count(), 3);  // Name, Caption, Hint
  EXPECT_EQ(strings.Find("caption")->Name, "Caption");
  EXPECT_EQ(strings.Find("Font"), nullptr);
  try {
    TLangPropInfoList none(nullptr);
    FAIL() << "no error";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message, "NIL passed as AObject in TLangPropInfoList.Create!");
  }
}

TEST(ProgramStrings, TestModeMarksUntranslatedTexts) {
  TLangDispatcher dispatcher(nullptr);
  testing::TTestForm form("TestForm");
  auto* label = new TFakeControl(&form, "Label1", "Rows:");
  auto* t = new TTranslator(&form);
  dispatcher.SetNumOfLanguages(2);
  t->SetLangDispatcher(&dispatcher);
  TStringList rows;
  rows.Add(Row("Label1", "Zeilen:", ""));
  t->SetTable(stCaptions, rows);
  dispatcher.TestModeInfo().Active = true;
  dispatcher.TestModeInfo().Kind = TTestModeKind::tmkFlipCase;
  dispatcher.SetActiveLanguage(2);
  EXPECT_EQ(label->Caption, "zEILEN:");
  dispatcher.TestModeInfo().Kind = TTestModeKind::tmkExpandChars;
  EXPECT_EQ(PseudoTranslate("abcd", dispatcher.TestModeInfo()), "a*b*c*d*");
  EXPECT_EQ(PseudoTranslate("50%", dispatcher.TestModeInfo()), "50%");
  dispatcher.TestModeInfo().Kind = TTestModeKind::tmkExpandWidth;
  const std::string wide = PseudoTranslate("Zeilen", dispatcher.TestModeInfo());
  std::string letters = wide;
  std::erase(letters, '*');
  EXPECT_EQ(letters, "ZEILEN");
  EXPECT_GE(MeasureTestModeText(wide), 2 * MeasureTestModeText("Zeilen"));
}

}  // namespace
}  // namespace kv
