#include "app/core/CommandLine.h"

#include <ostream>
#include <string_view>

#include "platform/classes/Strings.h"
#include "support/Cp1252.h"
#include "support/Files.h"
#include "translate/ProgramTexts.h"

namespace kv {

namespace {

// Program texts are Windows-1252; a terminal reads UTF-8.
std::string TerminalText(std::string_view id, int language) {
  return Cp1252ToUtf8(ProgramText(id, language));
}

}  // namespace

TCommandLine ParseCommandLine(int argc, const char* const* argv) {
  TCommandLine line;
  bool optionsEnded = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i] ? argv[i] : "";
    if (optionsEnded || arg.size() < 2 || arg.front() != '-') {
      line.Files.push_back(THostPath::FromBytes(std::string(arg)));
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (line.Action != TStartAction::Run) continue;  // the first option decides
    if (arg == "--help" || arg == "-h") {
      line.Action = TStartAction::Help;
    } else if (arg == "--version" || arg == "-V") {
      line.Action = TStartAction::Version;
    } else {
      line.Action = TStartAction::BadOption;
      line.BadOption = arg;
    }
  }
  return line;
}

int TerminalLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
  for (const char* value : {lcAll, lcMessages, lang}) {
    if (!value || !*value) continue;
    const std::string_view v = value;
    return v.substr(0, 2) == "de" ? 1 : 2;
  }
  return 2;
}

std::optional<int> RunStartAction(const TCommandLine& line, const THostPath& programDir,
                                  int language, std::ostream& out, std::ostream& err) {
  switch (line.Action) {
    case TStartAction::Run:
      return std::nullopt;
    case TStartAction::Help:
      out << TerminalText("CommandLine.Usage", language);
      return 0;
    case TStartAction::Version: {
      const THostPath path = programDir + "Ver.ini";
      std::string bytes;
      TStringList ver;
      if (ReadFileBytes(path, bytes)) ver.SetText(bytes);
      if (ver.Count() > 0) {
        out << "KAVELIN " << Cp1252ToUtf8(ver.Get(0)) << '\n';
        return 0;
      }
      err << FillPlaceholders(TerminalText("CommandLine.NoVersion", language), {path.Bytes()});
      return 1;
    }
    case TStartAction::BadOption:
      err << FillPlaceholders(TerminalText("CommandLine.BadOption", language), {line.BadOption});
      return 2;
  }
  return std::nullopt;
}

}  // namespace kv
