// The user's own folders as the freedesktop conventions name them. Paths here are the host's
// bytes, as the environment and the file system hold them.
#pragma once

#include "support/HostPath.h"

namespace kv {

// $HOME, else the password database's home folder; empty when neither is known.
THostPath HomeDir();

// The folder an XDG variable names (XDG_CACHE_HOME, XDG_STATE_HOME ...), else home + fallback
// (".cache", ".local/state"). Relative values are invalid for these variables and ignored.
// Ends with "/"; empty when there is no home either.
THostPath XdgFolder(const char* variable, const char* homeFallback);

// mkdir -p in which every level this call creates gets mode 0700; true when path is a folder
// afterwards.
bool MakePrivateDirs(const THostPath& path);

}  // namespace kv
