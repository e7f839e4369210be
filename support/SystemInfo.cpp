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

}  // namespace

std::string QueryTempDir() {
  try {
    const std::string tmp = EnvValue("TMPDIR");
    if (!tmp.empty()) return Utf8ToCp1252(WithSlash(tmp));
    std::string cache = EnvValue("XDG_CACHE_HOME");
    // Relative values are invalid for the XDG variables and are ignored.
    if (cache.empty() || cache.front() != '/') {
      const std::string home = HomeDir();
      if (home.empty()) return {};
      cache = WithSlash(home) + ".cache";
    }
    const std::string dir = WithSlash(cache) + "kavelin/";
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
