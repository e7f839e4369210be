// The two HTML forms a copy puts on the clipboard: the Windows "HTML Format" block (a header
// of byte offsets in front of a small document) and a plain HTML document for desktops whose
// text/html type carries HTML as it is.
#pragma once

#include <string>

namespace kv {

// Byte offsets of a CF_HTML block, counted from its first byte.
struct TClipboardHtmlOffsets {
  long StartHTML = 0, EndHTML = 0, StartFragment = 0, EndFragment = 0;
};

// Builds the block around fragment (Windows-1252 HTML, lines joined by CR LF). The format is
// defined over UTF-8, so the fragment is converted first and every offset counts UTF-8 bytes.
std::string BuildClipboardHtml(const std::string& fragment);

// Reads the four offsets back from a block's header; false when one is missing.
bool ParseClipboardHtmlOffsets(const std::string& block, TClipboardHtmlOffsets& offsets);

// A complete UTF-8 HTML document holding fragment in its body.
std::string BuildHtmlDocument(const std::string& fragment);

}  // namespace kv
