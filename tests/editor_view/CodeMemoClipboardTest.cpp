// Copy, cut and paste through the system clipboard, the extra formats, and oversized input.
#include <gtest/gtest.h>

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "MemoTestSupport.h"

namespace kv {
namespace {

class MemoClipboard : public testing::Test, public test::MemoFixtureBase {
 protected:
  QClipboard* Clip() { return QApplication::clipboard(); }
  TCustomCodeMemo& M() { return Memo->Memo(); }
};

TEST_F(MemoClipboard, CopyPutsTheSelectedTextOnly) {
  SetText("abc\r\ndef");
  M().SetSelection({0, 1}, {1, 2});
  M().KeyDown('C', ssCtrl);
  EXPECT_EQ(Clip()->text().toStdString(), "bc\nde");
  const QMimeData* mime = Clip()->mimeData();
  EXPECT_FALSE(mime->hasFormat("text/rtf"));
  EXPECT_FALSE(mime->hasHtml());

  M().SetSelection({0, 0}, {0, 0});
  M().KeyDown(keys::VK_INSERT, ssCtrl);
  EXPECT_EQ(Clip()->text().toStdString(), "");
}

TEST_F(MemoClipboard, ClipboardActionHandlerMayRefuseACopy) {
  SetText("abc");
  M().SelectAll();
  Clip()->setText("before");
  std::vector<TClipboardAction> asked;
  Memo->OnClipboardAction = [&](TObject*, TClipboardAction a, bool& allow) {
    asked.push_back(a);
    allow = false;
  };
  M().KeyDown('C', ssCtrl);
  EXPECT_EQ(Clip()->text().toStdString(), "before");
  Memo->PasteFromClipboard();
  EXPECT_EQ(M().Line(0), "abc");
  // Ctrl+X acts without asking.
  M().KeyDown('X', ssCtrl);
  EXPECT_EQ(Clip()->text().toStdString(), "abc");
  EXPECT_EQ(M().Line(0), "");
  ASSERT_EQ(asked.size(), 2u);
  EXPECT_EQ(asked[0], TClipboardAction::caCopy);
  EXPECT_EQ(asked[1], TClipboardAction::caPaste);
}

TEST_F(MemoClipboard, RichFormatsWhenAskedFor) {
  SetText("<b>bold</b> text");
  Memo->ClipboardFormats = cfText | cfRTF | cfHTML;
  M().SetSelection({0, 0}, {0, 11});
  Memo->CopyToClipboard();
  const QMimeData* mime = Clip()->mimeData();
  EXPECT_EQ(mime->text().toStdString(), "<b>bold</b>");
  ASSERT_TRUE(mime->hasFormat("text/rtf"));
  EXPECT_EQ(mime->data("text/rtf"), mime->data("application/rtf"));
  const std::string rtf = mime->data("text/rtf").toStdString();
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi", 0), 0u);
  ASSERT_TRUE(mime->hasHtml());
  const std::string html = mime->html().toStdString();
  EXPECT_NE(html.find("<PRE>"), std::string::npos);
  EXPECT_NE(html.find("&lt;"), std::string::npos);
  EXPECT_EQ(html.find("StartHTML"), std::string::npos);  // plain HTML, no Windows header

  // A real reader gets the text back from the RTF.
  if (std::system("command -v unrtf >/dev/null 2>&1") != 0) GTEST_SKIP() << "no unrtf";
  const auto path = std::filesystem::temp_directory_path() / "kv_memo_copy.rtf";
  std::ofstream(path, std::ios::binary) << rtf;
  std::string out;
  if (FILE* pipe =
          popen(("unrtf --text --quiet '" + path.string() + "' 2>/dev/null").c_str(), "r")) {
    char buf[512];
    std::size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, pipe)) > 0) out.append(buf, n);
    pclose(pipe);
  }
  std::filesystem::remove(path);
  EXPECT_NE(out.find("<b>bold</b>"), std::string::npos) << out;
}

TEST_F(MemoClipboard, CutNeedsAWritableText) {
  SetText("hello world");
  M().SetSelection({0, 0}, {0, 6});
  M().ReadOnly = true;
  Memo->CutToClipboard();
  EXPECT_EQ(M().Line(0), "hello world");
  M().ReadOnly = false;
  Memo->CutToClipboard();
  EXPECT_EQ(M().Line(0), "world");
  EXPECT_EQ(Clip()->text().toStdString(), "hello ");
}

TEST_F(MemoClipboard, PastingThreeLinesSplitsTheLineAndUndoesInOneStep) {
  SetText("left|right");
  M().SetCaret({0, 5});
  Clip()->setText("one\ntwo\nthree");
  M().KeyDown('V', ssCtrl);
  ASSERT_EQ(M().LineCount(), 3);
  EXPECT_EQ(M().Line(0), "left|one");
  EXPECT_EQ(M().Line(1), "two");
  EXPECT_EQ(M().Line(2), "threeright");
  EXPECT_EQ(M().CaretY(), 2);
  EXPECT_EQ(M().CaretX(), 5);
  M().Undo();
  ASSERT_EQ(M().LineCount(), 1);
  EXPECT_EQ(M().Line(0), "left|right");
}

TEST_F(MemoClipboard, PastedTabsAndControlBytesAreHarmless) {
  SetText("");
  // Clipboard text ends at a NUL, as the platform's plain-text format does.
  Clip()->setText(QString::fromUtf16(u"a\tb\u0001c\r\nd\u0000e"));
  Memo->PasteFromClipboard();
  ASSERT_EQ(M().LineCount(), 2);
  EXPECT_EQ(M().Line(0),
            "a    b\x01"
            "c");
  EXPECT_EQ(M().Line(1), "d");
  Render();  // draws without trouble
}

// 10 MB on the clipboard: pasted whole, painted, paged through. How long that takes is
// measured beside QScintilla in bench/editor_view (bench_editor_peer).
TEST_F(MemoClipboard, TenMegabytesPasteAndPaint) {
  std::string big;
  big.reserve(10 << 20);
  while (big.size() < (10u << 20)) big += "<p class=\"x\">some text &amp; more</p>\n";
  Clip()->setText(QString::fromLatin1(big.data(), static_cast<qsizetype>(big.size())));
  SetText("");
  Memo->PasteFromClipboard();
  const int lines = static_cast<int>(std::count(big.begin(), big.end(), '\n')) + 1;
  ASSERT_EQ(M().LineCount(), lines);
  EXPECT_EQ(M().Line(lines - 2), "<p class=\"x\">some text &amp; more</p>");
  EXPECT_EQ(M().Caret(), (TTextPos{lines - 1, 0}));
  EXPECT_EQ(M().TopLine() + Memo->Layout().VisibleRows(), lines);
  const QImage end = Render();
  M().KeyDown(keys::VK_PRIOR, 0);
  EXPECT_EQ(M().TopLine() + 2 * Memo->Layout().VisibleRows(), lines);
  EXPECT_NE(Render(), end);
  M().Undo();
  EXPECT_EQ(M().LineCount(), 1);
}

}  // namespace
}  // namespace kv
