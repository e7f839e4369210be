// The HTML source window through the main window's "HTML" button: the page in the editor,
// Save with F2, leaving without it, find and find again, the background, and bad exchange files.
#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <filesystem>

#include "app/core/WorkingFiles.h"
#include "support/AtomicFile.h"
#include "support/Files.h"
#include "tests/app/PageToolsFixture.h"
#include "tests/common/AsPath.h"
#include "tools/core/Gradient.h"

namespace kv {
namespace {

const std::string kPage =
    "<HTML>\r\n<HEAD>\r\n<TITLE>Probe</TITLE>\r\n</HEAD>\r\n<BODY>\r\n"
    "<P>Hallo\tWelt</P>\r\n<P>hallo again, Halloween &#321;&#243;d&#378;</P>\r\n"
    "</BODY>\r\n</HTML>\r\n";

class SourceWindow : public PageToolsTest {
 protected:
  std::string Exchange() const { return DocFile(WorkingFile::SourceCode); }
  std::string Snapshot() const { return DocFile(WorkingFile::Undo); }
  QWidget* Memo() const { return source_->HTMLMemo->Peer(); }
  std::string Selected() const { return source_->HTMLMemo->Memo().GetSelText(); }
  int Open(const std::function<void()>& steps) {
    Visit([&] { main_->SpeedButton1Click(main_); }, steps);
    return source_->ModalResult();
  }
};

TEST_F(SourceWindow, ShowsThePageAndF2HandsTheEditBackToTheMainWindow) {
  StartOn(kPage);
  std::string expected = kPage;
  expected.replace(expected.find('\t'), 1, "    ");  // tabs come back as four blanks
  const int result = Open([&] {
    EXPECT_TRUE(source_->Showing());
    EXPECT_EQ(source_->Caption(), "KAVELIN");
    EXPECT_EQ(source_->HTMLMemo->Lines()->GetText(), expected);
    EXPECT_EQ(FileText(Snapshot()), expected);  // the snapshot, at once
    EXPECT_EQ(QApplication::focusWidget(), Memo());
    for (int i = 0; i < 5; ++i) Press(Memo(), Qt::Key_Down);
    Press(Memo(), Qt::Key_End);
    Type(Memo(), "!");
    Press(Memo(), Qt::Key_F2);
  });
  EXPECT_EQ(result, mrOk);
  EXPECT_FALSE(source_->Showing());
  ASSERT_TRUE(WaitForPage(Exchange()));
  expected.insert(expected.find("Welt</P>") + 8, "!");
  EXPECT_EQ(FileText(Exchange()), expected);
  EXPECT_EQ(engine_->DocumentText, expected);
  EXPECT_TRUE(engine_->DesignMode);
  EXPECT_EQ(FileText(PagePath()), kPage);  // the user's file waits for the next Save
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SourceWindow, LeavingWithoutSaveWritesNothingAndKeepsTheEarlierSnapshot) {
  StartOn(kPage);
  ExpectLeavingChangesNothing(
      {{"Esc in the editor", [this] { Press(Memo(), Qt::Key_Escape); }, mrCancel},
       {"Esc on the find button", [this] { Press(source_->BitBtn1->Peer(), Qt::Key_Escape); },
        mrCancel},
       {"Abort", [this] { source_->BitBtn2->PerformClick(); }, mrAbort},
       {"close box", [this] { source_->Close(); }, mrCancel}},
      [&] { main_->SpeedButton1Click(main_); }, [&] { Type(Memo(), "lost edit"); }, source_,
      Exchange());
}

TEST_F(SourceWindow, FindsWithTheDialogAndAgainWithF3AcrossVisits) {
  StartOn(kPage);
  TFindDialog* find = nullptr;
  Open([&] {
    find = source_->FindDialog1;
    Press(Memo(), Qt::Key_F3);  // nothing searched yet: the empty text finds nothing
    EXPECT_EQ(Selected(), "");
    EXPECT_EQ(source_->HTMLMemo->Memo().CaretY(), 0);
    // Ctrl+F with any other modifiers opens the dialog beside the window.
    for (Qt::KeyboardModifiers mods :
         {Qt::KeyboardModifiers(Qt::ControlModifier), Qt::ControlModifier | Qt::ShiftModifier,
          Qt::ControlModifier | Qt::AltModifier}) {
      find->CloseDialog();
      Press(Memo(), Qt::Key_F, mods);
      EXPECT_TRUE(find->Showing()) << mods.toInt();
    }
    EXPECT_EQ(find->Dialog()->parentWidget(), source_->Window());
    EXPECT_EQ(find->TextEdit()->maxLength(), 255);
    Type(find->TextEdit(), "hallo");
    QTest::mouseClick(find->FindButton(), Qt::LeftButton);  // down, any case, parts of words
    EXPECT_EQ(Selected(), "Hallo");
    EXPECT_EQ(source_->HTMLMemo->Memo().CaretY(), 5);
    EXPECT_FALSE(find->Showing());
    EXPECT_TRUE(WaitFor([&] { return QApplication::focusWidget() == Memo(); }, 2000));
    Press(Memo(), Qt::Key_F3);
    EXPECT_EQ(Selected(), "hallo");
    Press(Memo(), Qt::Key_F3);
    EXPECT_EQ(Selected(), "Hallo");  // in Halloween
    EXPECT_EQ(source_->HTMLMemo->Memo().CaretY(), 6);

    // A character outside Windows-1252 is found as the page text holds it.
    Press(Memo(), Qt::Key_F, Qt::ControlModifier);
    find->TextEdit()->clear();
    Type(find->TextEdit(), QString::fromUtf8("Ł"));
    QTest::mouseClick(find->FindButton(), Qt::LeftButton);
    EXPECT_EQ(Selected(), "&#321;");

    // Whole words, exact case, from the start.
    Press(Memo(), Qt::Key_Home, Qt::ControlModifier);
    Press(Memo(), Qt::Key_F, Qt::ControlModifier);
    find->TextEdit()->clear();
    Type(find->TextEdit(), "hallo");
    find->Dialog()->findChildren<QCheckBox*>()[0]->setChecked(true);  // whole word
    find->Dialog()->findChildren<QCheckBox*>()[1]->setChecked(true);  // match case
    QTest::mouseClick(find->FindButton(), Qt::LeftButton);
    EXPECT_EQ(Selected(), "hallo");
    EXPECT_EQ(source_->HTMLMemo->Memo().Selection().Start.Col, 3);
    Press(Memo(), Qt::Key_Escape);
  });
  ASSERT_NE(find, nullptr);
  EXPECT_FALSE(find->Showing());
  // The next visit searches for the same text with the same options.
  Open([&] {
    EXPECT_EQ(find->FindText(), "hallo");
    EXPECT_EQ(find->Options() & (frMatchCase | frWholeWord), frMatchCase | frWholeWord);
    Press(Memo(), Qt::Key_F3);
    EXPECT_EQ(Selected(), "hallo");
    EXPECT_EQ(source_->HTMLMemo->Memo().CaretY(), 6);
    Press(Memo(), Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(find->Showing());
    EXPECT_EQ(find->TextEdit()->text(), "hallo");
    source_->BitBtn2->PerformClick();
  });
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SourceWindow, KeysAreLeftToTheFocusedControlAndShiftF2SavesToo) {
  StartOn(kPage);
  EXPECT_EQ(Open([&] {
              for (int key : {int(VK_F3), int(VK_F), int('A')}) {
                int k = key;
                source_->FormKeyDown(source_, k, ssCtrl);
                EXPECT_EQ(k, key);
              }
              source_->FindDialog1->CloseDialog();
              Press(Memo(), Qt::Key_F2, Qt::ShiftModifier);
            }),
            mrOk);
  EXPECT_TRUE(errors_.empty()) << errors_.front();
}

TEST_F(SourceWindow, TheBackgroundIsBandedAndComputedOnlyWhenSomethingChanged) {
  StartOn(kPage);
  Open([&] {
    TGradient* g = source_->Gradient1;
    const QImage picture = g->Picture();
    const int height = picture.height();
    ASSERT_GT(height, 100);
    EXPECT_EQ(picture.size(), source_->Window()->centralWidget()->size());
    const auto bands = GradientBands(height, 0xFDFBFB, 0xDB8564);
    for (size_t i : {size_t(0), bands.size() / 2, bands.size() - 2}) {
      const QRgb pixel = picture.pixel(picture.width() / 2, bands[i].Top);
      EXPECT_EQ(qRed(pixel), static_cast<int>(bands[i].Color & 0xFF)) << i;
      EXPECT_EQ(qGreen(pixel), static_cast<int>((bands[i].Color >> 8) & 0xFF)) << i;
      EXPECT_EQ(qBlue(pixel), static_cast<int>((bands[i].Color >> 16) & 0xFF)) << i;
    }
    const int renders = g->RenderCount();
    g->Peer()->repaint();
    g->Picture();
    EXPECT_EQ(g->RenderCount(), renders);
    g->SetEndColor(g->EndColor());
    g->Picture();
    EXPECT_EQ(g->RenderCount(), renders);
    g->SetEndColor(clBlack);
    g->Picture();
    EXPECT_EQ(g->RenderCount(), renders + 1);
    g->SetEndColor(0xDB8564);
    // The editor follows the window's size.
    EXPECT_EQ(source_->HTMLMemo->Width(), source_->OuterWidth() - 50);
    EXPECT_EQ(source_->HTMLMemo->Height(), source_->OuterHeight() - 110);
    source_->Close();
  });
}

// The exchange file as something else than the main window wrote it.
TEST_F(SourceWindow, BadExchangeFilesAreRefusedOrComeBackUnchanged) {
  StartOn(kPage);
  std::string big;
  for (int line = 0; line < 20; ++line) {
    std::string text = "<P>";
    while (text.size() < 1000000) text += "abc\x81\x8D\x8F\x90\x9D\xE4\x80 <b>x</b> ";
    big += text + "z\r\n";
  }
  struct Case {
    const char* name;
    std::optional<std::string> bytes;  // none: missing
    int result;
    const char* error;  // part of the message, or nullptr
    std::string savedAs;
  } cases[] = {
      {"missing", std::nullopt, mrCancel, "KAVELIN_quellcode.html", ""},
      {"NUL", std::string("<P>a\0b</P>\r\n", 11), mrCancel, "NUL", ""},
      {"empty", std::string(), mrOk, nullptr, "\r\n"},
      {"20 MB, lines of 1 MB, undefined bytes", big, mrOk, nullptr, big},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    errors_.clear();
    WriteFileBytes(AsPath(Snapshot()), "before");
    if (c.bytes)
      WriteFileBytes(AsPath(Exchange()), *c.bytes);
    else
      DeleteFileIfExists(AsPath(Exchange()));
    Visit([&] { source_->ShowModal(); },
          [&] {
            if (source_->Showing()) Press(Memo(), Qt::Key_F2);
          });
    EXPECT_EQ(source_->ModalResult(), c.result) << c.name;
    if (c.error) {
      ASSERT_EQ(errors_.size(), 1u) << c.name;
      EXPECT_NE(errors_[0].find(c.error), std::string::npos) << errors_[0];
      EXPECT_NE(errors_[0].find(Exchange()), std::string::npos) << errors_[0];
      EXPECT_EQ(ReadOr(Exchange(), "(none)"), c.bytes ? *c.bytes : "(none)") << c.name;
      EXPECT_EQ(FileText(Snapshot()), "before") << c.name;
    } else {
      EXPECT_TRUE(errors_.empty()) << c.name << ": " << errors_.front();
      EXPECT_TRUE(FileText(Exchange()) == c.savedAs) << c.name;
    }
  }
  EXPECT_EQ(FileText(PagePath()), kPage);
}

TEST_F(SourceWindow, AnUnwritableFolderIsReportedByFileAndChangesNothing) {
  StartOn(kPage);
  // A folder where the exchange file should be: the hand-off stops before the window.
  std::filesystem::create_directory(AsPath(Exchange()).Sys());
  Open([] {});
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find(Exchange()), std::string::npos) << errors_[0];
  EXPECT_FALSE(source_->Showing());
  std::filesystem::remove(AsPath(Exchange()).Sys());

  // The snapshot cannot be written: the visit ends at once, the earlier snapshot stays.
  errors_.clear();
  WriteFileBytes(AsPath(Snapshot()), "earlier");
  SetAtomicWriteFault(
      [&](const std::string& path) { return path == Snapshot() ? "disk full" : std::string(); });
  EXPECT_NE(Open([] {}), mrOk);
  ASSERT_EQ(errors_.size(), 1u);
  EXPECT_NE(errors_[0].find(Snapshot()), std::string::npos) << errors_[0];
  EXPECT_NE(errors_[0].find("disk full"), std::string::npos) << errors_[0];
  EXPECT_EQ(FileText(Snapshot()), "earlier");

  // Save cannot write the exchange file: the window stays open with the edits.
  errors_.clear();
  SetAtomicWriteFault({});
  const size_t navigations = engine_->Navigations.size();
  std::string handedOver;
  const int result = Open([&] {
    handedOver = FileText(Exchange());
    SetAtomicWriteFault(
        [&](const std::string& path) { return path == Exchange() ? "disk full" : std::string(); });
    Type(Memo(), "kept");
    Press(Memo(), Qt::Key_F2);
    EXPECT_TRUE(source_->Showing());
    EXPECT_EQ(source_->HTMLMemo->Memo().Line(0).substr(0, 4), "kept");
    ASSERT_EQ(errors_.size(), 1u);
    EXPECT_NE(errors_[0].find(Exchange()), std::string::npos) << errors_[0];
    Press(Memo(), Qt::Key_Escape);
  });
  EXPECT_EQ(result, mrCancel);
  EXPECT_EQ(FileText(Exchange()), handedOver);
  EXPECT_EQ(FileText(Snapshot()), "earlier");
  EXPECT_EQ(engine_->Navigations.size(), navigations);
  EXPECT_EQ(FileText(PagePath()), kPage);
}

}  // namespace
}  // namespace kv
