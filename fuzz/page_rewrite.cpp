// The save routine's rewriting on arbitrary lines and folder names, in both path styles and for
// a folder as the host names it (any bytes): the page rewritten line by line and as its file's
// text must agree, every input line must come back as one line at least, and for a folder of
// plain characters the host path's rewriting is the text folder's.
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzInput.h"
#include "app/core/PageRewrite.h"
#include "support/HostPath.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kv::fuzz::TFuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  const kv::TPathStyle style = (flags & 1) ? kv::TPathStyle::Windows : kv::TPathStyle::Posix;
  std::string docDir = in.Field();
  if ((flags & 2) && (docDir.empty() || docDir.back() != kv::PathSeparator(style)))
    docDir += kv::PathSeparator(style);
  (void)kv::MakePathRewritePlan(docDir, style);
  const std::vector<std::string> lines = in.RestLines();

  std::string text;
  for (const std::string& line : lines) text += line + "\r\n";
  const std::vector<std::string> rewritten = kv::RewriteSavedPage(lines, docDir, style);
  if (rewritten.size() < lines.size()) kv::fuzz::Fail("lines lost in the rewriting");
  std::string joined;
  for (const std::string& line : rewritten) joined += line + "\r\n";
  if (kv::RewriteSavedText(text, docDir, style) != joined)
    kv::fuzz::Fail("the text and the lines are rewritten differently");

  if (style != kv::TPathStyle::Posix) return 0;
  const kv::THostPath folder = kv::THostPath::FromBytes(docDir);
  const std::vector<std::string> hostLines = kv::RewriteSavedPage(lines, folder);
  if (hostLines.size() < lines.size()) kv::fuzz::Fail("lines lost in the host path's rewriting");
  std::string hostJoined;
  for (const std::string& line : hostLines) hostJoined += line + "\r\n";
  if (kv::RewriteSavedText(text, folder) != hostJoined)
    kv::fuzz::Fail("the host path's text and lines are rewritten differently");
  bool plain = true;
  for (unsigned char c : docDir)
    plain = plain && (std::isalnum(c) || c == '/' || c == '-' || c == '.' || c == '_');
  if (plain && hostJoined != joined)
    kv::fuzz::Fail("a plain folder is rewritten differently as a host path");
  return 0;
}
