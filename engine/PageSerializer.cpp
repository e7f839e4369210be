#include "engine/PageSerializer.h"

#include <algorithm>
#include <array>
#include <string_view>

#include "engine/TagNames.h"
#include "support/AnsiCase.h"
#include "support/Cp1252.h"

namespace kv {

const char* const PageGeneratorContent = "MSHTML 11.00.10570.1001";

TDomNode TDomNode::Element(std::string name,
                           std::vector<std::pair<std::string, std::string>> attributes,
                           std::vector<TDomNode> children) {
  TDomNode node;
  node.Kind = TKind::Element;
  node.Name = std::move(name);
  node.Attributes = std::move(attributes);
  node.Children = std::move(children);
  return node;
}

TDomNode TDomNode::Text(std::string data) {
  TDomNode node;
  node.Kind = TKind::Text;
  node.Data = std::move(data);
  return node;
}

TDomNode TDomNode::Comment(std::string data) {
  TDomNode node;
  node.Kind = TKind::Comment;
  node.Data = std::move(data);
  return node;
}

std::string LinesToCrLfText(const std::vector<std::string>& lines) {
  std::string text;
  for (const std::string& line : lines) {
    text += line;
    text += "\r\n";
  }
  return text;
}

namespace {

bool IsOneOf(std::string_view upperName, std::initializer_list<std::string_view> names) {
  return std::find(names.begin(), names.end(), upperName) != names.end();
}

// What the writer needs to know of a tag, looked up once per element.
enum TTagFlag : unsigned {
  kBlock = 1u << 0,
  kContainer = 1u << 1,  // content always on lines of its own
  kVoid = 1u << 2,
  kRawText = 1u << 3,       // the HTML parser takes its text literally: no escaping
  kPreformatted = 1u << 4,  // line breaks are content
  kDropsBreak = 1u << 5,    // the parser drops one line break right after the opening tag
  kMeta = 1u << 6,
  kHead = 1u << 7,
  kTitle = 1u << 8,
  kBr = 1u << 9,
  kScript = 1u << 10,
  kStyle = 1u << 11,
};

const TTagNames& TagTable() {
  static const TTagNames table = [] {
    TTagNames t;
    auto mark = [&t](std::initializer_list<std::string_view> names, unsigned flag) {
      t.Mark(names, flag);
    };
    mark({"address",  "article",    "aside",   "blockquote", "body",   "caption", "center",
          "colgroup", "dd",         "details", "dir",        "div",    "dl",      "dt",
          "fieldset", "figcaption", "figure",  "footer",     "form",   "frame",   "frameset",
          "h1",       "h2",         "h3",      "h4",         "h5",     "h6",      "head",
          "header",   "hgroup",     "hr",      "html",       "legend", "li",      "listing",
          "main",     "menu",       "nav",     "noframes",   "ol",     "p",       "plaintext",
          "pre",      "section",    "summary", "table",      "tbody",  "td",      "tfoot",
          "th",       "thead",      "tr",      "ul",         "xmp"},
         kBlock);
    mark({"body", "frameset", "table", "tbody", "thead", "tfoot", "tr", "ol", "ul", "dl", "menu",
          "dir"},
         kContainer);
    mark({"area", "base", "basefont", "bgsound", "br", "col", "embed", "frame", "hr", "img",
          "input", "keygen", "link", "meta", "param", "source", "track", "wbr"},
         kVoid);
    mark({"script", "style", "xmp", "iframe", "noembed", "noframes", "plaintext"}, kRawText);
    mark({"pre", "textarea", "listing", "xmp", "plaintext"}, kPreformatted);
    mark({"pre", "textarea", "listing"}, kDropsBreak);
    mark({"meta"}, kMeta);
    mark({"head"}, kHead);
    mark({"title"}, kTitle);
    mark({"br"}, kBr);
    mark({"script"}, kScript);
    mark({"style"}, kStyle);
    return t;
  }();
  return table;
}

unsigned TagFlags(std::string_view name) {
  return TagTable().Flags(name);
}

bool IsSpace(char32_t c) {
  return c == ' ' || c == '\t' || c == '\f';
}

enum class TEscape { Text, Attribute, Comment, Script, Style };

std::string Hex(char32_t value, int digits) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out(digits, '0');
  for (int i = digits - 1; i >= 0; --i, value >>= 4) out[i] = kDigits[value & 0xF];
  return out;
}

// Windows-1252 bytes for one code point in its context. Characters the code page lacks become
// references the reader of that context turns back into the same character.
void AppendEncoded(std::string& out, char32_t c, TEscape mode) {
  if (mode == TEscape::Text || mode == TEscape::Attribute) {
    if (c == '&') {
      out += "&amp;";
      return;
    }
    if (c == 0xA0) {
      out += "&nbsp;";
      return;
    }
    if (mode == TEscape::Text && c == '<') {
      out += "&lt;";
      return;
    }
    if (mode == TEscape::Attribute && c == '"') {
      out += "&quot;";
      return;
    }
  }
  int byte = UnicodeToCp1252(c);
  if (byte >= 0) {
    out += static_cast<char>(byte);
    return;
  }
  switch (mode) {
    case TEscape::Script:
      if (c > 0xFFFF) {
        char32_t v = c - 0x10000;
        out += "\\u" + Hex(0xD800 + (v >> 10), 4) + "\\u" + Hex(0xDC00 + (v & 0x3FF), 4);
      } else {
        out += "\\u" + Hex(c, 4);
      }
      return;
    case TEscape::Style:
      out += "\\" + Hex(c, 6);
      return;
    default:
      out += "&#" + std::to_string(static_cast<unsigned long>(c)) + ";";
      return;
  }
}

// ASCII that no context escapes goes over as it is: the bulk of every page.
bool IsPlainAscii(char c) {
  return static_cast<unsigned char>(c) < 0x80 && c != '&' && c != '<' && c != '"';
}

// The UTF-8 text encoded as AppendEncoded encodes each of its code points.
void AppendEncodedUtf8(std::string& out, std::string_view utf8, TEscape mode) {
  for (std::size_t i = 0; i < utf8.size();) {
    if (IsPlainAscii(utf8[i]))
      out += utf8[i++];
    else
      AppendEncoded(out, DecodeUtf8At(utf8, i), mode);
  }
}

std::string Encode(const std::u32string& text, TEscape mode) {
  std::string out;
  for (char32_t c : text) AppendEncoded(out, c, mode);
  return out;
}

// Line breaks of every form as '\n'.
std::u32string NormalisedLines(const std::string& utf8) {
  std::u32string in = DecodeUtf8(utf8), out;
  for (std::size_t i = 0; i < in.size(); ++i) {
    if (in[i] == '\r') {
      out += U'\n';
      if (i + 1 < in.size() && in[i + 1] == '\n') ++i;
    } else {
      out += in[i];
    }
  }
  return out;
}

// Calls line() for every line break (CR LF, CR or LF) and text(c) for every other code point.
template <class TLine, class TChar>
void ForEachCodePoint(std::string_view utf8, TLine line, TChar text) {
  for (std::size_t i = 0; i < utf8.size();) {
    const char b = utf8[i];
    if (b == '\r' || b == '\n') {
      ++i;
      if (b == '\r' && i < utf8.size() && utf8[i] == '\n') ++i;
      line();
    } else {
      text(DecodeUtf8At(utf8, i));
    }
  }
}

// A tag name: ASCII letters upper-cased. Any other character is page text like an attribute
// name's, so a name the engine reports beyond ASCII (a custom element, a broken page) never puts
// UTF-8 bytes into the Windows-1252 file.
void AppendUpper(std::string& out, std::string_view name) {
  for (std::size_t i = 0; i < name.size();) {
    const char c = name[i];
    if (IsPlainAscii(c)) {
      out += c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
      ++i;
    } else {
      AppendEncoded(out, DecodeUtf8At(name, i), TEscape::Attribute);
    }
  }
}

bool IsToken(std::string_view value) {
  if (value.empty()) return false;
  return std::all_of(value.begin(), value.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
  });
}

void AppendAttribute(std::string& out, std::string_view name, std::string_view value) {
  out += ' ';
  AppendEncodedUtf8(out, name, TEscape::Attribute);
  out += "=\"";
  AppendEncodedUtf8(out, value, TEscape::Attribute);
  out += '"';
}

// The META names the save routine and the meta tag window look for: upper case and unquoted so
// that "<META NAME=KEYWORDS" matches, and always with a CONTENT.
bool IsKnownMetaName(const std::string& upper) {
  return IsOneOf(upper, {"KEYWORDS", "DESCRIPTION", "AUTHOR", "COPYRIGHT", "GENERATOR"});
}

using TNode = TPageTree::TNode;
constexpr std::uint32_t kNone = TPageTree::None;

class TPageWriter {
 public:
  explicit TPageWriter(const TPageTree& page) : P(page) {}

  TSerializedPage Write() {
    FText.reserve(P.Text.size() + P.Text.size() / 4 + 4096);
    if (!P.Doctype.empty()) {
      // Verbatim, except that a line break with the white space around it becomes one blank:
      // the declaration must stay on line 1.
      std::u32string doctype;
      bool joining = false;
      for (char32_t c : NormalisedLines(P.Doctype)) {
        if (c == '\n') {
          while (!doctype.empty() && IsSpace(doctype.back())) doctype.pop_back();
          doctype += U' ';
          joining = true;
        } else if (!(joining && IsSpace(c))) {
          doctype += c;
          joining = false;
        }
      }
      FText += Encode(doctype, TEscape::Comment);
      Break();
    }
    for (std::uint32_t node : P.Leading) WriteOwnLine(node);
    WriteRoot();
    for (std::uint32_t node : P.Trailing) WriteOwnLine(node);
    Break();
    return {std::move(FText), std::move(FLineEnds)};
  }

 private:
  const TPageTree& P;
  // The whole page, one line after the other; the current line begins at FLineStart.
  std::string FText;
  std::size_t FLineStart = 0;
  std::vector<std::size_t> FLineEnds;

  bool LineEmpty() const { return FText.size() == FLineStart; }

  const TNode& Node(std::uint32_t index) const { return P.Nodes[index]; }
  std::string_view Name(const TNode& node) const { return P.View(node.Name); }
  std::string_view Data(const TNode& node) const { return P.View(node.Data); }
  unsigned Flags(const TNode& node) const {
    return node.Kind == TDomNode::TKind::Element ? TagFlags(Name(node)) : 0;
  }
  template <class TVisit>
  void ForEachChild(const TNode& node, TVisit visit) const {
    for (std::uint32_t c = node.FirstChild; c != kNone; c = Node(c).NextSibling) visit(Node(c));
  }
  // The value of the first attribute of that name (letter case ignored).
  bool FindAttribute(const TNode& node, std::string_view name, std::string_view& value) const {
    for (std::uint32_t a = 0; a < node.AttributeCount; ++a) {
      const TPageTree::TAttribute& attribute = P.Attributes[node.FirstAttribute + a];
      if (LowerCaseAscii(P.View(attribute.Name)) == name) {
        value = P.View(attribute.Value);
        return true;
      }
    }
    return false;
  }
  bool IsCharsetMeta(const TNode& node) const {
    std::string_view value;
    if (FindAttribute(node, "charset", value)) return true;
    return FindAttribute(node, "http-equiv", value) && LowerCaseAscii(value) == "content-type";
  }
  bool IsGeneratorMeta(const TNode& node) const {
    std::string_view value;
    return FindAttribute(node, "name", value) && UpperCaseAscii(value) == "GENERATOR";
  }

  // Ends the current line unless it is empty: blocks start on a fresh line without leaving
  // empty lines behind, so a page saved and loaded again saves the same.
  void Break() {
    if (!LineEmpty()) ForceBreak();
  }
  void ForceBreak() {
    FLineEnds.push_back(FText.size());
    FText += "\r\n";
    FLineStart = FText.size();
  }

  void WriteOwnLine(std::uint32_t node) {
    Break();
    WriteNode(Node(node), false);
    Break();
  }

  void AppendStartTag(const TNode& node) {
    FText += '<';
    AppendUpper(FText, Name(node));
    for (std::uint32_t a = 0; a < node.AttributeCount; ++a) {
      const TPageTree::TAttribute& attribute = P.Attributes[node.FirstAttribute + a];
      AppendAttribute(FText, P.View(attribute.Name), P.View(attribute.Value));
    }
    FText += '>';
  }

  void AppendMetaTag(const TNode& node) {
    std::string_view name, content;
    if (!FindAttribute(node, "name", name) || !IsToken(name)) return AppendStartTag(node);
    std::string upper = UpperCaseAscii(name);
    bool known = IsKnownMetaName(upper);
    FText += "<META NAME=";
    FText += known ? std::string_view(upper) : name;
    for (std::uint32_t a = 0; a < node.AttributeCount; ++a) {
      const TPageTree::TAttribute& attribute = P.Attributes[node.FirstAttribute + a];
      const std::string_view key = P.View(attribute.Name), value = P.View(attribute.Value);
      std::string lower = LowerCaseAscii(key);
      if (lower == "name" || lower == "content") continue;
      // Unquoted where possible: the meta tag window reads the value between the first two
      // double quotes of the line.
      if (IsToken(value)) {
        FText += ' ';
        AppendEncodedUtf8(FText, key, TEscape::Attribute);
        FText += '=';
        FText += value;
      } else {
        AppendAttribute(FText, key, value);
      }
    }
    if (FindAttribute(node, "content", content) || known)
      AppendAttribute(FText, "CONTENT", content);
    FText += '>';
  }

  void WriteRoot() {
    Break();
    const TNode* root = P.Root == kNone ? nullptr : &Node(P.Root);
    if (!root || Name(*root).empty())
      FText += "<HTML>";
    else
      AppendStartTag(*root);
    Break();
    bool headWritten = false;
    if (root) {
      ForEachChild(*root, [&](const TNode& child) {
        if (Flags(child) & kHead) {
          if (!headWritten) WriteHead(&child);
          headWritten = true;
          return;
        }
        if (child.Kind == TDomNode::TKind::Text) return;  // only white space can stand here
        if (!headWritten && child.Kind == TDomNode::TKind::Element) {
          WriteHead(nullptr);
          headWritten = true;
        }
        Break();
        WriteNode(child, false);
        Break();
      });
    }
    if (!headWritten) WriteHead(nullptr);
    Break();
    FText += "</HTML>";
    Break();
  }

  // head: none for a page without one.
  void WriteHead(const TNode* head) {
    Break();
    if (head)
      AppendStartTag(*head);
    else
      FText += "<HEAD>";
    Break();
    FText += "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    Break();
    if (head) {
      ForEachChild(*head, [&](const TNode& child) {
        if (child.Kind == TDomNode::TKind::Text) return;
        if ((Flags(child) & kMeta) && (IsCharsetMeta(child) || IsGeneratorMeta(child))) return;
        Break();
        WriteNode(child, false);
        Break();
      });
    }
    FText += std::string("<META NAME=GENERATOR CONTENT=\"") + PageGeneratorContent + "\">";
    Break();
    FText += "</HEAD>";
    Break();
  }

  void WriteText(std::string_view data, bool preformatted) {
    for (std::size_t i = 0; i < data.size();) {
      const char b = data[i];
      // The common case at once: a run of characters that need no escaping, in a line under
      // way or not starting with white space.
      if (b != '\r' && b != '\n' && IsPlainAscii(b) &&
          (preformatted || !LineEmpty() || (b != ' ' && b != '\t' && b != '\f'))) {
        std::size_t end = i + 1;
        while (end < data.size() && data[end] != '\r' && data[end] != '\n' &&
               IsPlainAscii(data[end]))
          ++end;
        FText.append(data.data() + i, end - i);
        i = end;
        continue;
      }
      if (b == '\r' || b == '\n') {
        ++i;
        if (b == '\r' && i < data.size() && data[i] == '\n') ++i;
        if (preformatted)
          ForceBreak();
        else
          Break();
        continue;
      }
      const char32_t c = DecodeUtf8At(data, i);
      // White space at the start of a line only indents the source; the browser drops it.
      if (!preformatted && LineEmpty() && IsSpace(c)) continue;
      AppendEncoded(FText, c, TEscape::Text);
    }
  }

  void WriteRawLines(std::string_view data, TEscape mode) {
    ForEachCodePoint(
        data, [this] { ForceBreak(); },
        [this, mode](char32_t c) { AppendEncoded(FText, c, mode); });
  }

  void WriteNode(const TNode& node, bool preformatted) {
    switch (node.Kind) {
      case TDomNode::TKind::Text:
        WriteText(Data(node), preformatted);
        return;
      case TDomNode::TKind::Comment:
        FText += "<!--";
        WriteRawLines(Data(node), TEscape::Comment);
        FText += "-->";
        return;
      case TDomNode::TKind::Element:
        WriteElement(node, preformatted);
        return;
    }
  }

  void WriteElement(const TNode& node, bool preformatted) {
    const unsigned flags = Flags(node);
    const bool block = (flags & kBlock) && !preformatted;
    if (block) Break();
    if (flags & kMeta)
      AppendMetaTag(node);
    else
      AppendStartTag(node);
    if (flags & kVoid) {
      if (block || (flags & kBr)) Break();
      return;
    }
    if (flags & kTitle) {
      // One line: the meta tag window reads the title from the line of its opening tag.
      std::string title;
      ForEachChild(node, [&](const TNode& child) {
        if (child.Kind == TDomNode::TKind::Text) title += Data(child);
      });
      std::u32string flat = NormalisedLines(title);
      std::replace(flat.begin(), flat.end(), U'\n', U' ');
      FText += Encode(flat, TEscape::Text);
    } else if (flags & kRawText) {
      TEscape mode = (flags & kScript)  ? TEscape::Script
                     : (flags & kStyle) ? TEscape::Style
                                        : TEscape::Comment;
      ForEachChild(node, [&](const TNode& child) {
        if (child.Kind == TDomNode::TKind::Text) WriteRawLines(Data(child), mode);
      });
    } else {
      const bool pre = preformatted || (flags & kPreformatted);
      // The parser drops one line break right after these opening tags; write an extra one
      // so that a leading line break of the content survives.
      if ((flags & kDropsBreak) && node.FirstChild != kNone) {
        const TNode& first = Node(node.FirstChild);
        const std::string_view data = Data(first);
        if (first.Kind == TDomNode::TKind::Text && !data.empty() &&
            (data[0] == '\n' || data[0] == '\r'))
          ForceBreak();
      }
      bool blockChildren = block && (flags & kContainer);
      for (std::uint32_t c = node.FirstChild; block && !blockChildren && c != kNone;
           c = Node(c).NextSibling)
        blockChildren = (Flags(Node(c)) & kBlock) != 0;
      if (blockChildren) Break();
      ForEachChild(node, [&](const TNode& child) { WriteNode(child, pre); });
      if (blockChildren) Break();
    }
    FText += "</";
    AppendUpper(FText, Name(node));
    FText += '>';
    if (block) Break();
  }
};

std::uint32_t AddDomNode(TPageTree& tree, const TDomNode& node) {
  const std::uint32_t index = tree.AddNode(
      node.Kind, tree.Add(node.Kind == TDomNode::TKind::Element ? node.Name : node.Data));
  if (node.Kind != TDomNode::TKind::Element) return index;
  tree.Nodes[index].FirstAttribute = static_cast<std::uint32_t>(tree.Attributes.size());
  tree.Nodes[index].AttributeCount = static_cast<std::uint32_t>(node.Attributes.size());
  for (const auto& [name, value] : node.Attributes)
    tree.Attributes.push_back({tree.Add(name), tree.Add(value)});
  std::uint32_t last = kNone;
  for (const TDomNode& child : node.Children) {
    const std::uint32_t c = AddDomNode(tree, child);
    (last == kNone ? tree.Nodes[index].FirstChild : tree.Nodes[last].NextSibling) = c;
    last = c;
  }
  return index;
}

}  // namespace

TPageTree::TSpan TPageTree::Add(std::string_view text) {
  TSpan span{static_cast<std::uint32_t>(Text.size()), static_cast<std::uint32_t>(text.size())};
  Text += text;
  return span;
}

std::uint32_t TPageTree::AddNode(TDomNode::TKind kind, TSpan nameOrData) {
  TNode node;
  node.Kind = kind;
  (kind == TDomNode::TKind::Element ? node.Name : node.Data) = nameOrData;
  Nodes.push_back(node);
  return static_cast<std::uint32_t>(Nodes.size() - 1);
}

TPageTree PageTreeOf(const TDomDocument& document) {
  TPageTree tree;
  tree.Doctype = document.Doctype;
  for (const TDomNode& node : document.Leading) tree.Leading.push_back(AddDomNode(tree, node));
  tree.Root = AddDomNode(tree, document.Root);
  for (const TDomNode& node : document.Trailing) tree.Trailing.push_back(AddDomNode(tree, node));
  return tree;
}

std::vector<std::string> SerializePage(const TDomDocument& document) {
  return SerializePage(PageTreeOf(document));
}

std::vector<std::string> TSerializedPage::Lines() const {
  std::vector<std::string> lines;
  lines.reserve(LineEnds.size());
  std::size_t start = 0;
  for (std::size_t end : LineEnds) {
    lines.emplace_back(Text, start, end - start);
    start = end + 2;
  }
  return lines;
}

TSerializedPage SerializePageText(const TPageTree& page) {
  return TPageWriter(page).Write();
}

std::vector<std::string> SerializePage(const TPageTree& page) {
  return SerializePageText(page).Lines();
}

}  // namespace kv
