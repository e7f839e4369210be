#include "app/core/PageFileCheck.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "support/StringTools.h"

namespace kv {

namespace {

bool StartsWith(std::string_view head, std::string_view signature, size_t at = 0) {
  return head.size() >= at + signature.size() && head.substr(at, signature.size()) == signature;
}

uint32_t LittleEndian32(std::string_view head, size_t at) {
  uint32_t value = 0;
  for (size_t i = 0; i < 4; ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(head[at + i])) << (8 * i);
  return value;
}

bool IsPicture(std::string_view head) {
  using namespace std::string_view_literals;
  if (StartsWith(head, "\x89PNG\r\n\x1A\n"sv) || StartsWith(head, "\xFF\xD8\xFF"sv) ||
      StartsWith(head, "GIF87a"sv) || StartsWith(head, "GIF89a"sv) ||
      StartsWith(head, "\0\0\1\0"sv))
    return true;
  if (StartsWith(head, "RIFF"sv) && StartsWith(head, "WEBP"sv, 8)) return true;
  // "BM" alone begins ordinary text too; a bitmap also names a known header size at 14.
  if (StartsWith(head, "BM"sv) && head.size() >= 18) {
    const uint32_t header = LittleEndian32(head, 14);
    for (const uint32_t known : {12u, 40u, 52u, 56u, 64u, 108u, 124u})
      if (header == known) return true;
  }
  return false;
}

}  // namespace

TPageFileVerdict CheckPageFile(const THostPath& path) {
  if (path.IsEmpty()) return TPageFileVerdict::Missing;
  const std::string name = path.Sys().native();
  struct stat st {};
  if (::stat(name.c_str(), &st) != 0)
    return errno == ENOENT || errno == ENOTDIR ? TPageFileVerdict::Missing
                                               : TPageFileVerdict::Unreadable;
  if (S_ISDIR(st.st_mode)) return TPageFileVerdict::Folder;
  if (!S_ISREG(st.st_mode)) return TPageFileVerdict::Unreadable;
  if (static_cast<std::uintmax_t>(st.st_size) > MaxPageFileSize) return TPageFileVerdict::TooLarge;
  // O_NONBLOCK: should the file have become a pipe since the stat, opening must not wait.
  const int fd = ::open(name.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return TPageFileVerdict::Unreadable;
  std::string head(PageFileProbeSize, '\0');
  size_t got = 0;
  while (got < head.size()) {
    const ssize_t n = ::read(fd, head.data() + got, head.size() - got);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      ::close(fd);
      return TPageFileVerdict::Unreadable;
    }
    if (n == 0) break;
    got += static_cast<size_t>(n);
  }
  ::close(fd);
  head.resize(got);
  // A picture has NUL bytes too; it is named as what it is.
  if (IsPicture(head)) return TPageFileVerdict::Picture;
  if (head.find('\0') != std::string::npos) return TPageFileVerdict::Binary;
  return TPageFileVerdict::Ok;
}

bool HasPageFileExtension(const THostPath& path, std::string_view openFilter) {
  const auto lower = [](std::string text) {
    for (char& c : text)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
  };
  const std::string name = lower(path.FileNameBytes());
  const std::vector<std::string> parts = SplitNonEmpty(openFilter, '|');
  if (parts.size() < 2) return false;
  for (const std::string& pattern : SplitNonEmpty(parts[1], ';')) {
    if (pattern.size() < 3 || pattern.compare(0, 2, "*.") != 0) continue;
    const std::string ext = lower(pattern.substr(1));  // ".htm"
    if (name.size() > ext.size() && name.ends_with(ext)) return true;
  }
  return false;
}

std::string_view PageFileRefusalText(TPageFileVerdict verdict) {
  switch (verdict) {
    case TPageFileVerdict::Ok:
      return {};
    case TPageFileVerdict::Missing:
      return "PageFile.Missing";
    case TPageFileVerdict::Folder:
      return "PageFile.Folder";
    case TPageFileVerdict::Unreadable:
      return "PageFile.Unreadable";
    case TPageFileVerdict::TooLarge:
      return "PageFile.TooLarge";
    case TPageFileVerdict::Binary:
      return "PageFile.Binary";
    case TPageFileVerdict::Picture:
      return "PageFile.Picture";
  }
  return {};
}

}  // namespace kv
