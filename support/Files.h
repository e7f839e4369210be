// Whole-file access by the host's path bytes. Paths never pass through the page text's code
// page: a name holding any byte sequence the file system allows is reached as it is.
#pragma once

#include <string>

#include "support/HostPath.h"

namespace kv {

bool FileExists(const THostPath& path);  // a file (not a folder), links followed
bool DirectoryExists(const THostPath& path);
// Whole-file reads and writes. Read returns false when the file cannot be opened or read.
bool ReadFileBytes(const THostPath& path, std::string& bytes);
// Writes (truncating); false when the file cannot be created or the data not written whole.
bool WriteFileBytes(const THostPath& path, const std::string& bytes);
bool CopyFileOverwrite(const THostPath& from, const THostPath& to);
bool DeleteFileIfExists(const THostPath& path);
// Creates a folder with all missing levels; true when it exists afterwards.
bool ForceDirectories(const THostPath& path);
// The host's path separator as a string ("/" on Linux, "\\" on Windows).
const std::string& PathDelim();
// The absolute form of path with "." and ".." folded away.
THostPath ExpandFileName(const THostPath& path);
// The file address of a local path as a browser reads it: "file://" + the absolute path, every
// byte other than unreserved ASCII and "/" as %XX (UTF-8 bytes for non-ASCII characters).
std::string FileUrl(const THostPath& path);

}  // namespace kv
