// File access for 8-bit (Windows-1252) path strings. Paths inside the program are Windows-1252
// like all text; the file system on Linux names files in UTF-8, so every access converts here.
#pragma once

#include <filesystem>
#include <string>

namespace kv {

std::filesystem::path SysPath(const std::string& path);
std::string FromSysPath(const std::filesystem::path& path);

// A path as the host's bytes (UTF-8 here), and back. PathFromHostBytes is false when the
// program's paths cannot name the file (bytes that are no UTF-8, characters beyond the code
// page).
std::string HostPathBytes(const std::string& path);
bool PathFromHostBytes(const std::string& bytes, std::string& path);

bool FileExists(const std::string& path);  // a file (not a folder), links followed
bool DirectoryExists(const std::string& path);
// Whole-file reads and writes. Read returns false when the file cannot be opened or read.
bool ReadFileBytes(const std::string& path, std::string& bytes);
// Writes (truncating); false when the file cannot be created or the data not written whole.
bool WriteFileBytes(const std::string& path, const std::string& bytes);
bool CopyFileOverwrite(const std::string& from, const std::string& to);
bool DeleteFileIfExists(const std::string& path);
// Creates a folder with all missing levels; true when it exists afterwards.
bool ForceDirectories(const std::string& path);
// The host's path separator as a string ("/" on Linux, "\\" on Windows).
const std::string& PathDelim();
// The absolute form of path, in the program's code page.
std::string ExpandFileName(const std::string& path);
// The file address of a local path: "file://" + absolute path on Linux.
std::string FileUrl(const std::string& path);

}  // namespace kv
