#include <gtest/gtest.h>

#include "editor/export/ClipboardHtml.h"

namespace kv {
namespace {

// The offsets must point at the places the format defines, whatever the fragment holds.
class ClipboardHtmlOffsets : public testing::TestWithParam<std::string> {};

TEST_P(ClipboardHtmlOffsets, PointAtDocumentFragmentAndEnd) {
  const std::string fragment = GetParam();
  const std::string block = BuildClipboardHtml(fragment);
  TClipboardHtmlOffsets o;
  ASSERT_TRUE(ParseClipboardHtmlOffsets(block, o));

  EXPECT_EQ(block.rfind("Version:0.9\r\nStartHTML:", 0), 0u);
  EXPECT_EQ(block.compare(o.StartHTML, 10, "<!DOCTYPE>"), 0);
  EXPECT_EQ(o.EndHTML, static_cast<long>(block.size()));
  const std::string marker = "<!--StartFragment -->\r\n";
  EXPECT_EQ(block.compare(o.StartFragment - marker.size(), marker.size(), marker), 0);
  EXPECT_EQ(block.compare(o.EndFragment, 2, "\r\n"), 0);
  EXPECT_EQ(block.compare(o.EndFragment, 21, "\r\n<!--EndFragment -->"), 0);
  EXPECT_LE(o.StartHTML, o.StartFragment);
  EXPECT_LE(o.StartFragment, o.EndFragment);
}

INSTANTIATE_TEST_SUITE_P(Fragments, ClipboardHtmlOffsets,
                         testing::Values(std::string(), std::string("<PRE>a</PRE>"),
                                         std::string("line 1\r\nline 2\r\n"),
                                         std::string(20000, 'x')));

TEST(ClipboardHtml, FragmentIsCountedInUtf8Bytes) {
  // "ä" is one byte in Windows-1252 and two in UTF-8.
  const std::string block = BuildClipboardHtml("\xE4");
  TClipboardHtmlOffsets o;
  ASSERT_TRUE(ParseClipboardHtmlOffsets(block, o));
  EXPECT_EQ(o.EndFragment - o.StartFragment, 2);
  EXPECT_EQ(block.substr(o.StartFragment, 2), "\xC3\xA4");
}

TEST(ClipboardHtml, HeaderLinesComeInTheFormatsOrder) {
  const std::string block = BuildClipboardHtml("x");
  std::size_t a = block.find("StartHTML:"), b = block.find("EndHTML:"),
              c = block.find("StartFragment:"), d = block.find("EndFragment:");
  EXPECT_LT(a, b);
  EXPECT_LT(b, c);
  EXPECT_LT(c, d);
  EXPECT_NE(block.find("<TITLE>The HTML Clipboard</TITLE>\r\n"), std::string::npos);
  EXPECT_EQ(block.substr(block.size() - 18), "</BODY>\r\n</HTML>\r\n");
}

TEST(ClipboardHtml, PlainDocumentIsUtf8Html) {
  std::string doc = BuildHtmlDocument("<b>\xFC</b>");
  EXPECT_NE(doc.find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(doc.find("<b>\xC3\xBC</b>"), std::string::npos);
}

}  // namespace
}  // namespace kv
