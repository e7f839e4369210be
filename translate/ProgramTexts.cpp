#include "translate/ProgramTexts.h"

#include <stdexcept>

namespace kv {

namespace {

// Grouped by the window or layer that shows them; ids are "<Area>.<What>".
constexpr TProgramText kTexts[] = {
    // ---- Main window ----
    {"Main.HintBlockFormat", "Absatzformat", "Paragraph format"},
    {"Main.HintFontSize",
     "Schriftgr\xF6\xDF"
     "e",
     "Font size"},
    {"Main.HintFont", "Schriftart", "Font"},
    {"Main.HintUnderline", "Unterstrichen", "Underline"},
    {"Main.HintHtml", "HTML-Quelltext bearbeiten", "Edit the HTML source"},
    {"Main.HintPreview", "Vorschau im Browser", "Preview in the web browser"},

    // ---- Command line (printed to the terminal; %1 is the option or file as given) ----
    {"CommandLine.Usage",
     "Aufruf: kavelin [OPTION]... [--] [DATEI]\n"
     "Bearbeitet eine Internetseite. DATEI ist die Seite, die ge\xF6"
     "ffnet wird; ohne sie,\n"
     "oder wenn es sie nicht gibt, beginnt eine neue Seite ohne Namen.\n"
     "\n"
     "  -h, --help      diese Hilfe zeigen und beenden\n"
     "  -V, --version   die Version zeigen und beenden\n"
     "  --              alle weiteren Argumente sind Dateien, auch wenn sie mit \"-\" beginnen\n"
     "\n"
     "Qt und die Web-Engine nehmen ihre Einstellungen aus der Umgebung\n"
     "(QT_QPA_PLATFORM, QT_SCALE_FACTOR, QTWEBENGINE_CHROMIUM_FLAGS ...).\n",
     "Usage: kavelin [OPTION]... [--] [FILE]\n"
     "Edits a web page. FILE is the page to open; without it, or when it does not\n"
     "exist, a new untitled page begins.\n"
     "\n"
     "  -h, --help      show this help and end\n"
     "  -V, --version   show the version and end\n"
     "  --              every further argument is a file, also when it begins with \"-\"\n"
     "\n"
     "Qt and the web engine take their settings from the environment\n"
     "(QT_QPA_PLATFORM, QT_SCALE_FACTOR, QTWEBENGINE_CHROMIUM_FLAGS ...).\n"},
    {"CommandLine.BadOption",
     "kavelin: unbekannte Option \"%1\"\n"
     "Mehr mit \"kavelin --help\".\n",
     "kavelin: unknown option \"%1\"\n"
     "Try \"kavelin --help\".\n"},
    {"CommandLine.NoVersion", "kavelin: die Versionsdatei %1 ist nicht lesbar.\n",
     "kavelin: cannot read the version file %1.\n"},
};

}  // namespace

std::span<const TProgramText> ProgramTexts() {
  return kTexts;
}

std::string ProgramText(std::string_view id, int language) {
  for (const TProgramText& t : kTexts)
    if (t.Id == id) return std::string(language == 1 ? t.German : t.English);
  throw std::out_of_range("no program text " + std::string(id));
}

std::string ProgramText(std::string_view id, int language,
                        std::initializer_list<std::string_view> args) {
  return FillPlaceholders(ProgramText(id, language), args);
}

std::string FillPlaceholders(std::string_view pattern,
                             std::initializer_list<std::string_view> args) {
  std::string out;
  out.reserve(pattern.size());
  for (size_t i = 0; i < pattern.size(); ++i) {
    const char c = pattern[i];
    if (c == '%' && i + 1 < pattern.size() && pattern[i + 1] >= '1' && pattern[i + 1] <= '9') {
      const size_t n = static_cast<size_t>(pattern[i + 1] - '1');
      if (n < args.size()) out += *(args.begin() + n);
      ++i;
    } else {
      out += c;
    }
  }
  return out;
}

}  // namespace kv
