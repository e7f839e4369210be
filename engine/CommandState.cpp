#include "engine/CommandState.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <vector>

#include "engine/WebEngine.h"
#include "support/AnsiCase.h"

namespace kv {

namespace {

std::string_view Trim(std::string_view s) {
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
  while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
  return s;
}

bool ParseChannel(std::string_view text, int& value) {
  text = Trim(text);
  double number = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (ec != std::errc()) return false;
  std::string_view rest = Trim(std::string_view(ptr, text.data() + text.size() - ptr));
  if (rest == "%")
    number = number * 255.0 / 100.0;
  else if (!rest.empty())
    return false;
  value = number < 0 ? 0 : number > 255 ? 255 : static_cast<int>(number + 0.5);
  return true;
}

}  // namespace

std::optional<std::int64_t> CssColorToColor(std::string_view css) {
  css = Trim(css);
  int r = 0, g = 0, b = 0;
  if (!css.empty() && css.front() == '#') {
    std::string_view hex = css.substr(1);
    unsigned value = 0;
    auto [ptr, ec] = std::from_chars(hex.data(), hex.data() + hex.size(), value, 16);
    if (ec != std::errc() || ptr != hex.data() + hex.size()) return std::nullopt;
    if (hex.size() == 6) {
      r = (value >> 16) & 0xFF, g = (value >> 8) & 0xFF, b = value & 0xFF;
    } else if (hex.size() == 3) {
      r = ((value >> 8) & 0xF) * 17, g = ((value >> 4) & 0xF) * 17, b = (value & 0xF) * 17;
    } else {
      return std::nullopt;
    }
  } else {
    std::string lower = LowerCaseAscii(css);
    std::size_t open = lower.find('('), close = lower.rfind(')');
    std::string_view fn = Trim(std::string_view(lower).substr(0, open));
    if (open == std::string::npos || close == std::string::npos || close < open ||
        (fn != "rgb" && fn != "rgba"))
      return std::nullopt;
    // Commas, blanks and the alpha's slash all separate: "rgb(1, 2, 3)", "rgb(1 2 3 / 50%)".
    std::string inner = lower.substr(open + 1, close - open - 1);
    for (char& c : inner)
      if (c == ',' || c == '/' || c == '\t') c = ' ';
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while ((start = inner.find_first_not_of(' ', start)) != std::string::npos) {
      std::size_t end = std::min(inner.find(' ', start), inner.size());
      parts.push_back(std::string_view(inner).substr(start, end - start));
      start = end;
    }
    if (parts.size() < 3 || !ParseChannel(parts[0], r) || !ParseChannel(parts[1], g) ||
        !ParseChannel(parts[2], b))
      return std::nullopt;
  }
  return static_cast<std::int64_t>(r) | (static_cast<std::int64_t>(g) << 8) |
         (static_cast<std::int64_t>(b) << 16);
}

std::string ColorToCssHex(std::int64_t color) {
  static const char kDigits[] = "0123456789abcdef";
  const int channels[3] = {static_cast<int>(color & 0xFF), static_cast<int>((color >> 8) & 0xFF),
                           static_cast<int>((color >> 16) & 0xFF)};
  std::string hex = "#";
  for (int c : channels) {
    hex += kDigits[c >> 4];
    hex += kDigits[c & 0xF];
  }
  return hex;
}

std::string FirstFontFamily(std::string_view families) {
  std::string_view first = families.substr(0, families.find(','));
  first = Trim(first);
  if (first.size() >= 2 && (first.front() == '"' || first.front() == '\'') &&
      first.back() == first.front())
    first = Trim(first.substr(1, first.size() - 2));
  return std::string(first);
}

std::string BlockFormatDisplayName(std::string_view tag, int language) {
  const bool german = language == EngineLanguageGerman;
  std::string t = LowerCaseAscii(tag);
  if (t.size() == 2 && t[0] == 'h' && t[1] >= '1' && t[1] <= '6')
    return (german ? "\xDC"
                     "berschrift "
                   : "Heading ") +
           t.substr(1);
  if (t == "ol") return german ? "Nummerierte Liste" : "Numbered List";
  if (t == "ul") return german ? "Aufz\xE4hlung" : "Bulleted List";
  if (t == "pre") return german ? "Formatiert" : "Formatted";
  if (t == "address") return german ? "Adresse" : "Address";
  return "Normal";
}

void TCommandState::SetReported(const std::string& command, const TVariant& value) {
  FValues[UpperCaseAscii(command)] = value;
}

TVariant TCommandState::Value(const std::string& command, int language) const {
  const std::string key = UpperCaseAscii(command);
  auto it = FValues.find(key);
  if (it == FValues.end() || it->second.IsNull()) return TVariant();
  const TVariant& reported = it->second;
  if (key == "FONTSIZE") {
    // The page reports an empty text for a mixed or unusual size: no size to select, but no
    // failure either.
    std::int64_t size = 0;
    try {
      size = reported.AsInteger();
    } catch (const EVariantError&) {
      size = 0;
    }
    return TVariant(size);
  }
  if (key == "FONTNAME") return TVariant(FirstFontFamily(reported.AsString()));
  if (key == "FORMATBLOCK") return TVariant(BlockFormatDisplayName(reported.AsString(), language));
  if (key == "FORECOLOR") {
    if (reported.Kind() == TVariant::TKind::Integer) return reported;
    auto color = CssColorToColor(reported.AsString());
    return color ? TVariant(*color) : TVariant();
  }
  return reported;
}

}  // namespace kv
