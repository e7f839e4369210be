#include "engine/PageSerializer.h"

#include <algorithm>
#include <array>
#include <string_view>

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

bool IsBlock(std::string_view n) {
  return IsOneOf(
      n, {"ADDRESS",  "ARTICLE",    "ASIDE",   "BLOCKQUOTE", "BODY",   "CAPTION", "CENTER",
          "COLGROUP", "DD",         "DETAILS", "DIR",        "DIV",    "DL",      "DT",
          "FIELDSET", "FIGCAPTION", "FIGURE",  "FOOTER",     "FORM",   "FRAME",   "FRAMESET",
          "H1",       "H2",         "H3",      "H4",         "H5",     "H6",      "HEAD",
          "HEADER",   "HGROUP",     "HR",      "HTML",       "LEGEND", "LI",      "LISTING",
          "MAIN",     "MENU",       "NAV",     "NOFRAMES",   "OL",     "P",       "PLAINTEXT",
          "PRE",      "SECTION",    "SUMMARY", "TABLE",      "TBODY",  "TD",      "TFOOT",
          "TH",       "THEAD",      "TR",      "UL",         "XMP"});
}

// Blocks whose content always stands on lines of its own.
bool IsContainer(std::string_view n) {
  return IsOneOf(n, {"BODY", "FRAMESET", "TABLE", "TBODY", "THEAD", "TFOOT", "TR", "OL", "UL", "DL",
                     "MENU", "DIR"});
}

bool IsVoid(std::string_view n) {
  return IsOneOf(n, {"AREA", "BASE", "BASEFONT", "BGSOUND", "BR", "COL", "EMBED", "FRAME", "HR",
                     "IMG", "INPUT", "KEYGEN", "LINK", "META", "PARAM", "SOURCE", "TRACK", "WBR"});
}

// Elements whose text the HTML parser takes literally: written without escaping.
bool IsRawText(std::string_view n) {
  return IsOneOf(n, {"SCRIPT", "STYLE", "XMP", "IFRAME", "NOEMBED", "NOFRAMES", "PLAINTEXT"});
}

// Elements whose line breaks are content.
bool IsPreformatted(std::string_view n) {
  return IsOneOf(n, {"PRE", "TEXTAREA", "LISTING", "XMP", "PLAINTEXT"});
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

std::string Encode(const std::u32string& text, TEscape mode) {
  std::string out;
  for (char32_t c : text) AppendEncoded(out, c, mode);
  return out;
}

std::string Encode(const std::string& utf8, TEscape mode) {
  return Encode(DecodeUtf8(utf8), mode);
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

std::string UpperName(const std::string& name) {
  return UpperCaseAscii(name);
}

const std::string* FindAttribute(const TDomNode& node, std::string_view name) {
  for (const auto& [key, value] : node.Attributes)
    if (LowerCaseAscii(key) == name) return &value;
  return nullptr;
}

bool IsToken(const std::string& value) {
  if (value.empty()) return false;
  return std::all_of(value.begin(), value.end(), [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
           c == '_' || c == '.' || c == ':';
  });
}

std::string QuotedAttribute(const std::string& name, const std::string& value) {
  return " " + Encode(name, TEscape::Attribute) + "=\"" + Encode(value, TEscape::Attribute) + "\"";
}

// The META names the save routine and the meta tag window look for: upper case and unquoted so
// that "<META NAME=KEYWORDS" matches, and always with a CONTENT.
bool IsKnownMetaName(const std::string& upper) {
  return IsOneOf(upper, {"KEYWORDS", "DESCRIPTION", "AUTHOR", "COPYRIGHT", "GENERATOR"});
}

bool IsCharsetMeta(const TDomNode& node) {
  if (FindAttribute(node, "charset")) return true;
  const std::string* equiv = FindAttribute(node, "http-equiv");
  return equiv && LowerCaseAscii(*equiv) == "content-type";
}

bool IsGeneratorMeta(const TDomNode& node) {
  const std::string* name = FindAttribute(node, "name");
  return name && UpperCaseAscii(*name) == "GENERATOR";
}

bool IsMeta(const TDomNode& node) {
  return node.Kind == TDomNode::TKind::Element && UpperName(node.Name) == "META";
}

class TPageWriter {
 public:
  std::vector<std::string> Write(const TDomDocument& document) {
    if (!document.Doctype.empty()) {
      // Verbatim, except that a line break with the white space around it becomes one blank:
      // the declaration must stay on line 1.
      std::u32string doctype;
      bool joining = false;
      for (char32_t c : NormalisedLines(document.Doctype)) {
        if (c == '\n') {
          while (!doctype.empty() && IsSpace(doctype.back())) doctype.pop_back();
          doctype += U' ';
          joining = true;
        } else if (!(joining && IsSpace(c))) {
          doctype += c;
          joining = false;
        }
      }
      FLine = Encode(doctype, TEscape::Comment);
      Break();
    }
    for (const TDomNode& node : document.Leading) WriteOwnLine(node);
    WriteRoot(document.Root);
    for (const TDomNode& node : document.Trailing) WriteOwnLine(node);
    Break();
    return std::move(FLines);
  }

 private:
  std::vector<std::string> FLines;
  std::string FLine;

  // Ends the current line unless it is empty: blocks start on a fresh line without leaving
  // empty lines behind, so a page saved and loaded again saves the same.
  void Break() {
    if (!FLine.empty()) ForceBreak();
  }
  void ForceBreak() {
    FLines.push_back(std::move(FLine));
    FLine.clear();
  }

  void WriteOwnLine(const TDomNode& node) {
    Break();
    WriteNode(node, false);
    Break();
  }

  std::string StartTag(const TDomNode& node) {
    std::string tag = "<" + UpperName(node.Name);
    for (const auto& [name, value] : node.Attributes) tag += QuotedAttribute(name, value);
    return tag + ">";
  }

  std::string MetaTag(const TDomNode& node) {
    const std::string* name = FindAttribute(node, "name");
    if (!name || !IsToken(*name)) return StartTag(node);
    std::string upper = UpperCaseAscii(*name);
    bool known = IsKnownMetaName(upper);
    std::string tag = "<META NAME=" + (known ? upper : *name);
    for (const auto& [key, value] : node.Attributes) {
      std::string lower = LowerCaseAscii(key);
      if (lower == "name" || lower == "content") continue;
      // Unquoted where possible: the meta tag window reads the value between the first two
      // double quotes of the line.
      tag += IsToken(value) ? " " + Encode(key, TEscape::Attribute) + "=" + value
                            : QuotedAttribute(key, value);
    }
    const std::string* content = FindAttribute(node, "content");
    if (content || known) tag += QuotedAttribute("CONTENT", content ? *content : std::string());
    return tag + ">";
  }

  void WriteRoot(const TDomNode& root) {
    Break();
    FLine = StartTag(root.Name.empty() ? TDomNode::Element("HTML") : root);
    Break();
    bool headWritten = false;
    for (const TDomNode& child : root.Children) {
      if (child.Kind == TDomNode::TKind::Element && UpperName(child.Name) == "HEAD") {
        if (!headWritten) WriteHead(child);
        headWritten = true;
        continue;
      }
      if (child.Kind == TDomNode::TKind::Text) continue;  // only white space can stand here
      if (!headWritten && child.Kind == TDomNode::TKind::Element) {
        WriteHead(TDomNode::Element("HEAD"));
        headWritten = true;
      }
      WriteOwnLine(child);
    }
    if (!headWritten) WriteHead(TDomNode::Element("HEAD"));
    Break();
    FLine = "</HTML>";
    Break();
  }

  void WriteHead(const TDomNode& head) {
    Break();
    FLine = StartTag(head);
    Break();
    FLine = "<META http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1252\">";
    Break();
    for (const TDomNode& child : head.Children) {
      if (child.Kind == TDomNode::TKind::Text) continue;
      if (IsMeta(child) && (IsCharsetMeta(child) || IsGeneratorMeta(child))) continue;
      WriteOwnLine(child);
    }
    FLine = std::string("<META NAME=GENERATOR CONTENT=\"") + PageGeneratorContent + "\">";
    Break();
    FLine = "</HEAD>";
    Break();
  }

  void WriteText(const std::string& data, bool preformatted) {
    for (char32_t c : NormalisedLines(data)) {
      if (c == '\n') {
        if (preformatted)
          ForceBreak();
        else
          Break();
        continue;
      }
      // White space at the start of a line only indents the source; the browser drops it.
      if (!preformatted && FLine.empty() && IsSpace(c)) continue;
      AppendEncoded(FLine, c, TEscape::Text);
    }
  }

  void WriteRawLines(const std::string& data, TEscape mode) {
    for (char32_t c : NormalisedLines(data)) {
      if (c == '\n')
        ForceBreak();
      else
        AppendEncoded(FLine, c, mode);
    }
  }

  void WriteNode(const TDomNode& node, bool preformatted) {
    switch (node.Kind) {
      case TDomNode::TKind::Text:
        WriteText(node.Data, preformatted);
        return;
      case TDomNode::TKind::Comment:
        FLine += "<!--";
        WriteRawLines(node.Data, TEscape::Comment);
        FLine += "-->";
        return;
      case TDomNode::TKind::Element:
        WriteElement(node, preformatted);
        return;
    }
  }

  void WriteElement(const TDomNode& node, bool preformatted) {
    const std::string name = UpperName(node.Name);
    const bool block = IsBlock(name) && !preformatted;
    if (block) Break();
    FLine += IsMeta(node) ? MetaTag(node) : StartTag(node);
    if (IsVoid(name)) {
      if (block || name == "BR") Break();
      return;
    }
    if (name == "TITLE") {
      // One line: the meta tag window reads the title from the line of its opening tag.
      std::string title;
      for (const TDomNode& child : node.Children)
        if (child.Kind == TDomNode::TKind::Text) title += child.Data;
      std::u32string flat = NormalisedLines(title);
      std::replace(flat.begin(), flat.end(), U'\n', U' ');
      FLine += Encode(flat, TEscape::Text);
    } else if (IsRawText(name)) {
      TEscape mode = name == "SCRIPT"  ? TEscape::Script
                     : name == "STYLE" ? TEscape::Style
                                       : TEscape::Comment;
      for (const TDomNode& child : node.Children)
        if (child.Kind == TDomNode::TKind::Text) WriteRawLines(child.Data, mode);
    } else {
      const bool pre = preformatted || IsPreformatted(name);
      // The parser drops one line break right after these opening tags; write an extra one
      // so that a leading line break of the content survives.
      if (IsOneOf(name, {"PRE", "TEXTAREA", "LISTING"}) && !node.Children.empty() &&
          node.Children.front().Kind == TDomNode::TKind::Text &&
          !node.Children.front().Data.empty() &&
          (node.Children.front().Data[0] == '\n' || node.Children.front().Data[0] == '\r'))
        ForceBreak();
      bool blockChildren =
          block && (IsContainer(name) ||
                    std::any_of(node.Children.begin(), node.Children.end(), [](const TDomNode& c) {
                      return c.Kind == TDomNode::TKind::Element && IsBlock(UpperName(c.Name));
                    }));
      if (blockChildren) Break();
      for (const TDomNode& child : node.Children) WriteNode(child, pre);
      if (blockChildren) Break();
    }
    FLine += "</" + name + ">";
    if (block) Break();
  }
};

}  // namespace

std::vector<std::string> SerializePage(const TDomDocument& document) {
  return TPageWriter().Write(document);
}

}  // namespace kv
