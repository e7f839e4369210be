#include "support/SystemInfo.h"

#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "support/UserFolders.h"

namespace kv {

namespace {

std::unique_ptr<TWindowsInfo>& Instance() {
  static std::unique_ptr<TWindowsInfo> instance;
  return instance;
}

// kavelin/ in the folder the XDG variable xdgName names (else ~/fallback), made private; empty
// when there is no such folder and none can be made.
THostPath PrivateProgramDir(const char* xdgName, const char* fallback) {
  const THostPath base = XdgFolder(xdgName, fallback);
  if (base.IsEmpty()) return {};
  if (!MakePrivateDirs(base / "kavelin")) return {};
  return base / "kavelin/";
}

}  // namespace

THostPath QueryTempDir() {
  try {
    const char* tmp = std::getenv("TMPDIR");
    if (tmp && *tmp) return THostPath::FromBytes(tmp).WithTrailingSeparator();
    return PrivateProgramDir("XDG_CACHE_HOME", ".cache");
  } catch (...) {
    return {};
  }
}

THostPath QueryConfigDir() {
  try {
    return PrivateProgramDir("XDG_CONFIG_HOME", ".config");
  } catch (...) {
    return {};
  }
}

THostPath RunningProgramPath() {
  std::string path(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", path.data(), path.size());
    if (n < 0) return {};
    if (static_cast<size_t>(n) < path.size()) {
      path.resize(static_cast<size_t>(n));
      return THostPath::FromBytes(std::move(path));
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
