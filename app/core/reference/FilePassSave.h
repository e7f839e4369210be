// The save routine in its straightforward shape: the engine's lines are written to the file,
// then nine passes each read the whole file, rewrite every line and write it back. Slow and
// not safe against failures half-way, but plainly right; the in-memory rewriting must produce
// the same bytes.
#pragma once

#include <string>
#include <vector>

#include "support/Paths.h"

namespace kv {

// Passes 1 to 9 on the file at path. Throws the framework's file errors.
void RewriteFileInPasses(const std::string& path, const std::string& docDir, TPathStyle style);

// Pass 0 (the lines written as the file) followed by RewriteFileInPasses.
void SaveByFilePasses(const std::string& path, const std::vector<std::string>& lines,
                      const std::string& docDir, TPathStyle style);

}  // namespace kv
