#include "support/HostPath.h"

#include <system_error>

#include "support/Cp1252.h"

namespace kv {

namespace fs = std::filesystem;

THostPath THostPath::FromBytes(std::string bytes) {
  return THostPath(std::move(bytes));
}

THostPath THostPath::FromSys(const fs::path& path) {
#ifdef _WIN32
  return THostPath(path.u8string());
#else
  return THostPath(path.native());
#endif
}

fs::path THostPath::Sys() const {
#ifdef _WIN32
  return fs::path(std::u8string(FBytes.begin(), FBytes.end()));
#else
  return fs::path(FBytes);
#endif
}

THostPath THostPath::Directory() const {
  const size_t p = FBytes.rfind('/');
  if (p == std::string::npos) return {};
  if (p == 0) return THostPath("/");
  return THostPath(FBytes.substr(0, p));
}

std::string THostPath::FileNameBytes() const {
  const size_t p = FBytes.rfind('/');
  return p == std::string::npos ? FBytes : FBytes.substr(p + 1);
}

THostPath THostPath::WithTrailingSeparator() const {
  if (FBytes.empty() || FBytes.back() == '/') return *this;
  return THostPath(FBytes + '/');
}

THostPath THostPath::operator/(std::string_view name) const {
  if (FBytes.empty()) return THostPath(std::string(name));
  std::string out = WithTrailingSeparator().FBytes;
  out.append(name);
  return THostPath(std::move(out));
}

THostPath THostPath::operator+(std::string_view bytes) const {
  return THostPath(FBytes + std::string(bytes));
}

THostPath THostPath::Absolute() const {
  if (FBytes.empty() || FBytes.front() == '/') return *this;
  std::error_code ec;
  const fs::path here = fs::current_path(ec);
  if (ec) return *this;
  return FromSys(here) / FBytes;
}

std::u32string PathForDisplay(const THostPath& path) {
  return DecodeUtf8(path.Bytes());
}

std::string PathAsPageText(const THostPath& path) {
  return Utf8ToPageText(path.Bytes());
}

std::u32string FileAddressForPage(const THostPath& path) {
  const THostPath absolute = path.Absolute();
  const std::string& bytes = absolute.Bytes();
  std::u32string out = U"file://";
  if (!IsValidUtf8(bytes) || bytes.find_first_of("%#?") != std::string::npos) {
    for (const char c : PercentEncodedPath(bytes)) out += static_cast<char32_t>(c);
    return out;
  }
  return out + DecodeUtf8(bytes);
}

bool IsUnreservedOrSlash(unsigned char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
         c == '.' || c == '_' || c == '~' || c == '/';
}

std::string PercentEncodedPath(std::string_view bytes) {
  static const char* const hex = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size());
  for (const unsigned char c : bytes) {
    if (IsUnreservedOrSlash(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += hex[c >> 4];
      out += hex[c & 15];
    }
  }
  return out;
}

std::string PathInMessage(const THostPath& path) {
  std::string out;
  for (char32_t c : DecodeUtf8(path.Bytes()))
    out += c == U'&' ? std::string("&amp;") : PageCharacter(c);
  return out;
}

bool IsValidUtf8(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size();) {
    const size_t at = i;
    if (DecodeUtf8At(bytes, i) == 0xFFFD) {
      // U+FFFD itself is three valid bytes; a decoding failure moves one byte.
      if (i - at != 3) return false;
    }
  }
  return true;
}

}  // namespace kv
