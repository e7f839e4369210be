#include "support/Paths.h"

namespace kv {

TPathStyle HostPathStyle() {
#ifdef _WIN32
  return TPathStyle::Windows;
#else
  return TPathStyle::Posix;
#endif
}

char PathSeparator(TPathStyle style) {
  return style == TPathStyle::Windows ? '\\' : '/';
}

namespace {

bool IsWindowsDirEnd(char c) {
  return c == '\\' || c == ':' || c == '\0';
}

}  // namespace

std::string DirectoryOfPath(const std::string& path, TPathStyle style) {
  if (style == TPathStyle::Posix) {
    const size_t p = path.rfind('/');
    if (p == std::string::npos) return {};
    // The root keeps its slash: the directory of "/x" is "/", not the empty string.
    if (p == 0) return "/";
    return path.substr(0, p);
  }
  size_t p = path.size();
  while (p > 0 && !IsWindowsDirEnd(path[p - 1])) --p;
  if (p == 0) return {};
  // From here p is the 1-based position of the separator.
  if (p == 1) return path.substr(0, 1);
  if (path[p - 1] == '\\' && path[p - 2] == ':') return path.substr(0, p);
  if (path[p - 1] == '\\') return path.substr(0, p - 1);
  return path.substr(0, p);
}

std::string WithTrailingBackslash(const std::string& path, TPathStyle style) {
  if (path.empty()) return path;
  if (style == TPathStyle::Posix) return path.back() == '/' ? path : path + '/';
  if (path.size() == 2 && path[1] == ':') return path + '\\';
  if (path.size() < 3 || path.back() == '\\') return path;
  return path + '\\';
}

std::string FileNamePart(const std::string& path, TPathStyle style) {
  const size_t p = style == TPathStyle::Posix ? path.rfind('/') : path.find_last_of("\\:");
  return p == std::string::npos ? path : path.substr(p + 1);
}

}  // namespace kv
