// The meta tag generator and the source window on pages the real engine saved: what the user
// sets and edits arrives in the saved file, and Undo brings back the page from before.
#include <QApplication>
#include <QKeyEvent>
#include <QTest>
#include <QTimer>
#include <memory>

#include "tests/app_document/DocumentFixture.h"
#include "tests/common/UserInput.h"
#include "tools/MetaTagForm.h"
#include "tools/QuellcodeForm.h"

namespace kv {
namespace {

// Types text into the focused control of the active modal window, one character a key.
void TypeInto(QWidget* target, const QString& text) {
  target->setFocus();
  for (char32_t code : text.toUcs4()) {
    const QString one = QString::fromUcs4(&code, 1);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
    QApplication::sendEvent(target, &press);
  }
}

using input::WhenShown;

std::string PageText(TMainForm* f) {
  std::string text;
  for (const std::string& line : f->GetDocument()->SaveToLines()) text += line + "\n";
  return text;
}

TEST_F(DocumentFlowTest, MetaTagsSetOnABrandNewPageAreInTheSavedFile) {
  TMainForm* f = StartReady();
  auto* meta = Application()->CreateForm<TMetaTagForm>(nullptr);
  Type("Hallo Welt");
  WhenShown(meta, [&] {
    TypeInto(meta->TitleEdit->Peer(), QString::fromUtf8("Sommerfest & \"mehr\""));
    TypeInto(meta->AuthorEdit->Peer(), QString::fromUtf8("Łukasz Müller"));
    TypeInto(meta->DescriptionEdit->Peer(), QString::fromUtf8("Ein Fest <für> alle"));
    TypeInto(meta->KeywordsEdit->Peer(), QString::fromUtf8("fest, 東京"));
    TypeInto(meta->CopyrightEdit->Peer(), QString::fromUtf8("© 2024"));
    QTest::keyClick(meta->CopyrightEdit->Peer(), Qt::Key_F2);
  });
  Click([&] { f->ToolButton8Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(meta->ModalResult(), mrOk);
  ASSERT_TRUE(WaitFor([&] { return PageText(f).find("Sommerfest") != std::string::npos; }))
      << PageText(f);

  Click([&] { f->Soeichern1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  const std::string saved = FileText(f->CurrentFile.Bytes());
  for (const char* expected :
       {"<TITLE>Sommerfest &amp; \"mehr\"</TITLE>",
        "<META NAME=AUTHOR CONTENT=\"&#321;ukasz M\xFCller\">",
        // Saved again by the engine, which writes "<" and ">" in a quoted value as they are.
        "<META NAME=DESCRIPTION CONTENT=\"Ein Fest <f\xFCr> alle\">",
        "<META NAME=KEYWORDS CONTENT=\"fest, &#26481;&#20140;\">",
        "<META NAME=COPYRIGHT CONTENT=\"\xA9 2024\">", "Hallo Welt"})
    EXPECT_NE(saved.find(expected), std::string::npos) << expected << "\n" << saved;

  // The next visit shows the characters again.
  WhenShown(meta, [&] {
    EXPECT_EQ(meta->AuthorEdit->UnicodeText(), U"\u0141ukasz M\u00FCller");
    EXPECT_EQ(meta->DescriptionEdit->UnicodeText(), U"Ein Fest <f\u00FCr> alle");
    QTest::keyClick(meta->TitleEdit->Peer(), Qt::Key_Escape);
  });
  Click([&] { f->ToolButton8Click(f); });
  EXPECT_EQ(meta->ModalResult(), mrCancel);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(DocumentFlowTest, AnEditedSourceIsShownAndUndoBringsBackThePageFromBefore) {
  TMainForm* f = StartReady();
  auto* source = Application()->CreateForm<TQuellcodeForm>(nullptr);
  Type("Vorher");
  WhenShown(source, [&] {
    TCodeMemo* memo = source->HTMLMemo;
    const std::string text = memo->Lines()->GetText();
    EXPECT_NE(text.find("Vorher"), std::string::npos) << text;
    // At the end of the line that closes the body, as a user would go there.
    int line = 0;
    while (line < memo->Memo().LineCount() &&
           memo->Memo().Line(line).find("</BODY>") == std::string::npos)
      ++line;
    ASSERT_LT(line, memo->Memo().LineCount());
    memo->Memo().SetCaret({line, 0});
    TypeInto(memo->Peer(), "<P>Nachher</P>");
    QTest::keyClick(memo->Peer(), Qt::Key_F2);
  });
  Click([&] { f->SpeedButton1Click(f); });
  ASSERT_TRUE(errors_.empty()) << errors_.front();
  EXPECT_EQ(source->ModalResult(), mrOk);
  ASSERT_TRUE(WaitFor([&] { return PageText(f).find("Nachher") != std::string::npos; }))
      << PageText(f);

  Click([&] { f->UndoButtonClick(f); });
  ASSERT_TRUE(WaitFor([&] { return PageText(f).find("Nachher") == std::string::npos; }))
      << PageText(f);
  EXPECT_NE(PageText(f).find("Vorher"), std::string::npos);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

}  // namespace
}  // namespace kv
