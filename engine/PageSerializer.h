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

#include <string>
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

// The generator named on the one generator META line; the meta tag window anchors on "MSHTML".
extern const char* const PageGeneratorContent;

// The page as lines in Windows-1252, without line ends.
std::vector<std::string> SerializePage(const TDomDocument& document);

// The lines as file text, every line (the last one too) ended by CR LF.
std::string LinesToCrLfText(const std::vector<std::string>& lines);

}  // namespace kv
