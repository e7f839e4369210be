// Turns a page's document tree into the text lines the program saves. A pure function: the
// backend reads the tree out of the engine, this decides every byte of the file.
//
// The lines have the shape the save routine and the meta tag window work on: the DOCTYPE as the
// page has it on line 1; upper-case tag names; <HTML>, <HEAD>, the windows-1252 charset META,
// every other head element on its own line, META lines as <META NAME=X ... CONTENT="...">, and
// one generator META last in the head; each block element on its own line; attribute values
// quoted, in the order the page has them, addresses as authored; text in Windows-1252 with every
// other character as a numeric character reference.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace kv {

// One node of the document tree. Names and text are UTF-8, as the engine reports them.
struct TDomNode {
  enum class TKind { Element, Text, Comment };

  TKind Kind = TKind::Element;
  std::string Name;                                             // element: the tag name
  std::vector<std::pair<std::string, std::string>> Attributes;  // element: in page order
  std::string Data;                                             // text or comment
  std::vector<TDomNode> Children;

  static TDomNode Element(std::string name,
                          std::vector<std::pair<std::string, std::string>> attributes = {},
                          std::vector<TDomNode> children = {});
  static TDomNode Text(std::string data);
  static TDomNode Comment(std::string data);
};

struct TDomDocument {
  std::string Doctype;            // the DOCTYPE declaration as written, UTF-8; empty: none
  std::vector<TDomNode> Leading;  // comments before the root element
  TDomNode Root;                  // the HTML element
  std::vector<TDomNode> Trailing;
};

// The same document in one piece, as the serialiser reads it: every node in one array, every
// name and text in one UTF-8 buffer, so that a large page costs no allocation per node. The
// page reader builds it directly; a TDomDocument is turned into one.
struct TPageTree {
  static constexpr std::uint32_t None = UINT32_MAX;
  // A piece of Text.
  struct TSpan {
    std::uint32_t At = 0, Length = 0;
  };
  struct TNode {
    TDomNode::TKind Kind = TDomNode::TKind::Element;
    TSpan Name;  // element
    TSpan Data;  // text or comment
    std::uint32_t FirstAttribute = 0, AttributeCount = 0;
    std::uint32_t FirstChild = None, NextSibling = None;
  };
  struct TAttribute {
    TSpan Name, Value;
  };

  std::string Text;
  std::vector<TNode> Nodes;
  std::vector<TAttribute> Attributes;
  std::string Doctype;                           // as TDomDocument::Doctype
  std::vector<std::uint32_t> Leading, Trailing;  // comment nodes around the root
  std::uint32_t Root = None;                     // None: an empty HTML element

  std::string_view View(TSpan span) const { return {Text.data() + span.At, span.Length}; }
  // Appends text to Text and returns where it lies.
  TSpan Add(std::string_view text);
  // Appends a node without children or siblings yet and returns its index.
  std::uint32_t AddNode(TDomNode::TKind kind, TSpan nameOrData);
};

TPageTree PageTreeOf(const TDomDocument& document);

// The generator named on the one generator META line; the meta tag window anchors on "MSHTML".
extern const char* const PageGeneratorContent;

// The page as its file holds it, written into one buffer: every line in Windows-1252 followed
// by CR LF, and where each line's CR LF stands (a line may hold a lone CR or LF of its own, in
// an attribute value).
struct TSerializedPage {
  std::string Text;
  std::vector<std::size_t> LineEnds;
  std::vector<std::string> Lines() const;
};

TSerializedPage SerializePageText(const TPageTree& page);

// The page as lines in Windows-1252, without line ends.
std::vector<std::string> SerializePage(const TDomDocument& document);
std::vector<std::string> SerializePage(const TPageTree& page);

// The lines as file text, every line (the last one too) ended by CR LF.
std::string LinesToCrLfText(const std::vector<std::string>& lines);

}  // namespace kv
