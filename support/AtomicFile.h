// Replacing a file's contents so that a reader sees either the old or the new file, never a
// half-written one, also when the disk fills up or the program dies while writing.
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

#include "support/HostPath.h"

namespace kv {

// Writes bytes to path: a temporary file in the same folder, flushed to disk,
// then renamed over the target. A symbolic link is written through to the file it points to,
// and an existing file keeps its permission bits and group (and its owner, where allowed). A
// file with other hard links is rewritten in place instead, so that every name sees the new
// contents: its old contents are first copied beside it and put back should the write fail.
// A target (or folder) without write permission is refused rather than replaced. On failure
// the old file is as it was, no temporary file remains, false is returned and error says why.
bool WriteFileAtomically(const THostPath& path, const std::string& bytes, std::string& error);
// The same for the name the system calls take.
bool WriteFileAtomically(const std::filesystem::path& path, const std::string& bytes,
                         std::string& error);

// Copies from's bytes to to in the same way; false with error when from cannot be read too.
bool CopyFileAtomically(const THostPath& from, const THostPath& to, std::string& error);

// Tests of failing disks: asked before every atomic write with the target path; a non-empty
// answer makes that write fail with the answer as its reason, leaving everything untouched.
// Returns the previous hook; an empty hook switches the faults off.
using TAtomicWriteFault = std::function<std::string(const std::string& path)>;
TAtomicWriteFault SetAtomicWriteFault(TAtomicWriteFault fault);

// Tests of a write that breaks off: asked with the target path when its new contents are
// written; an answer n makes only the first n bytes reach the file, then the write fails as on
// a full disk. Returns the previous hook; an empty hook switches the fault off.
using TPartialWriteFault = std::function<std::optional<size_t>(const std::string& path)>;
TPartialWriteFault SetPartialWriteFault(TPartialWriteFault fault);

}  // namespace kv
