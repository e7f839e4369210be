// The main window's logic over the in-process engine: start-up, texts by language, the tool
// bar's commands and state, the filters, the document lifecycle.
#include <QComboBox>
#include <QKeyEvent>
#include <QTimer>

#include "engine/FakeWebEngine.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"
#include "tools/AboutBox.h"
#include "tools/CreateTableForm.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"
#include "tools/WerbungForm.h"

namespace kv {
namespace {

class MainFormFake : public MainFormTest {
 protected:
  TMainForm* StartFake(std::vector<std::string> arguments = {}) {
    return Start([this] { return FakeEngineHost(&engine_); }, std::move(arguments));
  }
  // Shows the window and lets the blank page's navigation complete.
  TMainForm* StartShown() {
    TMainForm* f = StartFake();
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return !engine_->Busy(); }));
    return f;
  }
  TFakeWebEngine* engine_ = nullptr;
};

TEST_F(MainFormFake, StartsInGermanWithTheVersionInTheCaption) {
  TMainForm* f = StartShown();
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->Caption(), "KAVELIN Version 9.2.6");
  EXPECT_EQ(f->VersionText, "Version 9.2.6");
  EXPECT_EQ(f->ActiveLanguage(), 1);
  EXPECT_EQ(f->Datei1->Caption(), "Datei");
  EXPECT_EQ(f->ToolButton3->Hint(), "L\xF6sche ausgew\xE4hlten Text");
  // Screen readers name the picture buttons by their hints.
  EXPECT_EQ(f->BoldToolButton->Peer()->accessibleName(), QString::fromUtf8("Schrift Fett"));
  EXPECT_EQ(f->BlockFormatCombo->Text(), "Normal");
  EXPECT_EQ(f->TextSizeCombo->Text(), "4");
  EXPECT_EQ(f->TextFontCombo->Text(), "Schrift");
  // An untitled page in the temporary directory, shown in the status bar.
  EXPECT_EQ(f->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");
  EXPECT_EQ(f->StatusBar1->SimpleText(), f->CurrentFile.Bytes());
  EXPECT_EQ(f->DocDir.Bytes(), folder_.TempDir() + "temp/");
  EXPECT_TRUE(FileExists(AsPath(f->WorkFile)));
  EXPECT_TRUE(engine_->DesignMode);
  EXPECT_EQ(engine_->Navigations.front(), "about:blank");
}

TEST_F(MainFormFake, TheStoredLanguageDecidesOnlyWhenSpelledExactly) {
  struct Case {
    const char* stored;  // nullptr: no Language.ini
    int language;
    const char* file;
    const char* languageMenu;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {nullptr, 1, "Datei", "Language", "German", "English"},
      {"ENGLISH\r\n", 2, "File", "Sprache", "Deutsch", "Englisch"},
      {"english\r\n", 1, "Datei", "Language", "German", "English"},
      {"GERMAN\r\n", 1, "Datei", "Language", "German", "English"},
  };
  for (const Case& c : cases) {
    if (c.stored)
      folder_.Write("Language.ini", c.stored);
    else
      folder_.Remove("Language.ini");
    TMainForm* f = StartFake();
    EXPECT_EQ(f->ActiveLanguage(), c.language) << (c.stored ? c.stored : "none");
    EXPECT_EQ(f->Datei1->Caption(), c.file);
    EXPECT_EQ(f->Language1->Caption(), c.languageMenu);
    EXPECT_EQ(f->Deutsch1->Caption(), c.german);
    EXPECT_EQ(f->English1->Caption(), c.english);
    EXPECT_EQ(f->Caption(), "KAVELIN Version 9.2.6");
    app_->DestroyForms();
  }
}

TEST_F(MainFormFake, AMissingVersionFileIsReportedByNameAndTheWindowStaysUsable) {
  folder_.Remove("Ver.ini");
  TMainForm* f = StartFake();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("Ver.ini"), std::string::npos);
  f->Show();
  EXPECT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
  f->BoldToolButton->PerformClick();
  EXPECT_EQ(engine_->Commands.size(), 1u);
}

TEST_F(MainFormFake, AMissingHeaderPictureIsReportedByNameAndThePageStillOpens) {
  folder_.Remove("recom/m_head.jpg");
  TMainForm* f = StartFake();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("m_head.jpg"), std::string::npos) << errors_[0];
  EXPECT_EQ(f->Caption(), "KAVELIN Version 9.2.6");  // the steps before it ran
  f->Show();
  EXPECT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
  EXPECT_TRUE(engine_->DesignMode);
}

TEST_F(MainFormFake, AnEmptyVersionFileIsAListIndexError) {
  folder_.Write("Ver.ini", "");
  StartFake();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("Listenindex"), std::string::npos);
}

TEST_F(MainFormFake, AStartPageThatCannotBeOpenedIsReportedAndANewPageTakesItsPlace) {
  // /proc takes no working copy beside the page.
  TMainForm* f = StartFake({"/proc/version"});
  f->Show();
  ASSERT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("/proc/version"), std::string::npos) << errors_[0];
  EXPECT_EQ(f->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");
  EXPECT_EQ(f->StatusBar1->SimpleText(), f->CurrentFile.Bytes());
}

TEST_F(MainFormFake, AStartPageIsOpenedThroughAWorkingCopyAndNotAddedToTheRecentFiles) {
  const std::string page = folder_.Dir() + "start.html";
  WriteFileBytes(AsPath(page), "<HTML><BODY>Start</BODY></HTML>");
  TMainForm* f = StartFake({page});
  f->Show();
  ASSERT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
  EXPECT_EQ(f->CurrentFile.Bytes(), page);
  EXPECT_EQ(f->DocDir.Bytes(), folder_.Dir());
  EXPECT_EQ(engine_->Loads, std::vector<THostPath>{f->WorkFile});
  EXPECT_FALSE(FileExists(AsPath(folder_.Dir() + "historie.ini")));
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainFormFake, ToolBarButtonsAndBoxesSendTheirCommands) {
  TMainForm* f = StartShown();
  engine_->AskLinkAddress = [] { return std::optional<std::string>("http://example.org/"); };
  using C = TFakeWebEngine::TCommand;
  f->BoldToolButton->PerformClick();
  f->LinkToolButton->PerformClick();
  f->CenterToolButton1->PerformClick();
  f->BlockFormatCombo->SetItemIndex(2);
  f->BlockFormatComboChange(f->BlockFormatCombo);
  f->BlockFormatCombo->SetItemIndex(8);
  f->BlockFormatComboChange(f->BlockFormatCombo);
  f->TextSizeCombo->SetItemIndex(6);
  f->TextSizeComboChange(f->TextSizeCombo);
  f->TextFontCombo->SetItemIndex(0);
  f->TextFontComboChange(f->TextFontCombo);
  f->TextFontCombo->SetItemIndex(3);
  f->TextFontComboChange(f->TextFontCombo);
  const std::vector<C> expected = {{"Bold", false, 0},
                                   {"CreateLink", true, "http://example.org/"},
                                   {"JustifyCenter", false, 0},
                                   {"FormatBlock", false, "<H2>"},
                                   {"FormatBlock", false, "<UL>"},
                                   {"FontSize", false, "7"},
                                   {"FontName", true, ""},
                                   {"FontName", true, "Times New Roman"}};
  EXPECT_EQ(engine_->Commands, expected);
  // Typed text that names no entry is no choice: nothing is sent and nothing is reported.
  f->TextSizeCombo->SetText("9");
  f->TextFontCombo->SetText("Wingdings");
  f->BlockFormatCombo->SetText("Zitat");
  SafeCall([&] { f->TextSizeComboChange(f->TextSizeCombo); });
  SafeCall([&] { f->TextFontComboChange(f->TextFontCombo); });
  SafeCall([&] { f->BlockFormatComboChange(f->BlockFormatCombo); });
  EXPECT_EQ(engine_->Commands, expected);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(MainFormFake, RefreshReadsTheStateAtTheCaretIntoTheToolBar) {
  TMainForm* f = StartShown();
  engine_->SetCommandValue("Bold", true);
  engine_->SetCommandValue("Italic", false);
  engine_->SetCommandValue("CreateLink", false);
  engine_->SetCommandValue("JustifyLeft", false);
  engine_->SetCommandValue("JustifyCenter", true);
  engine_->SetCommandValue("JustifyRight", false);
  engine_->SetCommandValue("Underline", false);
  engine_->SetCommandValue("FontSize", 5);
  engine_->SetCommandValue("FontName", "Times New Roman");
  engine_->SetCommandValue("FormatBlock",
                           "\xDC"
                           "berschrift 2");
  engine_->SetCommandValue("ForeColor", 0x0000FF);
  f->RefreshToolbarState();
  EXPECT_TRUE(f->BoldToolButton->Down());
  EXPECT_TRUE(f->CenterToolButton1->Down());
  EXPECT_EQ(f->TextSizeCombo->ItemIndex(), 4);
  EXPECT_EQ(f->TextFontCombo->ItemIndex(), 0);  // Times New Roman shows as "Standard"
  EXPECT_EQ(f->BlockFormatCombo->ItemIndex(), 2);
  EXPECT_EQ(f->ColorDialog1->Color(), 0x0000FF);
  // A name of the other language is not recognised.
  engine_->SetCommandValue("FormatBlock", "Heading 3");
  f->RefreshToolbarState();
  EXPECT_EQ(f->BlockFormatCombo->ItemIndex(), 2);
  // A value that cannot be read releases the seven buttons and shows nothing.
  engine_->SetCommandValue("Bold", TVariant());
  f->RefreshToolbarState();
  EXPECT_FALSE(f->CenterToolButton1->Down());
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainFormFake, ArrowKeysAnywhereRefreshTheToolBarOnceTheFirstPageHasLoaded) {
  TMainForm* f = StartFake();
  QKeyEvent left(QEvent::KeyPress, Qt::Key_Left, Qt::NoModifier);
  QApplication::sendEvent(f->TextFontCombo->Peer(), &left);
  EXPECT_EQ(f->ToolbarRefreshCount, 0);  // the filter is off until a navigation completed
  f->Show();
  ASSERT_TRUE(WaitFor([&] { return !engine_->Busy(); }));
  const int before = f->ToolbarRefreshCount;
  QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
  QKeyEvent letter(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, "a");
  QApplication::sendEvent(f->TextFontCombo->Peer(), &down);
  QApplication::sendEvent(f->StatusBar1->Peer(), &left);
  QApplication::sendEvent(f->StatusBar1->Peer(), &letter);
  EXPECT_EQ(f->ToolbarRefreshCount, before + 2);
  // A click in the page refreshes too.
  engine_->Click();
  EXPECT_EQ(f->ToolbarRefreshCount, before + 3);
}

TEST_F(MainFormFake, ClipboardButtonsActOnlyWhileThePageHasTheFocus) {
  TMainForm* f = StartShown();
  f->TextFontCombo->SetFocus();
  f->ToolButton3->PerformClick();
  EXPECT_TRUE(engine_->BrowserCommands.empty());
}

TEST_F(MainFormFake, ClosingShowsTheShowcaseOnceAndThenTheProgramEnds) {
  TMainForm* f = StartShown();
  auto* showcase = app_->CreateForm<TWerbungForm>(nullptr);
  int shown = 0;
  showcase->OnShow = [&](TObject*) {
    ++shown;
    QTimer::singleShot(0, [showcase] { showcase->Close(); });
  };
  f->Close();
  EXPECT_EQ(shown, 1);
  EXPECT_FALSE(showcase->Showing());
  EXPECT_TRUE(app_->Terminated());
}

TEST_F(MainFormFake, ClosingDeletesOnlyTheProgramsWorkingFiles) {
  TMainForm* f = StartShown();
  const std::string work = f->WorkFile.Bytes();
  const std::string userFile = f->DocDir.Bytes() + "KAVELIN_notes.html";
  WriteFileBytes(AsPath(userFile), "mine");
  WriteFileBytes(AsPath(f->DocDir + "KAVELIN_undo.html"), "x");
  f->Close();
  EXPECT_FALSE(FileExists(AsPath(work)));
  EXPECT_FALSE(FileExists(AsPath(f->DocDir + "KAVELIN_undo.html")));
  EXPECT_TRUE(FileExists(AsPath(userFile)));  // not the program's: kept
}

TEST_F(MainFormFake, TheLanguageMenuSwitchesEveryWindowAtOnceAndIsRemembered) {
  TMainForm* f = StartShown();
  auto* table = app_->CreateForm<TCreateTableForm>(nullptr);
  auto* source = app_->CreateForm<TQuellcodeForm>(nullptr);
  auto* about = app_->CreateForm<TAboutBox>(nullptr);
  auto* showcase = app_->CreateForm<TWerbungForm>(nullptr);
  auto* meta = app_->CreateForm<TMetaTagForm>(nullptr);
  (void)table;
  (void)source;
  (void)meta;
  // Created while German is active: rewritten in German at once, then the creation handlers
  // have the last word (the about box names the product until a language is applied again).
  EXPECT_EQ(about->Caption(), "KAVELIN");
  EXPECT_EQ(showcase->Caption(), "Top-Produkte von VARENTO");

  f->English1->Click();
  EXPECT_EQ(f->ActiveLanguage(), 2);
  std::string stored;
  ReadFileBytes(AsPath(folder_.Dir() + "Language.ini"), stored);
  EXPECT_EQ(stored, "ENGLISH\r\n");
  EXPECT_EQ(f->Datei1->Caption(), "File");
  EXPECT_EQ(f->Language1->Caption(), "Sprache");
  EXPECT_EQ(f->ToolButton4->Hint(), "Copy seletcted Text");
  EXPECT_EQ(f->BlockFormatCombo->Items()->Get(1), "Heading 1");
  EXPECT_EQ(f->BlockFormatCombo->Text(), "Normal");
  EXPECT_EQ(f->StatusBar1->Font()->Name(), "Segoe UI");
  EXPECT_EQ(f->Caption(), "KAVELIN Version 9.2.6");
  EXPECT_EQ(about->Caption(), "About");
  EXPECT_EQ(showcase->Caption(), "Top products from VARENTO");
  EXPECT_EQ(f->SavedMessage(), "Document saved!");

  f->Deutsch1->Click();
  ReadFileBytes(AsPath(folder_.Dir() + "Language.ini"), stored);
  EXPECT_EQ(stored, "GERMAN\r\n");
  EXPECT_EQ(f->Datei1->Caption(), "Datei");
  EXPECT_EQ(f->BlockFormatCombo->Items()->Get(8), "Aufz\xE4hlung");
  EXPECT_EQ(f->StatusBar1->Font()->Name(), "Microsoft Sans Serif");
  EXPECT_EQ(about->Caption(), "Info");
  EXPECT_EQ(f->SavedMessage(), "Document wurde gespeichert!");
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainFormFake, SavingAnUntitledPageWritesTheTemporaryPageAndSaysSo) {
  TMainForm* f = StartShown();
  engine_->DocumentText =
      "<HTML><BODY>Gr\xFC\xDF"
      "e</BODY></HTML>";
  f->Soeichern1->Click();
  EXPECT_EQ(messages_, (std::vector<std::string>{"KAVELIN: Document wurde gespeichert!"}));
  std::string saved;
  ASSERT_TRUE(ReadFileBytes(AsPath(folder_.TempDir() + "temp/temp.html"), saved));
  EXPECT_NE(saved.find("Gr\xFC\xDF"
                       "e"),
            std::string::npos);
}

TEST_F(MainFormFake, AFailedSaveNamesTheFileAndSaysNothingSaved) {
  TMainForm* f = StartShown();
  const std::string target = folder_.Dir() + "no-such-folder/page.html";
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return target;
  };
  f->Speichernunter1->Click();
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("page.html"), std::string::npos);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(f->CurrentFile.Bytes(), folder_.TempDir() + "temp/temp.html");  // unchanged
}

TEST_F(MainFormFake, RecentFilesKeepFiveExistingPagesNewestFirstWithoutDuplicates) {
  TMainForm* f = StartShown();
  std::vector<std::string> pages;
  for (const char* name : {"a.html", "b.html", "c.html", "d.html", "e.html", "f.html"}) {
    pages.push_back(folder_.Dir() + name);
    WriteFileBytes(AsPath(pages.back()), "<HTML></HTML>");
  }
  std::string answer;
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return answer;
  };
  for (const std::string& p : pages) {
    answer = p;
    f->NeueInternetseit1->Click();
  }
  answer = pages[2];  // already in the list: moves to the top
  f->NeueInternetseit1->Click();
  DeleteFileIfExists(AsPath(pages[5]));  // leaves the list at the next update
  answer = pages[4];
  f->NeueInternetseit1->Click();
  TStringList history, names;
  history.LoadFromFile(AsPath(folder_.Dir() + "historie.ini"));
  names.LoadFromFile(AsPath(folder_.Dir() + "historiesmall.ini"));
  EXPECT_EQ(history.GetCommaText(), pages[4] + "," + pages[2] + "," + pages[3] + "," + pages[1]);
  EXPECT_EQ(names.GetCommaText(), "e.html,c.html,d.html,b.html");
  ASSERT_EQ(f->Datei1->Count(), 5 + 4);
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "e.html");
  EXPECT_EQ(f->Datei1->Items(6)->Tag, 101);
  // Choosing an entry opens it without reordering; a vanished one shows its number only.
  f->Datei1->Items(6)->Click();
  EXPECT_EQ(f->CurrentFile.Bytes(), pages[2]);
  DeleteFileIfExists(AsPath(pages[3]));
  f->Datei1->Items(7)->Click();
  EXPECT_EQ(f->StatusBar1->SimpleText(), "102");
  EXPECT_EQ(f->CurrentFile.Bytes(), pages[2]);
  EXPECT_TRUE(errors_.empty());
}

TEST_F(MainFormFake, UndoBringsBackTheSnapshotOnceAfterTheEnginesOwnUndo) {
  TMainForm* f = StartShown();
  const std::string snapshot = f->DocDir.Bytes() + "KAVELIN_undo.html";
  WriteFileBytes(AsPath(snapshot), "<HTML><BODY>vorher</BODY></HTML>");
  engine_->DocumentText = "<HTML><BODY>nachher</BODY></HTML>";
  f->ToolButton6->PerformClick();
  EXPECT_EQ(engine_->BrowserCommands, std::vector<int>{wbUndo});
  EXPECT_FALSE(FileExists(AsPath(snapshot)));
  std::string restored, work;
  ReadFileBytes(AsPath(f->DocDir + "KAVELIN_undotemp.html"), restored);
  ReadFileBytes(AsPath(f->WorkFile), work);
  EXPECT_NE(restored.find("vorher"), std::string::npos);
  EXPECT_NE(work.find("nachher"),
            std::string::npos);  // the page as it was goes to the working copy
  EXPECT_EQ(engine_->Navigations.back(), (f->DocDir + "KAVELIN_undotemp.html").Bytes());
  // A second Undo is the engine's alone.
  f->ToolButton6->PerformClick();
  EXPECT_EQ(engine_->BrowserCommands.size(), 2u);
  EXPECT_EQ(engine_->Navigations.size(), 2u);  // about:blank and the one restore
}

}  // namespace
}  // namespace kv
