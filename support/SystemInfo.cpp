#include "support/SystemInfo.h"

#include <cstdlib>
#include <memory>

#include "support/Cp1252.h"
#include "support/UserFolders.h"

namespace kv {

namespace {

std::unique_ptr<TWindowsInfo>& Instance() {
  static std::unique_ptr<TWindowsInfo> instance;
  return instance;
}

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

}  // namespace

std::string QueryTempDir() {
  try {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return Utf8ToCp1252(WithSlash(tmp));
    const std::string cache = XdgFolder("XDG_CACHE_HOME", ".cache");
    if (cache.empty()) return {};
    const std::string dir = cache + "kavelin/";
    if (!MakePrivateDirs(dir.substr(0, dir.size() - 1))) return {};
    return Utf8ToCp1252(dir);
  } catch (...) {
    return {};
  }
}

TWindowsInfo::TWindowsInfo() : tempDir_(QueryTempDir()) {}

void CreateWindowsInfo() {
  if (!Instance()) Instance() = std::make_unique<TWindowsInfo>();
}

void FreeWindowsInfo() {
  Instance().reset();
}

TWindowsInfo* WindowsInfo() {
  return Instance().get();
}

}  // namespace kv
