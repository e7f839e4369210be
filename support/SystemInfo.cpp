#include "support/SystemInfo.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <memory>

#include "support/Cp1252.h"

namespace kv {

namespace {

std::unique_ptr<TWindowsInfo>& Instance() {
  static std::unique_ptr<TWindowsInfo> instance;
  return instance;
}

std::string EnvValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

std::string HomeDir() {
  std::string home = EnvValue("HOME");
  if (!home.empty()) return home;
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir) return pw->pw_dir;
  return {};
}

// mkdir -p in which every level this call creates gets mode 0700; true when path is a folder
// afterwards.
bool MakePrivateDirs(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
  if (slash != std::string::npos && slash > 0 && !MakePrivateDirs(path.substr(0, slash)))
    return false;
  if (::mkdir(path.c_str(), 0700) == 0) return true;
  return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::string WithSlash(std::string path) {
  if (!path.empty() && path.back() != '/') path += '/';
  return path;
}

// base/kavelin/ made private, where base is the absolute value of the XDG variable xdgName or
// else ~/fallback; empty when there is no such folder and none can be made.
std::string PrivateProgramDir(const char* xdgName, const char* fallback) {
  std::string base = EnvValue(xdgName);
  // Relative values are invalid for the XDG variables and are ignored.
  if (base.empty() || base.front() != '/') {
    const std::string home = HomeDir();
    if (home.empty()) return {};
    base = WithSlash(home) + fallback;
  }
  const std::string dir = WithSlash(base) + "kavelin/";
  if (!MakePrivateDirs(dir.substr(0, dir.size() - 1))) return {};
  return Utf8ToCp1252(dir);
}

}  // namespace

std::string QueryTempDir() {
  try {
    const std::string tmp = EnvValue("TMPDIR");
    if (!tmp.empty()) return Utf8ToCp1252(WithSlash(tmp));
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
