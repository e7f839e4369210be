// A file path as the host names it: the bytes the file system takes (UTF-8 on Linux, but any
// byte sequence a name may hold). Page text is Windows-1252; a path is not, and its own type
// keeps the two apart, so handing one where the other belongs does not compile.
#pragma once

#include <compare>
#include <filesystem>
#include <string>
#include <string_view>

namespace kv {

class THostPath {
 public:
  THostPath() = default;
  // The bytes as the system hands them over (argv, a directory listing, $TMPDIR).
  static THostPath FromBytes(std::string bytes);
  static THostPath FromSys(const std::filesystem::path& path);

  const std::string& Bytes() const { return FBytes; }
  // For the system calls.
  std::filesystem::path Sys() const;
  bool IsEmpty() const { return FBytes.empty(); }

  // The folder part: the text before the last "/", the root keeping its slash; empty when
  // the path has no separator.
  THostPath Directory() const;
  // The last name (after the last separator); the whole path when it has none.
  std::string FileNameBytes() const;
  // The path with a separator at its end (an empty path stays empty).
  THostPath WithTrailingSeparator() const;
  // name appended to the path, with a separator between them when one is missing.
  THostPath operator/(std::string_view name) const;
  // Appends bytes as they are ("page" + ".html").
  THostPath operator+(std::string_view bytes) const;
  // The absolute form, relative to the current folder; "." and ".." are kept as written.
  THostPath Absolute() const;

  friend bool operator==(const THostPath&, const THostPath&) = default;
  friend auto operator<=>(const THostPath&, const THostPath&) = default;

 private:
  explicit THostPath(std::string bytes) : FBytes(std::move(bytes)) {}
  std::string FBytes;
};

// The path as Unicode text for a person to read (captions, menus, messages): UTF-8 decoded,
// a byte that starts no valid sequence shown as U+FFFD. Never used to name a file again.
std::u32string PathForDisplay(const THostPath& path);
// The path as page text, as the page serialiser writes text: Windows-1252, every other
// character as a decimal character reference ("&#321;"), an undecodable byte as U+FFFD's.
std::string PathAsPageText(const THostPath& path);
// The address a page holds for a local file (a picture put into it), as Unicode text that the
// page serialiser then writes as page text: "file://" + the absolute path's characters, or,
// when the bytes are no UTF-8 or hold "%", "#" or "?" (which a browser would read as an
// escape, a fragment or a query), the percent-encoded file address.
std::u32string FileAddressForPage(const THostPath& path);
// The path inside a message (page text that is shown through DecodeCharacterReferences): as
// PathAsPageText, with "&" as "&amp;", so that a name holding "&#321;" literally is shown as
// it is and not as the letter.
std::string PathInMessage(const THostPath& path);
// The bytes a file address holds as they are: unreserved ASCII (letters, digits, "-._~") and "/".
bool IsUnreservedOrSlash(unsigned char c);
// Path bytes as a browser writes them in a file address: every other byte as %XX.
std::string PercentEncodedPath(std::string_view bytes);
// True when the bytes are valid UTF-8 (what the web engine and a file address can name as
// characters).
bool IsValidUtf8(std::string_view bytes);

}  // namespace kv
