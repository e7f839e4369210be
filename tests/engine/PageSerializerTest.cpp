#include <gtest/gtest.h>

#include "engine/PageSerializer.h"

namespace kv {
namespace {

using Lines = std::vector<std::string>;
using Attrs = std::vector<std::pair<std::string, std::string>>;

TDomNode E(std::string name, Attrs attrs = {}, std::vector<TDomNode> children = {}) {
  return TDomNode::Element(std::move(name), std::move(attrs), std::move(children));
}
TDomNode T(std::string text) {
  return TDomNode::Text(std::move(text));
}

TDomDocument Page(std::vector<TDomNode> head, std::vector<TDomNode> body,
                  std::string doctype = "") {
  TDomDocument document;
  document.Doctype = std::move(doctype);
  document.Root = E("html", {}, {E("head", {}, std::move(head)), E("body", {}, std::move(body))});
  return document;
}

const std::string kCharset =
    "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
const std::string kGenerator =
    std::string("<META NAME=GENERATOR CONTENT=\"") + PageGeneratorContent + "\">";

// The body lines of a page with an empty head.
Lines BodyLines(std::vector<TDomNode> body) {
  Lines all = SerializePage(Page({}, std::move(body)));
  auto start = std::find(all.begin(), all.end(), "<BODY>");
  auto end = std::find(all.begin(), all.end(), "</BODY>");
  return Lines(start + 1, end);
}

TEST(PageSerializer, WritesThePageInTheShapeTheSaveRoutineReads) {
  TDomDocument page = Page({T("\n  "), E("title", {}, {T("My page")}), T("\n"),
                            E("meta", {{"content", "cats, dogs"}, {"name", "keywords"}})},
                           {T("\n"), E("p", {}, {T("Hello "), E("b", {}, {T("world")})}), T("\n")},
                           "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\"\n"
                           "  \"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">");
  Lines expected = {
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD XHTML 1.0 Transitional//EN\" "
      "\"http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd\">",
      "<HTML>",
      "<HEAD>",
      kCharset,
      "<TITLE>My page</TITLE>",
      "<META NAME=KEYWORDS CONTENT=\"cats, dogs\">",
      kGenerator,
      "</HEAD>",
      "<BODY>",
      "<P>Hello <B>world</B></P>",
      "</BODY>",
      "</HTML>"};
  EXPECT_EQ(SerializePage(page), expected);
  EXPECT_EQ(LinesToCrLfText({"a", "b"}), "a\r\nb\r\n");
}

TEST(PageSerializer, WithoutDoctypeOrHeadTheHtmlLineComesFirstAndAHeadIsMade) {
  TDomDocument page;
  page.Root = E("html", {{"lang", "de"}}, {E("body", {}, {T("x")})});
  Lines lines = SerializePage(page);
  ASSERT_GE(lines.size(), 6u);
  EXPECT_EQ(lines[0], "<HTML lang=\"de\">");
  EXPECT_EQ(lines[1], "<HEAD>");
  EXPECT_EQ(lines[2], kCharset);
  EXPECT_EQ(lines[3], kGenerator);
  EXPECT_EQ(lines[4], "</HEAD>");
}

struct TMetaCase {
  const char* Label;
  Attrs In;
  std::string Out;
};

class PageSerializerMeta : public testing::TestWithParam<TMetaCase> {};

TEST_P(PageSerializerMeta, MetaLineHasNameFirstUnquotedAndContentLast) {
  Lines lines = SerializePage(Page({E("meta", GetParam().In)}, {}));
  ASSERT_GE(lines.size(), 5u);
  EXPECT_EQ(lines[3], GetParam().Out);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageSerializerMeta,
    testing::Values(
        TMetaCase{"contentBeforeName",
                  {{"content", "a b"}, {"name", "Description"}},
                  "<META NAME=DESCRIPTION CONTENT=\"a b\">"},
        TMetaCase{"author",
                  {{"name", "author"}, {"content", "Jo \"JJ\" & Co"}},
                  "<META NAME=AUTHOR CONTENT=\"Jo &quot;JJ&quot; &amp; Co\">"},
        TMetaCase{"missingContent", {{"name", "copyright"}}, "<META NAME=COPYRIGHT CONTENT=\"\">"},
        TMetaCase{"otherAttributeUnquoted",
                  {{"lang", "de"}, {"content", "k"}, {"name", "keywords"}},
                  "<META NAME=KEYWORDS lang=de CONTENT=\"k\">"},
        TMetaCase{"otherNameKeepsCase",
                  {{"name", "viewport"}, {"content", "width=100"}},
                  "<META NAME=viewport CONTENT=\"width=100\">"},
        TMetaCase{"noName",
                  {{"property", "og:title"}, {"content", "T"}},
                  "<META property=\"og:title\" content=\"T\">"}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(PageSerializer, KeepsExactlyOneGeneratorLastAndOneCharsetFirst) {
  Lines lines = SerializePage(
      Page({E("meta", {{"charset", "utf-8"}}),
            E("meta", {{"name", "GENERATOR"}, {"content", "MSHTML 6"}}), E("title", {}, {T("t")}),
            E("meta", {{"name", "generator"}, {"content", "Other"}}),
            E("meta", {{"http-equiv", "content-type"}, {"content", "text/html; charset=utf-8"}})},
           {}));
  Lines head(lines.begin() + 1, lines.begin() + 6);
  EXPECT_EQ(head, (Lines{"<HEAD>", kCharset, "<TITLE>t</TITLE>", kGenerator, "</HEAD>"}));
}

struct TTextCase {
  const char* Label;
  std::string In;   // UTF-8
  std::string Out;  // Windows-1252
};

class PageSerializerText : public testing::TestWithParam<TTextCase> {};

TEST_P(PageSerializerText, EscapesTextAndWritesWindows1252) {
  EXPECT_EQ(BodyLines({E("p", {}, {T(GetParam().In)})}), Lines{"<P>" + GetParam().Out + "</P>"});
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PageSerializerText,
    testing::Values(TTextCase{"markup", "a & b < c > d", "a &amp; b &lt; c > d"},
                    TTextCase{"windows1252", "\xE2\x82\xAC \xC3\xA4\xC3\x9F", "\x80 \xE4\xDF"},
                    TTextCase{"outsideCodePage", "\xCE\xA9 \xE2\x86\x92", "&#937; &#8594;"},
                    TTextCase{"astral", "\xF0\x9F\x98\x80", "&#128512;"},
                    TTextCase{"nbsp",
                              "a\xC2\xA0\xC2\xA0"
                              "b",
                              "a&nbsp;&nbsp;b"},
                    TTextCase{"quotesStay", "say \"hi\"", "say \"hi\""}),
    [](const auto& info) { return std::string(info.param.Label); });

TEST(PageSerializer, WritesAttributesQuotedInPageOrderWithAddressesAsAuthored) {
  Lines body =
      BodyLines({E("p", {},
                   {E("img", {{"alt", "a \"b\" & c"}, {"src", "C:\\pics\\my pic\xC3\xBC.gif"}}),
                    E("a", {{"href", "file:///C:/web/site/a b.html?x=1&y=2"}}, {T("link")})})});
  EXPECT_EQ(body, (Lines{"<P><IMG alt=\"a &quot;b&quot; &amp; c\" src=\"C:\\pics\\my pic\xFC.gif\">"
                         "<A href=\"file:///C:/web/site/a b.html?x=1&amp;y=2\">link</A></P>"}));
}

TEST(PageSerializer, TagNamesBeyondAsciiAreWrittenInWindows1252) {
  // Custom elements may have such names; a broken page may report bytes that are no UTF-8.
  EXPECT_EQ(BodyLines({E("p", {},
                         {E("my-\xC3\xA9l\xC3\xA9ment", {}, {T("a")}),
                          E("x-\xCE\xA9", {}, {T("b")}), E("\x8F\x8Fx", {}, {T("c")})})}),
            (Lines{"<P><MY-\xE9L\xE9MENT>a</MY-\xE9L\xE9MENT><X-&#937;>b</X-&#937;>"
                   "<&#65533;&#65533;X>c</&#65533;&#65533;X></P>"}));
}

TEST(PageSerializer, PutsBlocksOnLinesOfTheirOwn) {
  Lines body = BodyLines(
      {T("\n  "), E("h1", {}, {T("Title")}), T("\n\n   "),
       E("ul", {}, {T("\n "), E("li", {}, {T("one")}), E("li", {}, {T("two")}), T("\n")}),
       E("p", {}, {T("a"), E("br"), T("\n  b")}),
       E("table", {}, {E("tbody", {}, {E("tr", {}, {E("td", {}, {T("cell")})})})}),
       E("div", {}, {T("intro "), E("p", {}, {T("inner")}), T(" tail")}), T("loose text")});
  Lines expected = {"<H1>Title</H1>", "<UL>",         "<LI>one</LI>", "<LI>two</LI>", "</UL>",
                    "<P>a<BR>",       "b</P>",        "<TABLE>",      "<TBODY>",      "<TR>",
                    "<TD>cell</TD>",  "</TR>",        "</TBODY>",     "</TABLE>",     "<DIV>",
                    "intro ",         "<P>inner</P>", "tail",         "</DIV>",       "loose text"};
  EXPECT_EQ(body, expected);
}

TEST(PageSerializer, KeepsPreformattedTextLineForLine) {
  Lines body = BodyLines({E("pre", {}, {T("\nfirst\n\n  indented <x>")})});
  EXPECT_EQ(body, (Lines{"<PRE>", "", "first", "", "  indented &lt;x></PRE>"}));
}

TEST(PageSerializer, WritesScriptStyleAndCommentsRaw) {
  Lines lines = SerializePage(Page({E("style", {}, {T("\np > a { color: red }\n")}),
                                    E("script", {{"type", "text/javascript"}},
                                      {T("if (a < b && c) x = \"\xCE\xA9\xF0\x9F\x98\x80\";")})},
                                   {TDomNode::Comment(" note & <b> ")}));
  EXPECT_NE(std::find(lines.begin(), lines.end(), "p > a { color: red }"), lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(),
                      "<SCRIPT type=\"text/javascript\">if (a < b && c) x = "
                      "\"\\u03A9\\uD83D\\uDE00\";</SCRIPT>"),
            lines.end());
  EXPECT_NE(std::find(lines.begin(), lines.end(), "<!-- note & <b> -->"), lines.end());
}

TEST(PageSerializer, TitleStaysOnOneLine) {
  Lines lines = SerializePage(Page({E("title", {}, {T("two\nlines & more")})}, {}));
  EXPECT_EQ(lines[3], "<TITLE>two lines &amp; more</TITLE>");
}

}  // namespace
}  // namespace kv
