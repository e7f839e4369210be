// The page serialiser on document trees generated from the input (any names, attributes, text
// and comments, nesting up to the depth the capture reader admits): the page written in one
// buffer and as lines must agree, and no byte the Windows-1252 code page leaves undefined may
// reach the file.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "engine/PageSerializer.h"
#include "support/Cp1252.h"

namespace {

using kv::TDomNode;

constexpr std::array<std::string_view, 24> kNames = {
    "html", "head", "body",   "title",     "meta",     "p",    "pre",  "br",
    "img",  "a",    "script", "style",     "textarea", "xmp",  "div",  "table",
    "td",   "b",    "svg",    "plaintext", "listing",  "link", "base", "noscript"};

bool Undefined1252(unsigned char c) {
  return c == 0x81 || c == 0x8D || c == 0x8F || c == 0x90 || c == 0x9D;
}

struct TGenerator {
  kv::fuzz::TFuzzInput& In;
  int Budget = 400;  // nodes left
  // Some string holds one of the C1 controls that stand for the bytes Windows-1252 leaves
  // undefined: the page may then hold those bytes, as the program's code page table maps them.
  bool C1Controls = false;

  std::string Str(std::size_t maxLength) {
    std::string s = In.String(maxLength);
    for (char32_t c : kv::DecodeUtf8(s)) {
      if (c < 0x100 && Undefined1252(static_cast<unsigned char>(c))) C1Controls = true;
    }
    return s;
  }

  std::string Name() {
    const std::size_t i = In.Byte();
    return i < kNames.size() * 8 ? std::string(kNames[i % kNames.size()]) : Str(12);
  }

  TDomNode Element(int depth) {
    TDomNode node = TDomNode::Element(Name());
    for (std::size_t n = In.Pick(5); n > 0; --n) {
      std::string name = (In.Byte() & 3) ? std::string(In.Flag() ? "content" : "name") : Str(8);
      node.Attributes.emplace_back(std::move(name), Str(40));
    }
    Children(node, depth + 1);
    return node;
  }

  void Children(TDomNode& parent, int depth) {
    while (Budget > 0 && !In.Empty()) {
      --Budget;
      switch (In.Pick(8)) {
        case 0:
        case 1:
        case 2:
          if (depth < 60) parent.Children.push_back(Element(depth));
          break;
        case 3:
        case 4:
          parent.Children.push_back(TDomNode::Text(Str(60)));
          break;
        case 5:
          parent.Children.push_back(TDomNode::Comment(Str(30)));
          break;
        case 6: {
          // A deep chain of one element, as generated or broken pages have.
          const int levels = 1 + In.Byte() * 16;
          const std::string name = Name();
          parent.Children.push_back(TDomNode::Element(name));
          TDomNode* inner = &parent.Children.back();
          for (int i = 1; i < levels; ++i) {
            inner->Children.push_back(TDomNode::Element(name));
            inner = &inner->Children.back();
          }
          inner->Children.push_back(TDomNode::Text("x"));
          break;
        }
        default:
          return;
      }
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  kv::TDomDocument document;
  const std::uint8_t flags = in.Byte();
  TGenerator generate{in};
  if (flags & 1) document.Doctype = generate.Str(60);
  if (flags & 2) document.Leading.push_back(TDomNode::Comment(generate.Str(20)));
  if (flags & 4) document.Trailing.push_back(TDomNode::Comment(generate.Str(20)));
  document.Root = TDomNode::Element("html");
  generate.Children(document.Root, 1);

  const std::vector<std::string> lines = kv::SerializePage(document);
  const kv::TSerializedPage page = kv::SerializePageText(kv::PageTreeOf(document));
  if (page.Lines() != lines) kv::fuzz::Fail("the buffer and the lines differ");
  if (kv::LinesToCrLfText(lines) != page.Text) kv::fuzz::Fail("the line ends are misplaced");
  for (const std::string& line : lines) {
    if (generate.C1Controls) break;
    for (char c : line) {
      if (!Undefined1252(static_cast<unsigned char>(c))) continue;
      std::fprintf(stderr, "line: %s\n", line.c_str());
      kv::fuzz::Fail("a byte outside Windows-1252 in the page");
    }
  }
  return 0;
}
