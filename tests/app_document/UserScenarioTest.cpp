// The program as a new user meets it, driven by keys, clicks and menus on the real windows over
// the real web engine: a page made from nothing, through every page tool, saved, moved, opened
// again from the recent list, and the program closed.
#include "support/Files.h"
#include "tests/app_document/UserScenario.h"

namespace kv {
namespace {

TEST_F(UserScenario, ANewUserMakesAPageSavesItMovesItAndOpensItAgain) {
  TMainForm* f = StartProgram();
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->Datei1->Caption(), "Datei");

  // File, New.
  const std::string firstWork = f->WorkFile.Bytes();
  input::ChooseMenu(Bar(), f->Neu1->Action());
  ASSERT_TRUE(WaitFor([&] { return f->WorkFile.Bytes() != firstWork; }));
  ASSERT_TRUE(PageShows({"<BODY"})) << Page();

  // A heading, "Heading 1" from the block format box, then a paragraph with one word bold.
  HeadingAndParagraph("Sommerfest", "Wir feiern im Garten");
  if (HasFatalFailure()) return;
  ASSERT_TRUE(PageShows({"</H1>"}));
  EXPECT_GT(Page().find("Wir feiern"), Page().find("</H1>")) << "the paragraph is in the heading";
  QTest::keyClick(Surface(), Qt::Key_Left, Qt::ControlModifier | Qt::ShiftModifier);
  ASSERT_TRUE(WaitFor([&] { return Selection() == "Garten"; })) << Selection().toStdString();
  input::Click(f->BoldToolButton->Peer());
  ASSERT_TRUE(PageShows({"<B>Garten</B>"})) << Page();
  // The table goes on a line of its own: the caret at the end of the word is still in the bold.
  QTest::keyClick(Surface(), Qt::Key_End);
  QTest::keyClick(Surface(), Qt::Key_Return);

  // A table of two rows and three columns through the table window.
  input::WhenShown(table_, [&] {
    input::Retype(table_->Edit1->Peer(), "2");
    input::Retype(table_->Edit2->Peer(), "3");
    input::Click(table_->OKBitBtn->Peer());
  });
  input::Click(f->ToolButton25->Peer());
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_TRUE(PageShows({"<TABLE", "<B>Garten</B>", "<H1>Sommerfest</H1>"})) << Page();
  {
    const std::string page = Page();
    size_t cells = 0;
    for (size_t at = page.find("<TD"); at != std::string::npos; at = page.find("<TD", at + 1))
      ++cells;
    EXPECT_EQ(cells, 6u) << page;
  }

  // Title and author through the meta tag window, typed as the characters they are.
  input::WhenShown(meta_, [&] {
    input::Retype(meta_->TitleEdit->Peer(), QString::fromUtf8("Fest bei Łukasz & Co"));
    input::Retype(meta_->AuthorEdit->Peer(), QString::fromUtf8("Łukasz & Co"));
    input::Click(meta_->SaveBitBtn->Peer());
  });
  input::Click(f->ToolButton8->Peer());
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  ASSERT_TRUE(PageShows({"<TITLE>Fest bei &#321;ukasz &amp; Co</TITLE>", "<TABLE"})) << Page();

  // The source window: a paragraph typed before the body's end, handed back with F2.
  input::WhenShown(source_, [&] {
    QWidget* memo = source_->HTMLMemo->Peer();
    input::Press(memo, Qt::Key_End, Qt::ControlModifier);
    TTextPos caret = source_->HTMLMemo->Memo().Caret();
    for (int up = 0;
         up < 5 && source_->HTMLMemo->Memo().Line(caret.Line).find("</BODY>") == std::string::npos;
         ++up) {
      input::Press(memo, Qt::Key_Up);
      caret = source_->HTMLMemo->Memo().Caret();
    }
    input::Press(memo, Qt::Key_Home);
    input::Type(memo, "<P>Nachtrag</P>");
    input::Press(memo, Qt::Key_F2);
  });
  input::Click(f->SpeedButton1->Peer());
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(source_->ModalResult(), mrOk);
  ASSERT_TRUE(PageShows({"Nachtrag", "<B>Garten</B>"})) << Page();

  // Undo brings back the page from before the source window.
  input::Click(f->ToolButton6->Peer());
  ASSERT_TRUE(PageShows({"<B>Garten</B>", "<TABLE", "&#321;ukasz"}, {"Nachtrag"})) << Page();

  // English and back to German from the language menu; the page stays as it is.
  input::ChooseMenu(Bar(), f->English1->Action());
  EXPECT_EQ(f->Datei1->Caption(), "File");
  EXPECT_EQ(FileText((f->SettingsDir / "Language.ini").Bytes()), "ENGLISH\r\n");
  input::ChooseMenu(Bar(), f->Deutsch1->Action());
  EXPECT_EQ(f->Datei1->Caption(), "Datei");
  EXPECT_TRUE(PageShows({"<B>Garten</B>", "<TABLE"}, {"Nachtrag"})) << Page();

  // F2 saves the untitled page where it stands.
  const std::string untitled = f->CurrentFile.Bytes();
  input::Press(Surface(), Qt::Key_F2);
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(messages_, (std::vector<std::string>{"KAVELIN: Document wurde gespeichert!"}));
  std::string saved = FileText(untitled);
  for (const char* expected : {"<TITLE>Fest bei &#321;ukasz &amp; Co</TITLE>",
                               "<META NAME=AUTHOR CONTENT=\"&#321;ukasz &amp; Co\">",
                               "<H1>Sommerfest</H1>", "<B>Garten</B>", "<TABLE"})
    EXPECT_NE(saved.find(expected), std::string::npos) << expected << "\n" << saved;
  EXPECT_EQ(saved.find("Nachtrag"), std::string::npos);

  // Save as into a folder the user makes in the dialog.
  const std::string moved = Dir() + "site/sommerfest.html";
  DialogService().FileDialog = [&](const TOpenDialog&, bool save) -> std::optional<std::string> {
    EXPECT_TRUE(save);
    EXPECT_TRUE(ForceDirectories(AsPath(Dir() + "site")));
    return moved;
  };
  input::ChooseMenu(Bar(), f->Speichernunter1->Action());
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), moved);
  EXPECT_EQ(f->StatusBar1->SimpleText(), moved);
  saved = FileText(moved);
  EXPECT_NE(saved.find("<B>Garten</B>"), std::string::npos) << saved;
  EXPECT_NE(saved.find("&#321;ukasz &amp; Co"), std::string::npos) << saved;
  ASSERT_EQ(f->Datei1->Count(), 6);
  EXPECT_EQ(f->Datei1->Items(5)->Caption(), "sommerfest.html");

  // Another new page, then the moved one again from the File menu's recent entry.
  input::ChooseMenu(Bar(), f->Neu1->Action());
  ASSERT_TRUE(PageShows({"<BODY"}, {"Garten"})) << Page();
  input::ChooseMenu(Bar(), f->Datei1->Items(5)->Action());
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(f->CurrentFile.Bytes(), moved);
  ASSERT_TRUE(PageShows({"<B>Garten</B>", "<H1>Sommerfest</H1>", "<TABLE"})) << Page();

  // Close: the working files go, and the German showcase is the last window.
  EXPECT_FALSE(FilesIn(Dir() + "site/", "KAVELIN_").empty());
  EXPECT_TRUE(CloseAndSeeShowcase(false));
  EXPECT_TRUE(FilesIn(Dir() + "site/", "KAVELIN_").empty());
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(UserScenario, AStartInEnglishEndsWithTheEnglishShowcase) {
  ASSERT_TRUE(WriteFileBytes(AsPath(Dir() + "Language.ini"), "ENGLISH\r\n"));
  TMainForm* f = StartProgram();
  EXPECT_EQ(f->Datei1->Caption(), "File");
  EXPECT_TRUE(CloseAndSeeShowcase(true));
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(UserScenario, AltKeysReachTheMenuWhileThePageHasTheKeyboard) {
  TMainForm* f = StartProgram();
  Type("Hallo");
  ASSERT_TRUE(input::Focus(Surface()));
  const std::string work = f->WorkFile.Bytes();
  QTest::keyClick(Surface(), Qt::Key_N, Qt::AltModifier);
  ASSERT_TRUE(WaitFor([&] { return f->WorkFile.Bytes() != work; })) << "Alt+N made no new page";
  ASSERT_TRUE(PageShows({"<BODY"}, {"Hallo"})) << Page();

  AnswerFileDialog(std::nullopt);
  ASSERT_TRUE(input::Focus(Surface()));
  QTest::keyClick(Surface(), Qt::Key_S, Qt::AltModifier);
  EXPECT_EQ(dialogPresets_.size(), 1u) << "Alt+S opened no save dialog";
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
