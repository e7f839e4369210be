#include <gtest/gtest.h>

#include "RtfReader.h"
#include "editor/core/CodeMemo.h"
#include "editor/core/MemoStyler.h"
#include "editor/export/ClipboardHtml.h"
#include "editor/export/MemoExport.h"

namespace kv {
namespace {

// A model with the HTML styler, as the source window configures it.
class MemoExport : public testing::Test {
 protected:
  MemoExport() : styler(nullptr) {
    memo.Font().SetName("Courier New");
    memo.Font().SetHeight(-13);
    memo.Font().SetColor(clBlack);
    memo.SetSyntaxStyles(&styler);
  }
  ~MemoExport() override { memo.SetSyntaxStyles(nullptr); }
  void SetText(const std::string& text) { memo.Lines().SetText(text); }
  std::string Joined(const TStrings& lines) {
    std::string out;
    for (int i = 0; i < lines.Count(); ++i) out += lines.Get(i) + "\n";
    return out;
  }

  THTMLMemoStyler styler;
  TCustomCodeMemo memo;
};

TEST_F(MemoExport, HtmlFragmentColoursEachRunAndEscapesMarkup) {
  SetText("<b>x</b>");
  THtmlRenderer html;
  html.Render(memo, LinesRange(memo, -1, -1), false, true);
  const std::string teal = "<FONT style=\"background-color: #FFFFFF;color:#008080;\">";
  const std::string navy = "<FONT style=\"background-color: #FFFFFF;color:#000080;\">";
  const std::string plain = "<FONT style=\"background-color: #FFFFFF;color:#000000;\">";
  EXPECT_EQ(Joined(html.Lines),
            "<PRE>\n"
            "<FONT style=\"font-family:Courier New; font-size:10pt\">\n" +
                teal + "&lt;</FONT>" + navy + "b</FONT>" + teal + "&gt;</FONT>" + plain +
                "x</FONT>" + teal + "&lt;/</FONT>" + navy + "b</FONT>" + teal +
                "&gt;\n"
                "</FONT>\n"
                "</FONT>\n"
                "</PRE>\n");
}

TEST_F(MemoExport, HtmlKeepsAmpersandsLiteral) {
  // Source text such as an entity must come out as the same characters, not as what it means.
  SetText("a & b");
  std::string out = HtmlFragment(memo, LinesRange(memo, 0, 0));
  EXPECT_NE(out.find("&amp;"), std::string::npos) << out;
  EXPECT_EQ(out.find("& "), std::string::npos) << out;
}

TEST_F(MemoExport, WholeDocumentHasBodyColoursAndLinks) {
  SetText("see http://example.com/x now");
  THtmlRenderer html;
  html.Render(memo, LinesRange(memo, -1, -1), true, false);
  ASSERT_GE(html.Lines.Count(), 4);
  EXPECT_EQ(html.Lines.Get(0), "<HTML>");
  EXPECT_EQ(html.Lines.Get(1), "<BODY bgColor=#FFFFFF LINK=#0000FF VLINK=#0000FF ALINK=#0000FF>");
  EXPECT_EQ(html.Lines.Get(3), "<FONT style=\"font-family:Courier New;\">");
  const std::string body = html.Lines.Get(4);
  EXPECT_NE(body.find("<a href=\"http://example.com/x\">http://example.com/x</a>"),
            std::string::npos)
      << body;
  EXPECT_NE(body.find("text-decoration:underline;"), std::string::npos) << body;
  EXPECT_EQ(html.Lines.Get(html.Lines.Count() - 1), "</HTML>");
}

TEST_F(MemoExport, SelectionRangeCoversExactlyTheSelectedText) {
  SetText("abcdef\r\nghij\r\nklm");
  memo.SetSelection({0, 2}, {2, 1});
  const TTextRange r = SelectionRange(memo);
  std::string html = HtmlFragment(memo, r);
  EXPECT_NE(html.find("cdef"), std::string::npos);
  EXPECT_EQ(html.find("ab"), std::string::npos);
  EXPECT_NE(html.find("ghij"), std::string::npos);
  EXPECT_NE(html.find("k\r\n</FONT>"), std::string::npos) << html;
  EXPECT_EQ(html.find("lm"), std::string::npos);
}

TEST_F(MemoExport, RtfHasFontSizeColoursAndRuns) {
  SetText("<b>");
  const std::string rtf = RtfDocument(memo, LinesRange(memo, -1, -1));
  EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033{\\fonttbl{\\f0\\fnil Courier "
                      "New;}}",
                      0),
            0u)
      << rtf;
  // Black for the font, teal for the symbols, white behind them, navy for the keyword.
  EXPECT_NE(rtf.find("{\\colortbl ;\\red0\\green0\\blue0;\\red255\\green255\\blue255;"
                     "\\red0\\green128\\blue128;\\red0\\green0\\blue128;}"),
            std::string::npos)
      << rtf;
  EXPECT_NE(rtf.find("\\viewkind4\\uc1\\f0\\fs20\\cf1\\highlight2\\cf3\\b0\\i0\\ulnone <\\cf4 b"
                     "\\cf3 >\\par}"),
            std::string::npos)
      << rtf;
}

TEST_F(MemoExport, RtfIsReadBackByARealReader) {
  SetText("<html>\r\n  <a href=\"http://kavelin.example/\">{x} \\ y</a>\r\n<!-- done -->");
  const std::string rtf = RtfDocument(memo, LinesRange(memo, -1, -1));
  EXPECT_NE(rtf.find("HYPERLINK \"http://kavelin.example/\""), std::string::npos) << rtf;
  std::string text;
  if (!test::ReadRtfAsText(rtf, text)) GTEST_SKIP() << "no RTF reader installed";
  EXPECT_NE(text.find("<html>"), std::string::npos) << text;
  EXPECT_NE(text.find("{x} \\ y</a>"), std::string::npos) << text;
  EXPECT_NE(text.find("<!-- done -->"), std::string::npos) << text;
}

TEST_F(MemoExport, EmptyRangeStillGivesAValidDocument) {
  SetText("abc");
  memo.SetSelection({0, 1}, {0, 1});
  const std::string rtf = RtfDocument(memo, SelectionRange(memo));
  EXPECT_EQ(rtf.substr(rtf.size() - 5), "\\par}");
  const std::string block = BuildClipboardHtml(HtmlFragment(memo, SelectionRange(memo)));
  TClipboardHtmlOffsets o;
  ASSERT_TRUE(ParseClipboardHtmlOffsets(block, o));
  EXPECT_EQ(block.substr(o.StartFragment, o.EndFragment - o.StartFragment),
            "<PRE>\r\n<FONT style=\"font-family:Courier New; font-size:10pt\">\r\n\r\n</FONT>\r\n"
            "</PRE>");
}

}  // namespace
}  // namespace kv
