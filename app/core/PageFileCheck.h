// Whether a file a user chose can be opened as a page, decided before anything of the current
// page changes: a folder, a pipe, a picture or a huge file would otherwise be copied and handed
// to the web engine, which shows garbage or hangs.
#pragma once

#include <cstdint>
#include <string_view>

#include "support/HostPath.h"

namespace kv {

enum class TPageFileVerdict { Ok, Missing, Folder, Unreadable, TooLarge, Binary, Picture };

// Larger files are no page anyone edits here; the engine would take minutes over them.
inline constexpr std::uintmax_t MaxPageFileSize = 64ull * 1024 * 1024;
// How much of the start is looked at for NUL bytes and picture signatures.
inline constexpr std::size_t PageFileProbeSize = 4096;

// Links are followed. Unreadable also covers pipes, sockets and devices, which are no files to
// copy.
TPageFileVerdict CheckPageFile(const THostPath& path);

// True for the names the open dialog offers as pages: those matching a pattern ("*.htm") of its
// filter's first entry ("HTML-Dateien|*.htm;*.html|Alle Dateien|*.*"), letter case ignored.
bool HasPageFileExtension(const THostPath& path, std::string_view openFilter);

// The program text (one "%1" for the file's name) that explains the refusal; empty for Ok.
std::string_view PageFileRefusalText(TPageFileVerdict verdict);

}  // namespace kv
