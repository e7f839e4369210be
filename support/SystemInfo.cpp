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

// kavelin/ in the folder the XDG variable xdgName names (else ~/fallback), made private; empty
// when there is no such folder and none can be made.
std::string PrivateProgramDir(const char* xdgName, const char* fallback) {
  const std::string base = XdgFolder(xdgName, fallback);
  if (base.empty()) return {};
  const std::string dir = base + "kavelin/";
  if (!MakePrivateDirs(dir.substr(0, dir.size() - 1))) return {};
  return Utf8ToCp1252(dir);
}

}  // namespace

std::string QueryTempDir() {
  try {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return Utf8ToCp1252(WithSlash(tmp));
    return PrivateProgramDir("XDG_CACHE_HOME", ".cache");
  } catch (...) {
    return {};
  }
}

std::string QueryConfigDir() {
  try {
    return PrivateProgramDir("XDG_CONFIG_HOME", ".config");
  } catch (...) {
    return {};
  }
}

std::string RunningProgramPath() {
  std::string path(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      return path;
    }
    path.resize(path.size() * 2);
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
