// The formatting at the caret as the page last reported it. The page pushes its command values
// after every selection change, click and command; the toolbar reads them from here at once.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "engine/Variant.h"

namespace kv {

class TCommandState {
 public:
  // Forgets every value (a new document, the engine's process gone).
  void Clear() { FValues.clear(); }
  bool Empty() const { return FValues.empty(); }

  // Stores a value as the page reports it: truth values for Bold, Italic, Underline,
  // CreateLink and the Justify commands; the legacy size for FontSize; the CSS family list
  // for FontName; the CSS colour for ForeColor; the block's tag name ("p", "h2", "ol") for
  // FormatBlock. Names ignore letter case.
  void SetReported(const std::string& command, const TVariant& value);

  // The value as the window code expects it: FontSize 1 to 7 (0 when the page gave none),
  // FontName a single family without quotes, FormatBlock the display name in the language,
  // ForeColor 0x00BBGGRR. Null for a command the page has not reported.
  TVariant Value(const std::string& command, int language) const;

 private:
  std::map<std::string, TVariant> FValues;  // key: the command name in upper case
};

// "rgb(255, 0, 0)", "rgba(...)" or "#RRGGBB" as 0x00BBGGRR; nullopt for anything else.
std::optional<std::int64_t> CssColorToColor(std::string_view css);
// 0x00BBGGRR as "#RRGGBB".
std::string ColorToCssHex(std::int64_t color);
// The first family of a CSS font-family list, without quotes.
std::string FirstFontFamily(std::string_view families);
// The display name of a block format ("h1" -> "Heading 1" / "Überschrift 1", in Windows-1252).
std::string BlockFormatDisplayName(std::string_view tag, int language);

}  // namespace kv
