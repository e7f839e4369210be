#include "app/core/RecentFiles.h"

#include <algorithm>

#include "app/core/SaveDocument.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"

namespace kv {

bool FitsRecentList(const THostPath& path) {
  return !path.IsEmpty() && path.Bytes().find_first_of("\r\n") == std::string::npos;
}

std::vector<THostPath> UpdatedRecentList(const THostPath& path, const std::vector<THostPath>& old) {
  std::vector<THostPath> list{path};
  for (const THostPath& entry : old)
    if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
  if (list.size() > RecentFileList::MaxEntries) list.resize(RecentFileList::MaxEntries);
  std::erase_if(
      list, [](const THostPath& entry) { return !FitsRecentList(entry) || !FileExists(entry); });
  return list;
}

std::vector<THostPath> ReadRecentList(const THostPath& appDir) {
  const THostPath pathsFile = appDir + RecentFileList::Paths;
  std::vector<THostPath> list;
  if (!FileExists(pathsFile)) return list;
  TStringList lines;
  lines.LoadFromFile(pathsFile);
  for (int i = 0; i < lines.Count(); ++i) list.push_back(THostPath::FromBytes(lines.StringRef(i)));
  return list;
}

void AddRecentFile(const THostPath& appDir, const THostPath& path) {
  const std::vector<THostPath> list = UpdatedRecentList(path, ReadRecentList(appDir));
  std::vector<std::string> paths, names;
  for (const THostPath& entry : list) {
    paths.push_back(entry.Bytes());
    names.push_back(entry.FileNameBytes());
  }
  WriteSavedPage(appDir + RecentFileList::Paths, paths);
  WriteSavedPage(appDir + RecentFileList::Names, names);
}

}  // namespace kv
