#include "support/Files.h"

#include <cstdio>
#include <fstream>
#include <system_error>

#include "support/Cp1252.h"

namespace kv {

namespace fs = std::filesystem;

fs::path SysPath(const std::string& path) {
#ifdef _WIN32
  return fs::path(Cp1252ToUtf16(path));
#else
  return fs::path(Cp1252ToUtf8(path));
#endif
}

std::string FromSysPath(const fs::path& path) {
#ifdef _WIN32
  return Utf16ToCp1252(path.u16string());
#else
  return Utf8ToCp1252(path.string());
#endif
}

std::string HostPathBytes(const std::string& path) {
  return SysPath(path).string();
}

bool PathFromHostBytes(const std::string& bytes, std::string& path) {
  bool lossless = false;
  path = Utf8ToCp1252(bytes, '?', &lossless);
  if (!lossless) path.clear();
  return lossless;
}

bool FileExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_regular_file(SysPath(path), ec);
}

bool DirectoryExists(const std::string& path) {
  std::error_code ec;
  return !path.empty() && fs::is_directory(SysPath(path), ec);
}

bool ReadFileBytes(const std::string& path, std::string& bytes) {
  std::FILE* f = std::fopen(SysPath(path).c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::FILE* f = std::fopen(SysPath(path).c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool CopyFileOverwrite(const std::string& from, const std::string& to) {
  std::string bytes;
  return ReadFileBytes(from, bytes) && WriteFileBytes(to, bytes);
}

bool DeleteFileIfExists(const std::string& path) {
  std::error_code ec;
  return fs::remove(SysPath(path), ec) && !ec;
}

bool ForceDirectories(const std::string& path) {
  if (path.empty()) return false;
  std::error_code ec;
  fs::create_directories(SysPath(path), ec);
  return fs::is_directory(SysPath(path), ec);
}

const std::string& PathDelim() {
#ifdef _WIN32
  static const std::string d = "\\";
#else
  static const std::string d = "/";
#endif
  return d;
}

std::string ExpandFileName(const std::string& path) {
  std::error_code ec;
  fs::path p = fs::absolute(SysPath(path), ec);
  if (ec) return path;
  return FromSysPath(p.lexically_normal());
}

std::string FileUrl(const std::string& path) {
#ifdef _WIN32
  std::string p = ExpandFileName(path);
  for (char& c : p)
    if (c == '\\') c = '/';
  return "file:///" + p;
#else
  return "file://" + ExpandFileName(path);
#endif
}

}  // namespace kv
