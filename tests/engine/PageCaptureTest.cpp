// The page string the engine's script hands over, read into the serialiser's input: fixtures,
// damaged strings, and random trees written both ways (the engine's markup as it writes it, and
// node by node) that must give the lines the document tree itself gives.
#include <gtest/gtest.h>

#include <random>
#include <thread>

#include "engine/PageCapture.h"
#include "support/Cp1252.h"

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
TDomNode C(std::string text) {
  return TDomNode::Comment(std::move(text));
}

std::u16string U16(const std::string& utf8) {
  std::u16string out;
  for (char32_t c : DecodeUtf8(utf8)) {
    if (c > 0xFFFF) {
      out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
      out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      out += static_cast<char16_t>(c);
    }
  }
  return out;
}

std::u16string Field(const std::string& utf8) {
  const std::u16string text = U16(utf8);
  return U16(std::to_string(text.size()) + ":") + text;
}

bool IsIn(const std::string& name, std::initializer_list<const char*> names) {
  for (const char* n : names)
    if (name == n) return true;
  return false;
}

// The engine's markup of an element, as its writer escapes and closes (names are lower case
// and in the HTML name space here).
std::string Escaped(const std::string& text, bool attribute) {
  std::string out;
  for (char32_t c : DecodeUtf8(text)) {
    if (c == '&')
      out += "&amp;";
    else if (c == 0xA0)
      out += "&nbsp;";
    else if (attribute && c == '"')
      out += "&quot;";
    else if (!attribute && c == '<')
      out += "&lt;";
    else if (!attribute && c == '>')
      out += "&gt;";
    else
      AppendUtf8(out, c);
  }
  return out;
}

std::string Markup(const TDomNode& node, bool raw = false) {
  switch (node.Kind) {
    case TDomNode::TKind::Text:
      return raw ? node.Data : Escaped(node.Data, false);
    case TDomNode::TKind::Comment:
      return "<!--" + node.Data + "-->";
    case TDomNode::TKind::Element:
      break;
  }
  std::string out = "<" + node.Name;
  for (const auto& [name, value] : node.Attributes)
    out += " " + name + "=\"" + Escaped(value, true) + "\"";
  out += ">";
  if (IsIn(node.Name, {"br", "img", "hr", "meta", "link", "input", "col", "wbr"})) return out;
  const bool rawText = IsIn(node.Name, {"script", "style", "xmp", "iframe"});
  for (const TDomNode& child : node.Children) out += Markup(child, rawText);
  return out + "</" + node.Name + ">";
}

std::u16string NodeRecords(const TDomNode& node) {
  switch (node.Kind) {
    case TDomNode::TKind::Text:
      return u"T" + Field(node.Data);
    case TDomNode::TKind::Comment:
      return u"C" + Field(node.Data);
    case TDomNode::TKind::Element:
      break;
  }
  std::u16string out = u"E" + Field(node.Name) + U16(std::to_string(node.Attributes.size()) + ";");
  for (const auto& [name, value] : node.Attributes) out += Field(name) + Field(value);
  for (const TDomNode& child : node.Children) out += NodeRecords(child);
  return out + u")";
}

// The string the page script makes of a document (the doctype as its three parts).
std::u16string Capture(const TDomDocument& document, bool nodeByNode,
                       const TDoctypeParts& doctype = {}) {
  std::u16string out = u"KVP1";
  out += doctype.Present
             ? u"D" + Field(doctype.Name) + Field(doctype.PublicId) + Field(doctype.SystemId)
             : u"-";
  for (const auto* list : {&document.Leading, &document.Trailing}) {
    out += U16(std::to_string(list->size()) + ";");
    for (const TDomNode& c : *list) out += Field(c.Data);
  }
  return out + (nodeByNode ? u"N" + NodeRecords(document.Root) : u"H" + U16(Markup(document.Root)));
}

Lines ReadLines(const std::u16string& capture, const std::string& fileDoctype = "") {
  return CapturedPageLines(ReadPageCapture(capture), fileDoctype);
}

TDomDocument Fixture() {
  TDomDocument d;
  d.Leading = {C(" vorne ")};
  d.Root =
      E("html", {{"lang", "de"}},
        {E("head", {},
           {E("title", {},
              {T("Gr\xC3\xBC\xC3\x9F"
                 "e & \xE6\x97\xA5")}),
            E("meta", {{"name", "keywords"}, {"content", "a \"b\" c"}}),
            E("style", {}, {T("p > a { color: red } /* & */")})}),
         E("body", {{"class", "x"}},
           {T("\n"), E("h1", {}, {T("Titel")}),
            E("p", {{"title", "a<b>&c\xC2\xA0"}},
              {T("Text & <mehr> \xC2\xA0 \xF0\x9F\x98\x80"), E("br"), E("b", {}, {T("fett")})}),
            C(" mitte "), E("pre", {}, {T("\n  eingezogen\n")}),
            E("table", {}, {E("tbody", {}, {E("tr", {}, {E("td", {}, {T("1")})})})}),
            E("img", {{"src", "bild.png"}, {"=", "x"}})})});
  d.Trailing = {C(" hinten ")};
  return d;
}

TEST(PageCapture, BothFormsReadBackToTheLinesOfTheTreeAndTheFilesDoctypeIsKept) {
  const TDomDocument page = Fixture();
  const TDoctypeParts doctype{true, "html", "-//W3C//DTD HTML 4.01//EN", ""};
  const std::string fileDoctype = "<!doctype HTML public \"-//W3C//DTD HTML 4.01//EN\">";
  TDomDocument expected = page;
  expected.Doctype = fileDoctype;
  for (bool nodeByNode : {false, true}) {
    SCOPED_TRACE(nodeByNode ? "node by node" : "markup");
    const std::u16string capture = Capture(page, nodeByNode, doctype);
    EXPECT_EQ(ReadPageCapture(capture).NodeByNode, nodeByNode);
    EXPECT_EQ(ReadLines(capture, fileDoctype), SerializePage(expected));
  }
  // A file whose DOCTYPE says something else: the declaration is made from the parts.
  expected.Doctype = "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\">";
  EXPECT_EQ(ReadLines(Capture(page, false, doctype), "<!DOCTYPE html>"), SerializePage(expected));
}

TEST(PageCapture, ForeignContentIsReadByTheRulesOfItsNameSpace) {
  // Inside svg a "style" is no raw text and a "source" has an end tag; below foreignObject the
  // page is HTML again.
  const std::u16string capture =
      u"KVP1-0;0;H<html><head></head><body><svg><style>a &gt; b</style><source></source>"
      u"<foreignObject><br><p>x</p></foreignObject></svg><math><mi><br></mi></math></body></html>";
  TDomDocument expected;
  expected.Root = E("html", {},
                    {E("head"), E("body", {},
                                  {E("svg", {},
                                     {E("style", {}, {T("a > b")}), E("source"),
                                      E("foreignObject", {}, {E("br"), E("p", {}, {T("x")})})}),
                                   E("math", {}, {E("mi", {}, {E("br")})})})});
  EXPECT_EQ(ReadLines(capture), SerializePage(expected));
}

TEST(PageCapture, DamagedStringsAreRefusedWithoutHarm) {
  const std::u16string good = Capture(Fixture(), false);
  const std::u16string records = Capture(Fixture(), true);
  const std::u16string cases[] = {
      u"",
      u"KVP2-0;0;H<html></html>",
      u"KVP1-0;0;",                                 // no root
      u"KVP1-0;0;H<html></html>x",                  // text after the root
      u"KVP1-0;0;H<html><p>a &copy; b</p></html>",  // an entity the engine never writes
      u"KVP1-0;0;H<html><p>a</b></html>",           // end tag of another element
      u"KVP1-0;0;H<html><p a></p></html>",          // attribute without a value
      u"KVP1-0;0;H<html><p a=\"x></p></html>",      // unclosed value
      u"KVP1-0;0;H<html><!-- open</html>",
      u"KVP1-0;0;H<html><script>x</html>",
      u"KVP1-0;0;H<html><![CDATA[x]]></html>",
      u"KVP1-0;0;H<html><xmp></xmp>a</xmp></html>",  // raw text holding its own end tag
      u"KVP1D99:html0:0:0;0;H<html></html>",         // a field beyond the end
      u"KVP1-99999999999;0;H<html></html>",          // a number too long
      u"KVP1-1;0;H<html></html>",                    // a comment announced, none there
      u"KVP1-0;0;NE4:html0;E1:p0;",                  // unclosed record
      u"KVP1-0;0;NE4:html0;X)",                      // unknown record
      u"KVP1-0;0;NE4:html3;1:a1:b)",                 // fewer attributes than announced
  };
  for (const std::u16string& capture : cases) {
    SCOPED_TRACE(Utf16ToCp1252(capture));
    EXPECT_THROW(ReadPageCapture(capture), EPageCaptureError);
  }
  for (std::size_t cut = 0; cut < good.size(); cut += 7)
    EXPECT_THROW(ReadPageCapture(good.substr(0, cut)), EPageCaptureError) << cut;
  for (std::size_t cut = 0; cut < records.size(); cut += 5)
    EXPECT_THROW(ReadPageCapture(records.substr(0, cut)), EPageCaptureError) << cut;
  std::u16string deep = u"KVP1-0;0;N";
  for (int i = 0; i < 100000; ++i) deep += u"E1:b0;";
  EXPECT_THROW(ReadPageCapture(deep), EPageCaptureError);
}

// Random documents of the shapes a page has, as the engine's DOM holds them: no empty and no
// neighbouring text nodes, raw text without its end tag, void elements without children.
class TRandomPage {
 public:
  explicit TRandomPage(unsigned seed) : random_(seed) {}

  TDomDocument Make() {
    TDomDocument d;
    if (Chance(3)) d.Leading.push_back(C(Text(8)));
    d.Root = E("html", {}, {E("head", {}, {E("title", {}, {T(Text(10))})}), Element(0, "body")});
    if (Chance(3)) d.Trailing.push_back(C(Text(8)));
    return d;
  }

 private:
  std::mt19937 random_;

  std::size_t Below(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  bool Chance(std::size_t oneIn) { return Below(oneIn) == 0; }

  std::string Text(std::size_t maxLength) {
    static const char* const kPieces[] = {"a",
                                          "Z",
                                          " ",
                                          "  ",
                                          "\n",
                                          "\r\n",
                                          "\t",
                                          "&",
                                          "<",
                                          ">",
                                          "\"",
                                          "'",
                                          "\xC2\xA0",
                                          "\xC3\xBC",
                                          "\xE2\x82\xAC",
                                          "\xE6\x97\xA5",
                                          "\xF0\x9F\x98\x80",
                                          "=",
                                          "/",
                                          "-"};
    std::string out;
    const std::size_t length = 1 + Below(maxLength);
    for (std::size_t i = 0; i < length; ++i) out += kPieces[Below(std::size(kPieces))];
    return out;
  }

  TDomNode Element(int depth, std::string name = {}) {
    static const char* const kNames[] = {
        "p",  "b",   "i",        "a",  "div", "span", "h2",     "ul",    "li",  "table", "tr",
        "td", "pre", "textarea", "br", "img", "hr",   "script", "style", "xmp", "font",  "center"};
    if (name.empty()) name = kNames[Below(std::size(kNames))];
    TDomNode node = E(name);
    const std::size_t attributes = Below(3);
    static const char* const kAttributes[] = {"href", "src", "class", "title", "data-x", "style"};
    for (std::size_t i = 0; i < attributes; ++i)
      node.Attributes.emplace_back(kAttributes[Below(std::size(kAttributes))], Text(6));
    if (IsIn(name, {"br", "img", "hr"})) return node;
    if (IsIn(name, {"script", "style", "xmp"})) {
      std::string raw = Text(12);
      for (std::size_t at; (at = raw.find('<')) != std::string::npos;) raw[at] = '(';
      node.Children.push_back(T(raw));
      return node;
    }
    const std::size_t children = depth > 5 ? 0 : Below(5);
    for (std::size_t i = 0; i < children; ++i) {
      const std::size_t kind = Below(6);
      if (kind == 0 &&
          (node.Children.empty() || node.Children.back().Kind != TDomNode::TKind::Text))
        node.Children.push_back(T(Text(10)));
      else if (kind == 1)
        node.Children.push_back(C(Text(5)));
      else
        node.Children.push_back(Element(depth + 1));
    }
    return node;
  }
};

TEST(PageCapture, RandomPagesGiveTheSameLinesAsTheirTreesInBothForms) {
  for (unsigned seed = 1; seed <= 300; ++seed) {
    const TDomDocument page = TRandomPage(seed).Make();
    const Lines expected = SerializePage(page);
    for (bool nodeByNode : {false, true}) {
      SCOPED_TRACE("seed " + std::to_string(seed) + (nodeByNode ? " node by node" : " markup"));
      ASSERT_EQ(ReadLines(Capture(page, nodeByNode)), expected);
    }
    // Written into one buffer: the same lines, each followed by CR LF.
    const TSerializedPage text = CapturedPageText(ReadPageCapture(Capture(page, false)), "");
    EXPECT_EQ(text.Text, LinesToCrLfText(expected));
    EXPECT_EQ(text.Lines(), expected);
  }
}

TEST(PageCapture, ACaptureMakesLinesOnAnyThreadAsOftenAsAskedAlsoFromPieces) {
  auto text = std::make_shared<const std::u16string>(Capture(Fixture(), false));
  const std::u16string_view whole(*text);
  const TPageCapture capture = MakePageCapture(text, {whole}, "");
  const TPageCapture pieces =
      MakePageCapture(text, {whole.substr(0, 7), whole.substr(7, 100), whole.substr(107)}, "");
  const Lines first = capture.Lines();
  Lines second;
  std::thread([&] { second = pieces.Lines(); }).join();
  EXPECT_EQ(first, SerializePage(Fixture()));
  EXPECT_EQ(second, first);
  EXPECT_EQ(capture.Lines(), first);
}

}  // namespace
}  // namespace kv
