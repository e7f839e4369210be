// The meta tag generator through the main window's "Meta Tags" button: values shown as the
// characters they stand for, typed values written safely into the page's file, leaving without
// OK, limits, and files that cannot be written.
#include <QApplication>
#include <QLineEdit>
#include <QTest>

#include "app/core/WorkingFiles.h"
#include "support/AtomicFile.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "tests/app/PageToolsFixture.h"
#include "tests/common/AsPath.h"

namespace kv {
namespace {

const std::string kPage =
    "<HTML>\r\n<HEAD>\r\n<META http-equiv=\"Content-Type\" content=\"text/html\">\r\n"
    "<TITLE>Vereinsfest &amp; Flohmarkt</TITLE>\r\n"
    "<META NAME=AUTHOR CONTENT=\"&#321;ukasz M\xFCller\">\r\n"
    "<META NAME=GENERATOR CONTENT=\"MSHTML 11.00.10570.1001\">\r\n</HEAD>\r\n"
    "<BODY>\r\n<P>Text</P>\r\n</BODY>\r\n</HTML>\r\n";

class MetaTagWindow : public PageToolsTest {
 protected:
  std::string Snapshot() const { return DocFile(WorkingFile::Undo); }
  int Open(const std::function<void()>& steps) {
    Visit([&] { main_->ToolButton8Click(main_); }, steps);
    return meta_->ModalResult();
  }
  void Replace(TEdit* field, const QString& text) {
    Press(field->Peer(), Qt::Key_A, Qt::ControlModifier);
    Type(field->Peer(), text);
  }
};

TEST_F(MetaTagWindow, ShowsCharactersAndWritesWhatWasTypedSafelyIntoThePage) {
  StartOn(kPage);
  const int result = Open([&] {
    EXPECT_TRUE(meta_->Showing());
    EXPECT_FALSE(meta_->XHTMLCheckBox->Visible());
    EXPECT_EQ(meta_->TitleEdit->UnicodeText(), DecodeUtf8("Vereinsfest & Flohmarkt"));
    EXPECT_EQ(meta_->AuthorEdit->UnicodeText(), DecodeUtf8("Łukasz Müller"));
    EXPECT_EQ(meta_->DescriptionEdit->UnicodeText(), U"");
    EXPECT_EQ(QApplication::focusWidget(), meta_->TitleEdit->Peer());
    Replace(meta_->TitleEdit, QString::fromUtf8("Tom & \"Jerry\" <3 Żółw"));
    Press(meta_->TitleEdit->Peer(), Qt::Key_Tab);
    Press(meta_->AuthorEdit->Peer(), Qt::Key_Tab);  // author, then description
    EXPECT_EQ(QApplication::focusWidget(), meta_->DescriptionEdit->Peer());
    Type(meta_->DescriptionEdit->Peer(), QString::fromUtf8("Ein Fest für alle 😀"));
    Type(meta_->KeywordsEdit->Peer(), "fest, markt");
    Type(meta_->CopyrightEdit->Peer(), QString::fromUtf8("© Verein"));
    Press(meta_->CopyrightEdit->Peer(), Qt::Key_F2);
  });
  EXPECT_EQ(result, mrOk);
  ASSERT_TRUE(WaitForPage(PagePath()));  // the engine shows the user's file now
  const std::string written = FileText(PagePath());
  for (const char* line : {"<TITLE>Tom &amp; &quot;Jerry&quot; &lt;3 &#379;\xF3&#322;w</TITLE>",
                           "<META NAME=AUTHOR CONTENT=\"&#321;ukasz M\xFCller\">",
                           "<META NAME=DESCRIPTION CONTENT=\"Ein Fest f\xFCr alle &#128512;\">",
                           "<META NAME=COPYRIGHT CONTENT=\"\xA9 Verein\">",
                           "<META NAME=KEYWORDS CONTENT=\"fest, markt\">"})
    EXPECT_NE(written.find(std::string(line) + "\r\n"), std::string::npos) << line << "\n"
                                                                           << written;
  EXPECT_EQ(engine_->DocumentText, written);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(MetaTagWindow, LeavingWithoutOkWritesNothingAndKeepsTheEarlierSnapshot) {
  StartOn(kPage);
  ExpectLeavingChangesNothing(
      {{"Esc in a field", [this] { Press(meta_->KeywordsEdit->Peer(), Qt::Key_Escape); }, mrCancel},
       {"Esc on Abort", [this] { Press(meta_->BitBtn2->Peer(), Qt::Key_Escape); }, mrCancel},
       {"Abort", [this] { meta_->BitBtn2->PerformClick(); }, mrAbort},
       {"close box", [this] { meta_->Close(); }, mrCancel}},
      [&] { main_->ToolButton8Click(main_); },
      [&] {
        // The window reads the snapshot written for this visit, not the earlier one.
        EXPECT_EQ(meta_->TitleEdit->Text(), "Vereinsfest & Flohmarkt");
        Replace(meta_->TitleEdit, "Changed");
      },
      meta_, PagePath());
  EXPECT_EQ(FileText(PagePath()), kPage);
}

TEST_F(MetaTagWindow, LimitsBindTypingButNotValuesReadFromThePage) {
  const std::string longTitle(400, 't');
  std::string page = kPage;
  page.replace(page.find("Vereinsfest &amp; Flohmarkt"), 27, longTitle);
  StartOn(page);
  Open([&] {
    EXPECT_EQ(meta_->TitleEdit->Text(), longTitle);
    Replace(meta_->AuthorEdit, QString(120, QChar('a')));
    EXPECT_EQ(meta_->AuthorEdit->Text(), std::string(100, 'a'));
    struct Limit {
      TEdit* field;
      int length;
    } limits[] = {{meta_->TitleEdit, 255},
                  {meta_->AuthorEdit, 100},
                  {meta_->DescriptionEdit, 300},
                  {meta_->KeywordsEdit, 1000},
                  {meta_->CopyrightEdit, 150}};
    for (const Limit& l : limits) EXPECT_EQ(l.field->MaxLength(), l.length) << l.field->Name();
    Press(meta_->TitleEdit->Peer(), Qt::Key_F2);
  });
  EXPECT_NE(FileText(PagePath()).find("<TITLE>" + longTitle + "</TITLE>"), std::string::npos);
}

TEST_F(MetaTagWindow, APageFileThatCannotBeWrittenIsReportedAndLeftAsItWas) {
  StartOn(kPage);
  WriteFileBytes(AsPath(Snapshot()), "earlier");
  SetAtomicWriteFault(
      [&](const std::string& path) { return path == PagePath() ? "disk full" : std::string(); });
  const int result = Open([&] {
    Replace(meta_->TitleEdit, "Neu");
    Press(meta_->TitleEdit->Peer(), Qt::Key_F2);
    EXPECT_TRUE(meta_->Showing());  // still open, with what was typed
    EXPECT_EQ(meta_->TitleEdit->Text(), "Neu");
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find(PagePath()), std::string::npos) << errors_[0];
    EXPECT_NE(errors_[0].find("disk full"), std::string::npos) << errors_[0];
    Press(meta_->TitleEdit->Peer(), Qt::Key_Escape);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(FileText(PagePath()), kPage);
  EXPECT_EQ(FileText(Snapshot()), "earlier");
}

TEST_F(MetaTagWindow, WithoutItsSnapshotTheWindowWritesNothing) {
  StartOn(kPage);
  Open([&] { meta_->BitBtn2->PerformClick(); });  // the fields hold the page's values now
  DeleteFileIfExists(AsPath(Snapshot()));
  Visit([&] { meta_->ShowModal(); },
        [&] {
          EXPECT_EQ(meta_->TitleEdit->Text(), "Vereinsfest & Flohmarkt");  // kept
          Press(meta_->TitleEdit->Peer(), Qt::Key_F2);
          EXPECT_TRUE(meta_->Showing());
          meta_->Close();
        });
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find(Snapshot()), std::string::npos) << errors_[0];
  EXPECT_EQ(FileText(PagePath()), kPage);
}

}  // namespace
}  // namespace kv
