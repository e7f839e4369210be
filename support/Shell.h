// Handing a file or an address to the desktop: first the desktop's opener, and when that cannot
// be started, the default web browser with the file address. Programs are started detached: the
// editor never waits for them and leaves no zombie processes behind.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "support/HostPath.h"

namespace kv {

// Starts a program (argv[0], looked up on PATH unless it holds a "/") with the arguments as the
// host's bytes; true when it was started. Tests replace it to see the calls without starting
// anything.
using TProcessLauncher = std::function<bool(const std::vector<std::string>& argv)>;

// Installs a launcher (an empty one restores the real one); returns the previous launcher.
TProcessLauncher SetProcessLauncher(TProcessLauncher launcher);
// The real launcher: double fork, exec reported back through a close-on-exec pipe.
bool LaunchDetached(const std::vector<std::string>& argv);

// Opens a file with the desktop's opener "xdg-open". When the opener cannot be started, falls
// back to OpenInDefaultBrowser with a double quote followed by the file's address. True when one
// of the programs was started.
bool OpenWithShell(const THostPath& file);
// The same for an address (web, mail) given as page text; it reaches the programs as UTF-8.
bool OpenWithShell(const std::string& address);

// Starts the default web browser with argument (page text), given in the shape of a command line (a
// leading double quote and a closing one, when present, are taken off). The browser is the first
// entry of $BROWSER that can be started ("%s" stands for the argument), else "x-www-browser"; when
// none can be started the argument itself goes to the desktop's opener.
void OpenInDefaultBrowser(const std::string& argument);

}  // namespace kv
