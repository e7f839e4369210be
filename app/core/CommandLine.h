// The program's command line: the options that end the program before any window exists
// (help, version, a mistyped option) and the file to open. Arguments are the host's bytes as
// the system hands them over; nothing here decodes them.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "support/HostPath.h"

namespace kv {

enum class TStartAction { Run, Help, Version, BadOption };

struct TCommandLine {
  TStartAction Action = TStartAction::Run;
  // The file arguments in their order (the first one is opened), byte for byte.
  std::vector<THostPath> Files;
  // The first argument that looked like an option but is none of ours.
  std::string BadOption;
};

// Reads argv[1..argc-1]. Options may stand anywhere before "--"; everything after "--", and a
// lone "-", is a file. The first option decides: help, version, or a bad option.
TCommandLine ParseCommandLine(int argc, const char* const* argv);

// The language for terminal output, from the locale variables in their order of precedence
// (LC_ALL, LC_MESSAGES, LANG; a null or empty value is skipped): 1 German for "de...", else 2.
int TerminalLanguage(const char* lcAll, const char* lcMessages, const char* lang);

// Carries out the actions that end the program before any window: prints the usage text or
// the version (from "Ver.ini" in programDir, a host path ending with "/") to out, or an error
// to err, in UTF-8, and returns the exit status (0, or 1 when Ver.ini cannot be read, or 2 for
// a bad option). nullopt for Run: the program starts.
std::optional<int> RunStartAction(const TCommandLine& line, const THostPath& programDir,
                                  int language, std::ostream& out, std::ostream& err);

}  // namespace kv
