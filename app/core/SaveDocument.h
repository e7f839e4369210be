// Writing a saved page's lines to its file: once, atomically, and loudly on failure.
#pragma once

#include <string>
#include <vector>

#include "support/HostPath.h"

namespace kv {

// The file's bytes: every line followed by CR LF, the last one too.
std::string JoinSavedLines(const std::vector<std::string>& lines);

// Writes the lines to path through a temporary file and a rename, so that the old file stays
// intact when anything fails. Throws EFCreateError naming the file and the reason.
void WriteSavedPage(const THostPath& path, const std::vector<std::string>& lines);

// RewriteSavedText, then the atomic write: what a save does with the page the engine wrote.
void SaveRewrittenText(const THostPath& path, std::string_view text, const THostPath& docDir);

// RewriteSavedPage, then WriteSavedPage: what a save does with the lines the engine produced.
void SaveRewrittenPage(const THostPath& path, std::vector<std::string> lines,
                       const THostPath& docDir);

}  // namespace kv
