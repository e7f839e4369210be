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
