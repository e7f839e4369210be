#include "support/UserFolders.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <string>

namespace kv {

namespace {

std::string EnvValue(const char* name) {
  const char* v = std::getenv(name);
  return v ? std::string(v) : std::string();
}

}  // namespace

THostPath HomeDir() {
  std::string home = EnvValue("HOME");
  if (!home.empty()) return THostPath::FromBytes(home);
  if (const passwd* pw = ::getpwuid(::getuid()); pw && pw->pw_dir)
    return THostPath::FromBytes(pw->pw_dir);
  return {};
}

THostPath XdgFolder(const char* variable, const char* homeFallback) {
  const std::string value = EnvValue(variable);
  if (!value.empty() && value.front() == '/')
    return THostPath::FromBytes(value).WithTrailingSeparator();
  const THostPath home = HomeDir();
  return home.IsEmpty() ? THostPath() : (home / homeFallback).WithTrailingSeparator();
}

bool MakePrivateDirs(const THostPath& dir) {
  const std::string& path = dir.Bytes();
  if (path.empty()) return false;
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  const size_t slash = path.find_last_of('/', path.size() > 1 ? path.size() - 2 : 0);
  if (slash != std::string::npos && slash > 0 &&
      !MakePrivateDirs(THostPath::FromBytes(path.substr(0, slash))))
    return false;
  if (::mkdir(path.c_str(), 0700) == 0) return true;
  return errno == EEXIST && ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

}  // namespace kv
