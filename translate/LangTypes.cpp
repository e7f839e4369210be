#include "translate/LangTypes.h"

#include "platform/classes/Classes.h"

namespace kv {

namespace {
constexpr std::array<std::string_view, kSectionCount> kSectionNames = {
    "stCaptions",   "stHints",        "stDisplayLabels", "stFonts",
    "stMultiLines", "stDlgsCaptions", "stStrings",       "stOtherStrings",
    "stLocales",    "stCollections",  "stCharSets",      "stListView_TreeView_Items"};
constexpr std::string_view kUnicodeSuffix = "_Unicode";
}  // namespace

std::string_view SectionName(TStringsType type) {
  const int i = static_cast<int>(type);
  return (i >= 0 && i < kSectionCount) ? kSectionNames[i] : std::string_view();
}

std::optional<TStringsType> SectionFromHeader(std::string_view line, bool* unicode) {
  bool isUnicode = false;
  if (line.size() > kUnicodeSuffix.size() &&
      SameText(line.substr(line.size() - kUnicodeSuffix.size()), kUnicodeSuffix)) {
    for (int i = 0; i < kSectionCount; ++i)
      if (SameText(line.substr(0, line.size() - kUnicodeSuffix.size()), kSectionNames[i])) {
        if (unicode) *unicode = true;
        return static_cast<TStringsType>(i);
      }
  }
  for (int i = 0; i < kSectionCount; ++i)
    if (SameText(line, kSectionNames[i])) {
      if (unicode) *unicode = isUnicode;
      return static_cast<TStringsType>(i);
    }
  return std::nullopt;
}

const std::array<TCharsetName, 19>& CharsetNames() {
  static const std::array<TCharsetName, 19> names = {{{"ANSI_CHARSET", 0},
                                                      {"DEFAULT_CHARSET", 1},
                                                      {"SYMBOL_CHARSET", 2},
                                                      {"MAC_CHARSET", 77},
                                                      {"SHIFTJIS_CHARSET", 128},
                                                      {"HANGEUL_CHARSET", 129},
                                                      {"JOHAB_CHARSET", 130},
                                                      {"GB2312_CHARSET", 134},
                                                      {"CHINESEBIG5_CHARSET", 136},
                                                      {"GREEK_CHARSET", 161},
                                                      {"TURKISH_CHARSET", 162},
                                                      {"VIETNAMESE_CHARSET", 163},
                                                      {"HEBREW_CHARSET", 177},
                                                      {"ARABIC_CHARSET", 178},
                                                      {"BALTIC_CHARSET", 186},
                                                      {"RUSSIAN_CHARSET", 204},
                                                      {"THAI_CHARSET", 222},
                                                      {"EASTEUROPE_CHARSET", 238},
                                                      {"OEM_CHARSET", 255}}};
  return names;
}

std::optional<TFontCharset> CharsetFromName(std::string_view name, bool ignoreCase) {
  for (const TCharsetName& c : CharsetNames())
    if (ignoreCase ? SameText(name, c.Name) : name == c.Name) return c.Value;
  return std::nullopt;
}

}  // namespace kv
