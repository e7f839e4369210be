// Where the program keeps the settings it writes ("Language.ini", "historie.ini",
// "historiesmall.ini"): beside itself when it may write there, as a copy unpacked into a
// folder of the user's has it; else, for an installed copy, in the user's settings folder.
#pragma once

#include <functional>
#include <string>

#include "support/HostPath.h"

namespace kv {

// The name of the file whose creation tells whether the program folder is writable.
inline constexpr const char* SettingsTrialFile = ".kavelin-write-test";

// True when a file can be created in dir (a folder path ending with the separator): the trial
// file is created and removed again. Permission bits alone do not decide, since they stop no
// administrator; a read-only file system, a full disk or a folder where the trial file would
// go all count as "not writable".
bool CanCreateFileIn(const THostPath& dir);

// programDir when a file can be created there; else userDir() (the user's settings folder),
// or programDir again when userDir() has none to offer, so the files' errors still name a
// place. Asked once when the main window is created.
THostPath ChooseSettingsDir(const THostPath& programDir, const std::function<THostPath()>& userDir);

}  // namespace kv
