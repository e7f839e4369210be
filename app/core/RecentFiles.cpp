#include "app/core/RecentFiles.h"

#include <algorithm>

#include "app/core/SaveDocument.h"
#include "platform/classes/Strings.h"
#include "support/Files.h"
#include "support/Paths.h"

namespace kv {

std::vector<std::string> UpdatedRecentList(const std::string& path,
                                           const std::vector<std::string>& old) {
  std::vector<std::string> list{path};
  for (const std::string& entry : old)
    if (std::find(list.begin(), list.end(), entry) == list.end()) list.push_back(entry);
  if (list.size() > RecentFileList::MaxEntries) list.resize(RecentFileList::MaxEntries);
  std::erase_if(list, [](const std::string& entry) { return !FileExists(entry); });
  return list;
}

void AddRecentFile(const std::string& appDir, const std::string& path) {
  const std::string pathsFile = appDir + RecentFileList::Paths;
  std::vector<std::string> old;
  if (FileExists(pathsFile)) {
    TStringList lines;
    lines.LoadFromFile(pathsFile);
    for (int i = 0; i < lines.Count(); ++i) old.push_back(lines.StringRef(i));
  }
  const std::vector<std::string> list = UpdatedRecentList(path, old);
  std::vector<std::string> names;
  for (const std::string& entry : list) names.push_back(FileNamePart(entry));
  WriteSavedPage(pathsFile, list);
  WriteSavedPage(appDir + RecentFileList::Names, names);
}

}  // namespace kv
