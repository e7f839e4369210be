// Directory and file-name parts of 8-bit path strings. The Windows style knows the backslash,
// the colon of a drive and the zero byte as separators; the POSIX style knows only "/".
#pragma once

#include <string>

namespace kv {

enum class TPathStyle { Windows, Posix };

// The style of the system the program runs on.
TPathStyle HostPathStyle();
// The separator character of a style.
char PathSeparator(TPathStyle style);

// The directory of a path. Windows: the text before the last backslash, colon or zero byte,
// keeping the backslash of a drive root ("C:\"); POSIX: the text before the last "/", keeping
// the root "/". Empty when the path has no separator.
std::string DirectoryOfPath(const std::string& path, TPathStyle style = HostPathStyle());

// The path with a separator at its end. Windows: a bare drive ("C:") gets one, other names
// shorter than three characters stay as they are; POSIX: any non-empty path that lacks it.
std::string WithTrailingBackslash(const std::string& path, TPathStyle style = HostPathStyle());

// The text after the last separator (Windows: also after a colon); the whole path when it has
// none.
std::string FileNamePart(const std::string& path, TPathStyle style = HostPathStyle());

}  // namespace kv
