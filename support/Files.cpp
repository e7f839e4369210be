#include "support/Files.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace kv {

namespace fs = std::filesystem;

bool FileExists(const THostPath& path) {
  std::error_code ec;
  return !path.IsEmpty() && fs::is_regular_file(path.Sys(), ec);
}

bool DirectoryExists(const THostPath& path) {
  std::error_code ec;
  return !path.IsEmpty() && fs::is_directory(path.Sys(), ec);
}

bool ReadFileBytes(const THostPath& path, std::string& bytes) {
  if (path.IsEmpty()) return false;
  std::FILE* f = std::fopen(path.Sys().c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  char buf[1 << 16];
  size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

bool WriteFileBytes(const THostPath& path, const std::string& bytes) {
  if (path.IsEmpty()) return false;
  std::FILE* f = std::fopen(path.Sys().c_str(), "wb");
  if (!f) return false;
  bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (std::fclose(f) == 0) && ok;
  return ok;
}

bool CopyFileOverwrite(const THostPath& from, const THostPath& to) {
  std::string bytes;
  return ReadFileBytes(from, bytes) && WriteFileBytes(to, bytes);
}

bool DeleteFileIfExists(const THostPath& path) {
  if (path.IsEmpty()) return false;
  std::error_code ec;
  return fs::remove(path.Sys(), ec) && !ec;
}

bool ForceDirectories(const THostPath& path) {
  if (path.IsEmpty()) return false;
  std::error_code ec;
  fs::create_directories(path.Sys(), ec);
  return fs::is_directory(path.Sys(), ec);
}

const std::string& PathDelim() {
#ifdef _WIN32
  static const std::string d = "\\";
#else
  static const std::string d = "/";
#endif
  return d;
}

THostPath ExpandFileName(const THostPath& path) {
  if (path.IsEmpty()) return path;
  std::error_code ec;
  const fs::path p = fs::absolute(path.Sys(), ec);
  if (ec) return path;
  return THostPath::FromSys(p.lexically_normal());
}

std::string FileUrl(const THostPath& path) {
  std::string bytes = ExpandFileName(path).Bytes();
#ifdef _WIN32
  for (char& c : bytes)
    if (c == '\\') c = '/';
  return "file:///" + PercentEncodedPath(bytes);
#else
  return "file://" + PercentEncodedPath(bytes);
#endif
}

}  // namespace kv
