// The rewriting a saved page goes through before it reaches its file: quotes for the values of
// four kinds of META tags, and local picture paths made relative to the page's folder so that
// they still work when the folder moves. It works on the page's lines in memory; the page is
// written once, afterwards (SaveDocument.h).
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "support/HostPath.h"
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

// One search of the rewriting for a host folder: Lead ("file://", "=\"" or "='") exactly as it
// stands, directly followed by Path (ending with "/") in any form a page writes a path in:
// - as page text: a character Windows-1252 holds as its byte, any other as a decimal or
//   hexadecimal character reference ("&#321;"), "&" as "&amp;", and "&quot;", "&lt;", "&gt;",
//   "&nbsp;" for their characters;
// - as a script or a style sheet escapes it ("\u0141", a pair of halves beyond U+FFFF; "\000141");
// - percent-encoded, as a browser writes a file address: the UTF-8 bytes as %XX, hex digits in
//   either case.
// The forms may mix within one path, since a browser encodes some characters and keeps others.
// Letters, digits, "-", ".", "_", "~" and "/" only ever match as themselves: a browser never
// encodes them, and "%2F" is no separator. "%" with two hex digits, a complete reference and a
// complete escape always stand for what they encode, never for their own characters, so a
// folder named "&amp;" never takes the address of a folder named "&". The bytes of a path that
// are not UTF-8 can only match percent-encoded.
struct TPathReplacement {
  std::string Lead;
  THostPath Path;
  std::string Replacement;
};

struct THostPathRewritePlan {
  std::vector<TPathReplacement> OwnFolder;
  std::array<std::vector<TPathReplacement>, 5> Ancestors;
};

// The host (POSIX) rewriting for docDir, case-sensitive as the host's paths are. For a folder of
// letters, digits and "-._~" it searches exactly the texts MakePathRewritePlan(string, Posix) does.
THostPathRewritePlan MakePathRewritePlan(const THostPath& docDir);

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

// The same for a folder named by the host: its address is found in every form a page may hold it
// (TPathReplacement).
std::vector<std::string> RewriteSavedPage(std::vector<std::string> lines, const THostPath& docDir);
std::string RewriteSavedText(std::string_view text, const THostPath& docDir);

}  // namespace kv
