// Replacing a file's contents so that a reader sees either the old or the new file, never a
// half-written one, also when the disk fills up or the program dies while writing.
#pragma once

#include <filesystem>
#include <string>

namespace kv {

// Writes bytes to path (Windows-1252): a temporary file in the same folder, flushed to disk,
// then renamed over the target. A symbolic link is written through to the file it points to,
// and an existing file keeps its permission bits (and its owner, where allowed). A target (or
// folder) without write permission is refused rather than replaced. On failure the old file is
// untouched, no temporary file remains, false is returned and error says why.
bool WriteFileAtomically(const std::string& path, const std::string& bytes, std::string& error);
// The same for a path as the host names it.
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& bytes,
                         std::string& error);

}  // namespace kv
