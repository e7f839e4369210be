#include <gtest/gtest.h>

#include "RtfReader.h"
#include "editor/export/RTFEngine.h"

namespace kv {
namespace {

TEST(RTFTables, FacesAndColoursAreStoredOnceInOrderOfFirstUse) {
  TRTFHeader header;
  EXPECT_EQ(header.FontTable.AddFace("Courier New"), 0);
  EXPECT_EQ(header.FontTable.AddFace("Tahoma"), 1);
  EXPECT_EQ(header.FontTable.AddFace("courier new"), 0);
  EXPECT_EQ(header.FontTable.Fonts(1)->Code(), 1);

  EXPECT_EQ(header.ColorTable.AddColor(clNavy), 1);
  EXPECT_EQ(header.ColorTable.AddColor(clRed), 2);
  EXPECT_EQ(header.ColorTable.AddColor(clNavy), 1);
  // A system colour is resolved before comparing: window text is black.
  EXPECT_EQ(header.ColorTable.AddColor(clBlack), 3);
  EXPECT_EQ(header.ColorTable.AddColor(clWindowText), 3);

  EXPECT_EQ(header.Render(),
            "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
            "{\\fonttbl{\\f0\\fnil Courier New;}{\\f1\\fnil Tahoma;}}"
            "{\\colortbl ;\\red0\\green0\\blue128;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}"
            "\\viewkind4\\uc1");
}

TEST(RTFTables, EmptyTablesAreLeftOut) {
  TRTFHeader header;
  EXPECT_EQ(header.Render(), "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033\\viewkind4\\uc1");
}

TEST(RTFTables, FontItemPublishesFaceNameAndCode) {
  TFontTable table;
  table.AddFace("Arial");
  TFontItem* item = table.Fonts(0);
  EXPECT_EQ(GetStrProp(item, "FaceName"), "Arial");
  SetOrdProp(item, "Code", 7);
  EXPECT_EQ(item->Code(), 7);
}

TEST(RTFEngine, TextIsEscapedAndSeparatedFromControlWords) {
  struct Case {
    const char* text;
    const char* body;
  } cases[] = {
      {"a\\b", "\\b a\\\\b"},
      {"{x}", "\\b \\{x\\}"},
      {"\xE4\x01", "\\b \\'e4\\'01"},  // umlaut and a control byte
  };
  for (const Case& c : cases) {
    TRTFEngine rtf;
    rtf.SetBold(true);
    rtf.AddText(c.text);
    EXPECT_EQ(rtf.Body(), c.body) << c.text;
  }
}

TEST(RTFEngine, AttributesAreWrittenOnlyWhenTheyChange) {
  TRTFEngine rtf;
  rtf.SetFont("Courier New");
  rtf.SetFontSize(10);
  rtf.SetForeColor(clBlack);
  rtf.SetHighlightColor(clNone);
  rtf.SetBold(false);
  rtf.AddText("a");
  rtf.SetForeColor(clBlack);
  rtf.SetBold(false);
  rtf.AddText("b");
  rtf.SetBold(true);
  rtf.SetItalic(true);
  rtf.SetUnderline(true);
  rtf.AddText("c");
  rtf.SetUnderline(false);
  rtf.SetHighlightColor(clWhite);
  rtf.AddText("d");
  EXPECT_EQ(rtf.Body(), "\\f0\\fs20\\cf1\\highlight0\\b0 ab\\b\\i\\ul c\\ulnone\\highlight2 d");
}

TEST(RTFEngine, HyperlinkIsAFieldInTheCurrentFont) {
  TRTFEngine rtf;
  rtf.SetFont("Courier New");
  rtf.SetFontSize(10);
  rtf.SetForeColor(clBlack);
  rtf.AddHyperlink("http://a.b/c", "http://a.b/c", clBlue);
  EXPECT_EQ(rtf.Body(),
            "\\f0\\fs20\\cf1{\\field{\\*\\fldinst {\\rtlch \\af0\\afs20\\ltrch \\f0\\fs20  "
            "HYPERLINK \"http://a.b/c\"}}{\\fldrslt {\\rtlch \\af0\\afs20\\ltrch \\f0\\fs20"
            "\\ul\\cf2 http://a.b/c}}}");
}

TEST(RTFEngine, DocumentIsReadBackByARealReader) {
  TRTFEngine rtf;
  rtf.SetFont("Courier New");
  rtf.SetFontSize(10);
  rtf.SetForeColor(clNavy);
  rtf.AddText("<body> {braces} back\\slash");
  rtf.EndParagraph();
  rtf.SetBold(true);
  rtf.AddText("second line");
  std::string doc = rtf.Document();
  EXPECT_EQ(doc.substr(doc.size() - 5), "\\par}");

  std::string text;
  if (!test::ReadRtfAsText(doc, text)) GTEST_SKIP() << "no RTF reader installed";
  EXPECT_NE(text.find("<body> {braces} back\\slash\n"), std::string::npos) << text;
  EXPECT_NE(text.find("second line"), std::string::npos) << text;
}

}  // namespace
}  // namespace kv
