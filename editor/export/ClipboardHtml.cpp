#include "editor/export/ClipboardHtml.h"

#include <cstdio>
#include <cstdlib>

#include "support/Cp1252.h"

namespace kv {

namespace {

// Offsets are written with a fixed width so that the header's length does not depend on the
// numbers it holds.
std::string Offset(long value) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%010ld", value);
  return buf;
}

const char kPrologue[] =
    "<!DOCTYPE>\r\n"
    "<HTML>\r\n"
    "<HEAD>\r\n"
    "<TITLE>The HTML Clipboard</TITLE>\r\n"
    "<BASE HREF=\"about:blank\">\r\n"
    "</HEAD>\r\n"
    "<BODY>\r\n"
    "<!--StartFragment -->\r\n";
const char kEpilogue[] =
    "\r\n<!--EndFragment -->\r\n"
    "</BODY>\r\n"
    "</HTML>\r\n";

}  // namespace

std::string BuildClipboardHtml(const std::string& fragment) {
  const std::string utf8 = Cp1252ToUtf8(fragment);
  const std::string headerTemplate = "Version:0.9\r\nStartHTML:" + Offset(0) +
                                     "\r\nEndHTML:" + Offset(0) + "\r\nStartFragment:" + Offset(0) +
                                     "\r\nEndFragment:" + Offset(0) + "\r\n";
  const long startHtml = static_cast<long>(headerTemplate.size());
  const long startFragment = startHtml + static_cast<long>(sizeof kPrologue - 1);
  const long endFragment = startFragment + static_cast<long>(utf8.size());
  const long endHtml = endFragment + static_cast<long>(sizeof kEpilogue - 1);

  std::string block = "Version:0.9\r\nStartHTML:" + Offset(startHtml) +
                      "\r\nEndHTML:" + Offset(endHtml) +
                      "\r\nStartFragment:" + Offset(startFragment) +
                      "\r\nEndFragment:" + Offset(endFragment) + "\r\n";
  block.reserve(static_cast<std::size_t>(endHtml));
  block += kPrologue;
  block += utf8;
  block += kEpilogue;
  return block;
}

bool ParseClipboardHtmlOffsets(const std::string& block, TClipboardHtmlOffsets& offsets) {
  auto read = [&](const char* key, long& value) {
    std::size_t at = block.find(key);
    if (at == std::string::npos) return false;
    value = std::strtol(block.c_str() + at + std::char_traits<char>::length(key), nullptr, 10);
    return true;
  };
  return read("StartHTML:", offsets.StartHTML) && read("EndHTML:", offsets.EndHTML) &&
         read("StartFragment:", offsets.StartFragment) && read("EndFragment:", offsets.EndFragment);
}

std::string BuildHtmlDocument(const std::string& fragment) {
  return "<html><head><meta charset=\"utf-8\"></head><body>\r\n" + Cp1252ToUtf8(fragment) +
         "\r\n</body></html>\r\n";
}

}  // namespace kv
