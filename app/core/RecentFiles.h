// The five most recently opened or saved pages, kept beside the program in two line lists:
// "historie.ini" (full paths, newest first) and "historiesmall.ini" (the file name of each).
#pragma once

#include <string>
#include <vector>

namespace kv {

namespace RecentFileList {
inline constexpr const char* Paths = "historie.ini";
inline constexpr const char* Names = "historiesmall.ini";
inline constexpr int MaxEntries = 5;
// Menu entry i carries FirstTag + i.
inline constexpr int FirstTag = 100;
}  // namespace RecentFileList

// The list once path was opened or saved: path, then the old entries not already in the list
// (bytes compared exactly, letter case counts); of its first five, those naming a file that
// exists now.
std::vector<std::string> UpdatedRecentList(const std::string& path,
                                           const std::vector<std::string>& old);

// Reads the list in appDir (none yet is an empty list), puts path at its top and writes both
// files, each whole and atomically. Throws the framework's file errors naming the file.
void AddRecentFile(const std::string& appDir, const std::string& path);

}  // namespace kv
