// The rewriting a saved page goes through before it reaches its file: quotes for the values of
// four kinds of META tags, and local picture paths made relative to the page's folder so that
// they still work when the folder moves. It works on the page's lines in memory; the page is
// written once, afterwards (SaveDocument.h).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/Paths.h"

namespace kv {

struct TTextReplacement {
  std::string Search;
  std::string Replacement;
};

// The path rewriting for one document folder: what is removed as the folder's own address,
// and for each of the five nearest ancestors what turns into "../" (nearest first).
// Windows style: every occurrence, letter case ignored. POSIX style: case matters, and an
// ancestor such as "/home/" is replaced only where it stands as a file address or at the very
// start of an attribute value, since the same text occurs in web addresses and prose.
struct TPathRewritePlan {
  std::vector<TTextReplacement> OwnFolder;
  std::array<std::vector<TTextReplacement>, 5> Ancestors;
  bool IgnoreCase = true;
};

TPathRewritePlan MakePathRewritePlan(const std::string& docDir, TPathStyle style);

// The META names whose content is quoted, in the order they are tried.
const std::array<const char*, 4>& QuotedMetaNames();

// Rewrites the lines of a saved page for the document folder docDir (ending with its
// separator); one output line per input line. A line holding CR or LF is first split there, as
// reading the page back from a file would. Nothing is parsed: the rewriting is textual.
std::vector<std::string> RewriteSavedPage(std::vector<std::string> lines, const std::string& docDir,
                                          TPathStyle style = HostPathStyle());

// The same for the page as its file holds it: the text is read as a file reader reads it (CR
// LF, CR and LF each end a line), and the rewritten lines come back with CR LF after each.
// Equal to joining RewriteSavedPage of the lines, without a string for every line.
std::string RewriteSavedText(std::string_view text, const std::string& docDir,
                             TPathStyle style = HostPathStyle());

}  // namespace kv
