#include "engine/PageCapture.h"

#include <algorithm>
#include <initializer_list>

#include "engine/Doctype.h"
#include "engine/TagNames.h"
#include "support/Cp1252.h"

namespace kv {

namespace {

// Deeper than any page the engine's parser builds; a bound against malformed text.
constexpr int kMaxDepth = 4000;

enum class TSpace { Html, Svg, MathMl };

// What the reader needs to know of an element's name, looked up once per element.
enum TNameFlag : unsigned {
  kVoidName = 1u << 0,     // written without an end tag (in the HTML name space)
  kRawTextName = 1u << 1,  // its text written as it is, without entities (HTML name space)
  kSvgName = 1u << 2,
  kMathName = 1u << 3,
  kSvgHtmlPoint = 1u << 4,   // below it, svg holds HTML again
  kMathHtmlPoint = 1u << 5,  // below it, math holds HTML again
};

unsigned NameFlags(std::u16string_view name) {
  static const TTagNames table = [] {
    TTagNames t;
    t.Mark({"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
            "input", "keygen", "link", "meta", "param", "source", "track", "wbr"},
           kVoidName);
    t.Mark({"script", "style", "xmp", "iframe", "noembed", "noframes", "plaintext"}, kRawTextName);
    t.Mark({"svg"}, kSvgName);
    t.Mark({"math"}, kMathName);
    t.Mark({"foreignobject", "desc", "title"}, kSvgHtmlPoint);
    t.Mark({"mi", "mo", "mn", "ms", "mtext", "annotation-xml"}, kMathHtmlPoint);
    return t;
  }();
  return table.Flags(name);
}

// The name space the parser gives an element, going by its parent: inside svg and math the
// elements are foreign, except below the points where HTML comes back.
TSpace SpaceOf(unsigned flags, TSpace parent, unsigned parentFlags) {
  if (flags & kSvgName) return TSpace::Svg;
  if (flags & kMathName) return TSpace::MathMl;
  switch (parent) {
    case TSpace::Html:
      return TSpace::Html;
    case TSpace::Svg:
      return parentFlags & kSvgHtmlPoint ? TSpace::Html : TSpace::Svg;
    case TSpace::MathMl:
      return parentFlags & kMathHtmlPoint ? TSpace::Html : TSpace::MathMl;
  }
  return TSpace::Html;
}

std::string Utf8(std::u16string_view text) {
  std::string out;
  AppendUtf16AsUtf8(out, text);
  return out;
}

class TCaptureReader {
 public:
  explicit TCaptureReader(std::u16string_view text) : s_(text) {}

  TCapturedPage Read() {
    TCapturedPage page;
    TPageTree& tree = page.Page;
    tree_ = &tree;
    // Rough sizes of a typical page, so that the buffers rarely grow.
    tree.Text.reserve(s_.size() + s_.size() / 4);
    tree.Nodes.reserve(s_.size() / 16);
    tree.Attributes.reserve(s_.size() / 64);
    Expect(u"KVP1");
    if (Take(u'D')) {
      page.Doctype.Present = true;
      page.Doctype.Name = Utf8(Field());
      page.Doctype.PublicId = Utf8(Field());
      page.Doctype.SystemId = Utf8(Field());
    } else {
      Expect(u"-");
    }
    ReadComments(tree.Leading);
    ReadComments(tree.Trailing);
    if (Take(u'H')) {
      tree.Root = MarkupElement(TSpace::Html, 0, 0);
    } else if (Take(u'N')) {
      page.NodeByNode = true;
      Expect(u"E");
      tree.Root = RecordElement(0);
    } else {
      Fail("the page has no root element");
    }
    if (p_ != s_.size()) Fail("text after the root element");
    if (tree.Text.size() >= TPageTree::None || tree.Nodes.size() >= TPageTree::None)
      Fail("a page too large");
    return page;
  }

 private:
  static constexpr std::uint32_t kNone = TPageTree::None;
  std::u16string_view s_;
  std::size_t p_ = 0;
  TPageTree* tree_ = nullptr;

  [[noreturn]] void Fail(const std::string& what) const {
    throw EPageCaptureError("unreadable page from the engine: " + what + " (at " +
                            std::to_string(p_) + ")");
  }
  bool At(std::u16string_view literal) const { return s_.substr(p_, literal.size()) == literal; }
  bool Take(char16_t c) {
    if (p_ < s_.size() && s_[p_] == c) {
      ++p_;
      return true;
    }
    return false;
  }
  void Expect(std::u16string_view literal) {
    if (!At(literal)) Fail("expected " + Utf8(literal));
    p_ += literal.size();
  }
  std::size_t Number(char16_t end) {
    std::size_t value = 0, digits = 0;
    while (p_ < s_.size() && s_[p_] >= u'0' && s_[p_] <= u'9') {
      value = value * 10 + static_cast<std::size_t>(s_[p_++] - u'0');
      if (++digits > 10) Fail("a number too long");
    }
    if (digits == 0 || !Take(end)) Fail("a malformed number");
    return value;
  }
  std::u16string_view Field() {
    const std::size_t length = Number(u':');
    if (length > s_.size() - p_) Fail("a field beyond the end");
    std::u16string_view value = s_.substr(p_, length);
    p_ += length;
    return value;
  }

  // ---- Building the tree ----

  TPageTree::TSpan Add(std::u16string_view text) {
    const std::size_t at = tree_->Text.size();
    AppendUtf16AsUtf8(tree_->Text, text);
    return {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(tree_->Text.size() - at)};
  }
  TPageTree::TSpan AddDecoded(std::u16string_view text) {
    const std::size_t at = tree_->Text.size();
    AppendDecoded(tree_->Text, text);
    return {static_cast<std::uint32_t>(at), static_cast<std::uint32_t>(tree_->Text.size() - at)};
  }
  // Hangs child below parent, after last (its previous child, or None).
  void Link(std::uint32_t parent, std::uint32_t& last, std::uint32_t child) {
    (last == kNone ? tree_->Nodes[parent].FirstChild : tree_->Nodes[last].NextSibling) = child;
    last = child;
  }
  void ReadComments(std::vector<std::uint32_t>& into) {
    const std::size_t count = Number(u';');
    if (count > s_.size() - p_) Fail("too many comments");
    for (std::size_t i = 0; i < count; ++i)
      into.push_back(tree_->AddNode(TDomNode::TKind::Comment, Add(Field())));
  }

  // ---- The engine's markup ----

  // Text and attribute values: the engine escapes exactly "&", "<", ">", '"' and U+00A0, so
  // any other "&" means the text is not what this reader takes it for.
  void AppendDecoded(std::string& out, std::u16string_view text) {
    std::size_t from = 0;
    for (;;) {
      const std::size_t amp = text.find(u'&', from);
      AppendUtf16AsUtf8(out,
                        text.substr(from, amp == std::u16string_view::npos ? amp : amp - from));
      if (amp == std::u16string_view::npos) return;
      const std::u16string_view rest = text.substr(amp);
      struct TEntity {
        std::u16string_view Name;
        const char* Utf8;
      };
      static constexpr TEntity kEntities[] = {{u"&amp;", "&"},
                                              {u"&lt;", "<"},
                                              {u"&gt;", ">"},
                                              {u"&quot;", "\""},
                                              {u"&nbsp;", "\xC2\xA0"}};
      const TEntity* found = nullptr;
      for (const TEntity& e : kEntities)
        if (rest.substr(0, e.Name.size()) == e.Name) found = &e;
      if (!found) Fail("an unknown entity");
      out += found->Utf8;
      from = amp + found->Name.size();
    }
  }

  static bool EndsName(char16_t c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\f' || c == u'\r' || c == u'/' ||
           c == u'>';
  }

  // An element below a parent of that name space and name.
  std::uint32_t MarkupElement(TSpace parentSpace, unsigned parentFlags, int depth) {
    if (depth > kMaxDepth) Fail("elements nested too deeply");
    Expect(u"<");
    const std::size_t nameStart = p_;
    while (p_ < s_.size() && !EndsName(s_[p_])) ++p_;
    const std::u16string_view name = s_.substr(nameStart, p_ - nameStart);
    if (name.empty()) Fail("an element without a name");
    const unsigned flags = NameFlags(name);
    const TSpace space = SpaceOf(flags, parentSpace, parentFlags);
    const std::uint32_t node = tree_->AddNode(TDomNode::TKind::Element, Add(name));
    tree_->Nodes[node].FirstAttribute = static_cast<std::uint32_t>(tree_->Attributes.size());
    while (!Take(u'>')) {
      Expect(u" ");
      // An attribute's name may begin with any character, "=" included; it ends at "=".
      const std::size_t attributeStart = p_++;
      const std::size_t equals = s_.find(u'=', p_);
      if (equals == std::u16string_view::npos) Fail("an attribute without a value");
      const std::u16string_view attribute = s_.substr(attributeStart, equals - attributeStart);
      if (std::any_of(attribute.begin(), attribute.end(), EndsName)) Fail("an attribute name");
      p_ = equals;
      Expect(u"=\"");
      const std::size_t quote = s_.find(u'"', p_);
      if (quote == std::u16string_view::npos) Fail("an unclosed attribute value");
      const TPageTree::TSpan attributeName = Add(attribute);
      tree_->Attributes.push_back({attributeName, AddDecoded(s_.substr(p_, quote - p_))});
      ++tree_->Nodes[node].AttributeCount;
      p_ = quote + 1;
    }
    if (space == TSpace::Html && (flags & kVoidName)) return node;
    if (space == TSpace::Html && (flags & kRawTextName)) {
      std::u16string end = u"</";
      end += name;
      const std::size_t close = s_.find(end, p_);
      if (close == std::u16string_view::npos) Fail("an unclosed raw text element");
      if (close > p_) {
        std::uint32_t last = kNone;
        Link(node, last, tree_->AddNode(TDomNode::TKind::Text, Add(s_.substr(p_, close - p_))));
      }
      p_ = close;
    } else {
      MarkupChildren(node, space, flags, depth);
    }
    Expect(u"</");
    Expect(name);
    Expect(u">");
    return node;
  }

  void MarkupChildren(std::uint32_t node, TSpace space, unsigned flags, int depth) {
    std::uint32_t last = kNone;
    for (;;) {
      if (p_ >= s_.size()) Fail("an unclosed element");
      if (s_[p_] != u'<') {
        const std::size_t next = std::min(s_.find(u'<', p_), s_.size());
        Link(node, last,
             tree_->AddNode(TDomNode::TKind::Text, AddDecoded(s_.substr(p_, next - p_))));
        p_ = next;
      } else if (At(u"</")) {
        return;
      } else if (At(u"<!--")) {
        const std::size_t end = s_.find(u"-->", p_ + 4);
        if (end == std::u16string_view::npos) Fail("an unclosed comment");
        Link(node, last,
             tree_->AddNode(TDomNode::TKind::Comment, Add(s_.substr(p_ + 4, end - p_ - 4))));
        p_ = end + 3;
      } else if (At(u"<!") || At(u"<?")) {
        Fail("a node the page's markup cannot hold");
      } else {
        Link(node, last, MarkupElement(space, flags, depth + 1));
      }
    }
  }

  // ---- Node records ----

  std::uint32_t RecordElement(int depth) {
    if (depth > kMaxDepth) Fail("elements nested too deeply");
    const std::uint32_t node = tree_->AddNode(TDomNode::TKind::Element, Add(Field()));
    const std::size_t count = Number(u';');
    if (count > s_.size() - p_) Fail("too many attributes");
    tree_->Nodes[node].FirstAttribute = static_cast<std::uint32_t>(tree_->Attributes.size());
    tree_->Nodes[node].AttributeCount = static_cast<std::uint32_t>(count);
    for (std::size_t i = 0; i < count; ++i) {
      const TPageTree::TSpan attribute = Add(Field());
      tree_->Attributes.push_back({attribute, Add(Field())});
    }
    std::uint32_t last = kNone;
    for (;;) {
      if (Take(u')')) return node;
      if (Take(u'E')) {
        Link(node, last, RecordElement(depth + 1));
      } else if (Take(u'T')) {
        Link(node, last, tree_->AddNode(TDomNode::TKind::Text, Add(Field())));
      } else if (Take(u'C')) {
        Link(node, last, tree_->AddNode(TDomNode::TKind::Comment, Add(Field())));
      } else {
        Fail("an unknown node record");
      }
    }
  }
};

}  // namespace

TCapturedPage ReadPageCapture(std::u16string_view capture) {
  return TCaptureReader(capture).Read();
}

std::vector<std::string> CapturedPageLines(TCapturedPage page, const std::string& fileDoctype) {
  return CapturedPageText(std::move(page), fileDoctype).Lines();
}

TSerializedPage CapturedPageText(TCapturedPage page, const std::string& fileDoctype) {
  if (page.Doctype.Present) {
    const TDoctypeParts& d = page.Doctype;
    page.Page.Doctype =
        !fileDoctype.empty() && DoctypeDeclares(fileDoctype, d.Name, d.PublicId, d.SystemId)
            ? fileDoctype
            : ComposeDoctype(d.Name, d.PublicId, d.SystemId);
  }
  return SerializePageText(page.Page);
}

TPageCapture MakePageCapture(std::shared_ptr<const void> owner,
                             std::vector<std::u16string_view> pieces, std::string fileDoctype) {
  return TPageCapture(
      [owner = std::move(owner), pieces = std::move(pieces), doctype = std::move(fileDoctype)] {
        if (pieces.size() == 1) return CapturedPageText(ReadPageCapture(pieces.front()), doctype);
        std::u16string whole;
        std::size_t size = 0;
        for (std::u16string_view piece : pieces) size += piece.size();
        whole.reserve(size);
        for (std::u16string_view piece : pieces) whole += piece;
        return CapturedPageText(ReadPageCapture(whole), doctype);
      });
}

}  // namespace kv
