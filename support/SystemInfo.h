// The system information the program asks for once at start-up: the user's temporary
// directory, where an untitled page is kept until it is saved elsewhere.
#pragma once

#include "support/HostPath.h"

namespace kv {

class TWindowsInfo {
 public:
  // Reads the values now; they are not refreshed later.
  TWindowsInfo();

  // Ends with the path separator, or is empty when no usable folder could be found or made.
  // $TMPDIR when it is set; otherwise a private per-user folder that survives a reboot,
  // $XDG_CACHE_HOME/kavelin/ (by default ~/.cache/kavelin/), created with mode 0700.
  const THostPath& TempDir() const { return tempDir_; }

 private:
  THostPath tempDir_;
};

// The one instance, created before any window and freed after the last one.
void CreateWindowsInfo();
void FreeWindowsInfo();
// Null outside the time between CreateWindowsInfo and FreeWindowsInfo.
TWindowsInfo* WindowsInfo();

// The temporary directory as TWindowsInfo finds it, for callers that want no global.
THostPath QueryTempDir();

// The user's settings folder for this program, ending with the path separator:
// $XDG_CONFIG_HOME/kavelin/ (by default ~/.config/kavelin/), created with mode 0700 when
// missing. Empty when it cannot be found or made.
THostPath QueryConfigDir();

// The running program's file as the system reports it, symbolic links resolved, in the host's
// bytes; empty when the system does not say.
THostPath RunningProgramPath();

}  // namespace kv
