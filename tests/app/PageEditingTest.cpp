// Page editing in the main window over the in-process engine: every tool bar handler's command,
// the tool bar read back at the caret, hints by language, the table insertion and its failures,
// the snapshot undo after it, the recent pages and a relative start path.
#include <unistd.h>

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QKeySequence>
#include <QMimeData>
#include <QTimer>
#include <filesystem>

#include "engine/FakeWebEngine.h"
#include "platform/QtText.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/app/AppFixture.h"
#include "tests/common/AsPath.h"
#include "tools/CreateTableForm.h"
#include "translate/LangDispatcher.h"

namespace kv {
namespace {

using C = TFakeWebEngine::TCommand;

class PageEditing : public MainFormTest {
 protected:
  // The main window showing page (a file in the program's folder) or an untitled page, with
  // the table generator created after it, as at program start.
  TMainForm* StartWith(const std::string& pageText = {}, const char* language = "GERMAN") {
    folder_.Write("Language.ini", std::string(language) + "\r\n");
    std::vector<std::string> arguments;
    if (!pageText.empty()) {
      page_ = folder_.Dir() + "seite.html";
      WriteFileBytes(AsPath(page_), pageText);
      arguments.push_back(page_);
    }
    TMainForm* f = Start([this] { return FakeEngineHost(&engine_); }, arguments);
    table_ = app_->CreateForm<TCreateTableForm>(nullptr);
    f->Show();
    EXPECT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty() && !engine_->Busy(); }));
    return f;
  }
  void TearDown() override {
    SetAtomicWriteFault(nullptr);
    MainFormTest::TearDown();
  }
  // Presses "Insert table" and, in the window, sets rows and columns and confirms.
  void InsertTable(TMainForm* f, const char* rows, const char* columns) {
    QTimer::singleShot(0, [this, rows, columns] {
      table_->Edit1->SetText(rows);
      table_->Edit2->SetText(columns);
      table_->OKBitBtn->PerformClick();
    });
    f->ToolButton25->PerformClick();
  }
  static std::string FileText(const std::string& path) {
    std::string bytes;
    ReadFileBytes(AsPath(path), bytes);
    return bytes;
  }
  static void ActAccessibly(TToolButton* b) {
    QAccessibleActionInterface* a =
        QAccessible::queryAccessibleInterface(b->Peer())->actionInterface();
    a->doAction(a->actionNames().front());
  }
  static void Choose(TComboBox* box, int index) {
    auto* combo = qobject_cast<QComboBox*>(box->Peer());
    combo->setCurrentIndex(index);
    emit combo->activated(index);
  }

  TFakeWebEngine* engine_ = nullptr;
  TCreateTableForm* table_ = nullptr;
  std::string page_;
};

TEST_F(PageEditing, EveryHandlerSendsItsCommandFlagAndValueAlsoThroughItsAccessibleAction) {
  TMainForm* f = StartWith();
  engine_->AskPictureFile = [] { return std::optional<THostPath>(AsPath("/bilder/bild.gif")); };
  engine_->AskLinkAddress = [] { return std::optional<std::string>("http://example.org/"); };
  TColor offered = clNone;
  DialogService().ColorDialog = [&](TColor initial) -> std::optional<TColor> {
    offered = initial;
    return TColor(0x0000FF);
  };
  struct Case {
    TToolButton* button;
    C command;  // a show-UI command records the answer the engine asked for
  };
  const Case cases[] = {
      {f->BoldToolButton, {"Bold", false, 0}},
      {f->ItalicToolButton, {"Italic", false, 0}},
      {f->UnderlineToolButton1, {"Underline", false, 0}},
      {f->LinkToolButton, {"CreateLink", true, "http://example.org/"}},
      {f->LeftToolButton1, {"JustifyLeft", false, 0}},
      {f->CenterToolButton1, {"JustifyCenter", false, 0}},
      {f->RightToolButton1, {"JustifyRight", false, 0}},
      {f->ToolButton26, {"InsertImage", true, "file:///bilder/bild.gif"}},
      {f->ToolButton22, {"ForeColor", false, std::int64_t{0x0000FF}}},
  };
  for (const Case& c : cases) {
    engine_->Commands.clear();
    c.button->PerformClick();
    ActAccessibly(c.button);  // as a screen reader activates it
    EXPECT_TRUE(WaitFor([&] { return engine_->Commands.size() == 2; }, 2000)) << c.button->Name();
    EXPECT_EQ(engine_->Commands, (std::vector<C>{c.command, c.command})) << c.button->Name();
  }
  // The colour dialog starts at the colour read back last.
  engine_->SetCommandValue("ForeColor", std::int64_t{0x123456});
  for (const char* name : {"Bold", "Italic", "CreateLink", "JustifyLeft", "JustifyCenter",
                           "JustifyRight", "Underline"})
    engine_->SetCommandValue(name, false);
  engine_->SetCommandValue("FontSize", 3);
  engine_->SetCommandValue("FontName", "Arial");
  engine_->SetCommandValue("FormatBlock", "Normal");
  f->RefreshToolbarState();
  f->ToolButton22->PerformClick();
  EXPECT_EQ(offered, 0x123456);

  // The boxes, as the user picks an entry.
  const char* const blockValues[] = {"<P>",  "<H1>", "<H2>", "<H3>", "<H4>",
                                     "<H5>", "<H6>", "<OL>", "<UL>"};
  std::vector<C> expected;
  engine_->Commands.clear();
  for (int i = 0; i < 9; ++i) {
    Choose(f->BlockFormatCombo, i);
    expected.push_back({"FormatBlock", false, blockValues[i]});
  }
  for (int i = 0; i < 7; ++i) {
    Choose(f->TextSizeCombo, i);
    expected.push_back({"FontSize", false, std::to_string(i + 1)});
  }
  const char* const fonts[] = {"",        "Arial",        "Verdana", "Times New Roman",
                               "Courier", "Trebuchet MS", "Tahoma",  "Comic Sans MS"};
  for (int i = 0; i < 8; ++i) {
    Choose(f->TextFontCombo, i);
    expected.push_back({"FontName", true, fonts[i]});
  }
  EXPECT_EQ(engine_->Commands, expected);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(PageEditing, TheToolBarReadsTheCaretByTheRulesOfTheActiveLanguage) {
  struct Case {
    int language;
    const char* states;  // Bold, Italic, CreateLink, JustifyLeft/Center/Right, Underline
    const char* fontName;
    const char* block;
    TVariant size;
    int fontEntry, blockEntry, sizeEntry;  // expected; the previous entry when unmatched
  };
  // Each case starts from font 7, block 5 and size 6.
  const Case cases[] = {
      {1, "1000100", "Times New Roman",
       "\xDC"
       "berschrift 2",
       5, 0, 2, 4},
      {1, "0100011", "Standard", "Normal", 1, 0, 0, 0},
      {1, "0011000", "Arial", "Standard", 7, 1, 0, 6},
      {1, "0000001", "Courier", "Nummerierte Liste", 0, 4, 7, 5},  // size 0: the box stays
      {1, "1111001", "Courier New", "Heading 2", 8, 7, 5, 5},      // nothing matches
      {1, "0000000", "arial", "Aufz\xE4hlung", 2, 7, 8, 1},        // names compare exactly
      {2, "0000101", "Verdana", "Heading 6", 4, 2, 6, 3},
      {2, "1000000", "Comic Sans MS", "Bulleted List", 3, 7, 8, 2},
      {2, "0000000", "Tahoma",
       "\xDC"
       "berschrift 2",
       3, 6, 5, 2},
      {2, "0000001", "Trebuchet MS", "Numbered List", 3, 5, 7, 2},
  };
  TMainForm* f = StartWith();
  const char* const names[7] = {"Bold",          "Italic",       "CreateLink", "JustifyLeft",
                                "JustifyCenter", "JustifyRight", "Underline"};
  TToolButton* const buttons[7] = {
      f->BoldToolButton,    f->ItalicToolButton, f->LinkToolButton,      f->LeftToolButton1,
      f->CenterToolButton1, f->RightToolButton1, f->UnderlineToolButton1};
  for (const Case& c : cases) {
    f->LangDispatcher1->SetActiveLanguage(c.language);
    f->TextFontCombo->SetItemIndex(7);
    f->BlockFormatCombo->SetItemIndex(5);
    f->TextSizeCombo->SetItemIndex(5);
    for (int i = 0; i < 7; ++i) engine_->SetCommandValue(names[i], c.states[i] == '1');
    engine_->SetCommandValue("FontName", c.fontName);
    engine_->SetCommandValue("FormatBlock", c.block);
    engine_->SetCommandValue("FontSize", c.size);
    engine_->SetCommandValue("ForeColor", std::int64_t{0x00FF00});
    f->RefreshToolbarState();
    for (int i = 0; i < 7; ++i)
      EXPECT_EQ(buttons[i]->Down(), c.states[i] == '1') << names[i] << " " << c.states;
    EXPECT_EQ(f->TextFontCombo->ItemIndex(), c.fontEntry) << c.fontName;
    EXPECT_EQ(f->BlockFormatCombo->ItemIndex(), c.blockEntry) << c.block;
    EXPECT_EQ(f->TextSizeCombo->ItemIndex(), c.sizeEntry) << c.states;
    EXPECT_EQ(f->ColorDialog1->Color(), 0x00FF00);
  }
  // A picture of the bar with Bold, Underline and Center pressed.
  for (int i = 0; i < 7; ++i) engine_->SetCommandValue(names[i], i == 0 || i == 4 || i == 6);
  engine_->SetCommandValue("FontName", "Arial");
  f->RefreshToolbarState();
  QDir().mkpath(QString(KV_BINARY_DIR) + "/screens");
  EXPECT_TRUE(f->ControllBar1->Peer()->grab().save(QString(KV_BINARY_DIR) +
                                                   "/screens/toolbar_pressed.png"));

  // A step that fails (no value, or the engine gone) releases the seven buttons, silently.
  for (bool gone : {false, true}) {
    f->BoldToolButton->SetDown(true);
    f->UnderlineToolButton1->SetDown(true);
    engine_->SetCommandValue("FontName", TVariant());
    engine_->SetFailing(gone);
    f->RefreshToolbarState();
    EXPECT_FALSE(f->BoldToolButton->Down());
    EXPECT_FALSE(f->UnderlineToolButton1->Down());
    engine_->SetFailing(false);
  }
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(PageEditing, ClipboardButtonsWorkOnlyForThePage) {
  TMainForm* f = StartWith();
  f->TextSizeCombo->SetFocus();
  for (TToolButton* b : {f->ToolButton3, f->ToolButton4, f->ToolButton5}) b->PerformClick();
  EXPECT_TRUE(engine_->BrowserCommands.empty());
  f->WebBrowser1->SetFocus();
  for (TToolButton* b : {f->ToolButton3, f->ToolButton4, f->ToolButton5}) b->PerformClick();
  EXPECT_EQ(engine_->BrowserCommands, (std::vector<int>{wbCut, wbCopy, wbPaste}));
}

TEST_F(PageEditing, EveryControlHasAHintInTheActiveLanguage) {
  TMainForm* f = StartWith();
  struct Case {
    TControl* control;
    const char* german;
    const char* english;
  };
  const Case cases[] = {
      {f->UnderlineToolButton1, "Unterstrichen", "Underline"},
      {f->SpeedButton1, "HTML-Quelltext bearbeiten", "Edit the HTML source"},
      {f->SpeedButton2, "Vorschau im Browser", "Preview in the web browser"},
      {f->BlockFormatCombo, "Absatzformat", "Paragraph format"},
      {f->TextSizeCombo,
       "Schriftgr\xF6\xDF"
       "e",
       "Font size"},
      {f->TextFontCombo, "Schriftart", "Font"},
      {f->BoldToolButton, "Schrift Fett", "Font Bold"},
  };
  for (int language : {1, 2, 1}) {
    f->LangDispatcher1->SetActiveLanguage(language);
    for (const Case& c : cases) {
      const std::string hint = language == 1 ? c.german : c.english;
      EXPECT_EQ(c.control->Hint(), hint) << c.control->Name();
      EXPECT_EQ(FromQ(c.control->Peer()->toolTip()), hint);
    }
    // Picture buttons and boxes are named by their hints for screen readers.
    EXPECT_EQ(FromQ(f->UnderlineToolButton1->Peer()->accessibleName()), cases[0].control->Hint());
    EXPECT_EQ(FromQ(f->TextSizeCombo->Peer()->accessibleName()), f->TextSizeCombo->Hint());
  }
  // Every tool button but the separators has one.
  for (int i = 0; i < f->ToolBar1->ControlCount(); ++i) {
    auto* b = dynamic_cast<TToolButton*>(f->ToolBar1->Controls(i));
    if (b && b->Style() != TToolButtonStyle::tbsSeparator) {
      EXPECT_FALSE(b->Hint().empty()) << b->Name();
    }
  }
}

TEST_F(PageEditing, ATableGoesInAtTheCaretIntoTheUsersFileAndUndoTakesItBack) {
  const std::string before = "<HTML><BODY><P>Text davor</P></BODY></HTML>";
  TMainForm* f = StartWith(before);
  auto* clip = new QMimeData;
  clip->setText(QStringLiteral("Meins"));
  clip->setHtml(QStringLiteral("<b>Meins</b>"));
  QApplication::clipboard()->setMimeData(clip);

  InsertTable(f, "2", "2");
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  // The snapshot holds the page before; the user's file holds it with the table, spliced in
  // place of the placeholder at the caret.
  EXPECT_EQ(FileText((f->DocDir + "KAVELIN_undo.html").Bytes()), before + "\r\n");
  const std::string saved = FileText(page_);
  EXPECT_EQ(saved.find("INSERTATABLE"), std::string::npos);
  EXPECT_EQ(saved.rfind("<HTML><BODY><P>Text davor</P>\r\n \r\n<table width=100% border=\"0\"", 0),
            0u)
      << saved;
  EXPECT_NE(
      saved.find("      Tabellenfeld22\r\n    </td>\r\n  </tr>\r\n</table>\r\n</BODY></HTML>\r\n"),
      std::string::npos)
      << saved;
  EXPECT_EQ(engine_->Navigations.back(), page_);
  // The clipboard is as the user left it.
  EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Meins"));
  EXPECT_EQ(QApplication::clipboard()->mimeData()->html(), QStringLiteral("<b>Meins</b>"));
  // A second later the first cell is scrolled into view.
  EXPECT_TRUE(engine_->ScrolledTo.empty());
  EXPECT_TRUE(WaitFor([&] { return !engine_->ScrolledTo.empty(); }, 3000));
  EXPECT_EQ(engine_->ScrolledTo, std::vector<std::string>{"Tabellenfeld11"});
  EXPECT_FALSE(f->Timer1->Enabled());

  ASSERT_NE(engine_->DocumentText.find("Tabellenfeld11"), std::string::npos);
  f->ToolButton6->PerformClick();
  ASSERT_TRUE(WaitFor([&] { return !engine_->Busy(); }));
  EXPECT_EQ(engine_->DocumentText.find("Tabellenfeld"), std::string::npos);
  EXPECT_NE(engine_->DocumentText.find("Text davor"), std::string::npos);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(PageEditing, AFailedInsertionLeavesTheUsersFileAndThePageAsTheyWere) {
  const std::string before = "<HTML><BODY><P>Text</P></BODY></HTML>";
  TMainForm* f = StartWith(before, "ENGLISH");
  QApplication::clipboard()->setText(QStringLiteral("Meins"));
  struct Case {
    const char* what;
    std::function<void()> arrange;
    const char* named;  // in the error box
  };
  const Case cases[] = {
      {"the engine refuses the placeholder", [&] { engine_->RefusedCommands = {"INSERTTEXT"}; },
       "INSERTATABLE"},
      {"the user's file cannot be written",
       [&] {
         SetAtomicWriteFault([&](const std::string& p) {
           return p == page_ ? std::string("disk full") : std::string();
         });
       },
       "seite.html"},
      {"the snapshot cannot be written",
       [&] {
         SetAtomicWriteFault([](const std::string& p) {
           return p.ends_with("KAVELIN_undo.html") ? std::string("disk full") : std::string();
         });
       },
       "KAVELIN_undo.html"},
  };
  for (const Case& c : cases) {
    errors_.clear();
    const size_t navigations = engine_->Navigations.size();
    c.arrange();
    InsertTable(f, "2", "2");
    engine_->RefusedCommands.clear();
    SetAtomicWriteFault(nullptr);
    ASSERT_EQ(errors_.size(), 1u) << c.what;
    EXPECT_EQ(errors_[0].rfind("Insert table: ", 0), 0u) << errors_[0];
    EXPECT_NE(errors_[0].find(c.named), std::string::npos) << errors_[0];
    EXPECT_EQ(FileText(page_), before) << c.what;
    EXPECT_EQ(engine_->Navigations.size(), navigations) << c.what;  // not reloaded
    EXPECT_EQ(engine_->DocumentText, before) << c.what;  // the placeholder taken out again
    EXPECT_EQ(QApplication::clipboard()->text(), QStringLiteral("Meins"));
    EXPECT_FALSE(f->Timer1->Enabled());
  }
  // A fragment deleted before OK is written again by OK: the table goes in.
  DeleteFileIfExists(AsPath(f->DocDir + "KAVELIN_acttable.html"));
  errors_.clear();
  InsertTable(f, "1", "3");
  EXPECT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_NE(FileText(page_).find("Tablefield13"), std::string::npos);
}

TEST_F(PageEditing, RecentPagesShowTheirNamesAsTheyAreAndTolerateNoBrokenList) {
  TMainForm* f = StartWith();
  std::string chosen;
  DialogService().FileDialog = [&](const TOpenDialog&, bool) -> std::optional<std::string> {
    return chosen;
  };
  for (const char* name : {"a.html", "Tom & Jerry.html", "b.html"}) {
    chosen = folder_.Dir() + name;
    WriteFileBytes(AsPath(chosen), "<HTML></HTML>");
    f->NeueInternetseit1->Click();
  }
  ASSERT_EQ(f->Datei1->Count(), 5 + 3);
  const TMenuItem* amp = f->Datei1->Items(6);
  EXPECT_EQ(amp->Caption(), "Tom && Jerry.html");
  EXPECT_EQ(amp->Action()->text(), QStringLiteral("Tom && Jerry.html"));  // shows one "&"
  EXPECT_TRUE(QKeySequence::mnemonic(amp->Action()->text()).isEmpty());   // and no access key
  for (int i = 0; i < 3; ++i) EXPECT_EQ(f->Datei1->Items(5 + i)->Tag, 100 + i);
  EXPECT_TRUE(errors_.empty());

  // A short name list: the entries it names are made, then the list's index error.
  WriteFileBytes(AsPath(folder_.Dir() + "historiesmall.ini"), "b.html\r\n");
  SafeCall([&] { f->RebuildRecentMenu(); });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find("Listenindex"), std::string::npos) << errors_[0];
  EXPECT_EQ(f->Datei1->Count(), 5 + 1);
  // A missing one: the file error naming it, and the menu keeps what it had.
  DeleteFileIfExists(AsPath(folder_.Dir() + "historiesmall.ini"));
  SafeCall([&] { f->RebuildRecentMenu(); });
  ASSERT_EQ(errors_.size(), 2u);
  EXPECT_NE(errors_[1].find("historiesmall.ini"), std::string::npos) << errors_[1];
  EXPECT_EQ(f->Datei1->Count(), 5 + 1);
  // The next open writes both lists again.
  f->NeueInternetseit1->Click();
  EXPECT_EQ(f->Datei1->Count(), 5 + 3);
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "b.html");
}

TEST_F(PageEditing, ARelativeStartPathOpensThePage) {
  const std::string dir = folder_.Dir() + "site/";
  ForceDirectories(AsPath(dir));
  WriteFileBytes(AsPath(dir + "page.html"), "<HTML><BODY>relativ</BODY></HTML>");
  const std::filesystem::path was = std::filesystem::current_path();
  std::filesystem::current_path(AsPath(dir).Sys());
  TMainForm* f = Start([this] { return FakeEngineHost(&engine_); }, {"page.html"});
  f->Show();
  ASSERT_TRUE(WaitFor([&] { return !f->CurrentFile.IsEmpty(); }));
  std::filesystem::current_path(was);
  EXPECT_EQ(f->CurrentFile.Bytes(), dir + "page.html");
  EXPECT_EQ(f->DocDir.Bytes(), dir);
  EXPECT_EQ(f->WorkFile.Bytes().rfind(dir + "KAVELIN_temp", 0), 0u);
  EXPECT_NE(engine_->DocumentText.find("relativ"), std::string::npos);
  EXPECT_EQ(f->StatusBar1->SimpleText(), dir + "page.html");
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
