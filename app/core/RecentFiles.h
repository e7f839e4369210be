// The five most recently opened or saved pages, kept beside the program in two line lists:
// "historie.ini" (full paths, newest first) and "historiesmall.ini" (the file name of each).
#pragma once

#include <string>
#include <vector>

#include "support/HostPath.h"

namespace kv {

namespace RecentFileList {
inline constexpr const char* Paths = "historie.ini";
inline constexpr const char* Names = "historiesmall.ini";
inline constexpr int MaxEntries = 5;
// Menu entry i carries FirstTag + i.
inline constexpr int FirstTag = 100;
}  // namespace RecentFileList

// The lists hold the paths as the host's bytes, byte for byte; only a person's view of them is
// decoded. A path holding a line break cannot be a line of such a list and is left out.
bool FitsRecentList(const THostPath& path);

// The list once path was opened or saved: path, then the old entries not already in the list
// (bytes compared exactly, letter case counts); of its first five, those naming a file that
// exists now and fit the list.
std::vector<THostPath> UpdatedRecentList(const THostPath& path, const std::vector<THostPath>& old);

// Reads the list in appDir (none yet is an empty list), puts path at its top and writes both
// files, each whole and atomically. Throws the framework's file errors naming the file.
void AddRecentFile(const THostPath& appDir, const THostPath& path);

// The paths of the list in appDir, newest first; empty when there is none.
std::vector<THostPath> ReadRecentList(const THostPath& appDir);

}  // namespace kv
