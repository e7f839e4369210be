// Shared vocabulary of the translation layer: the table kinds (sections) in their stored order,
// the character-set names the tables use, the subsystem's error class and its event types.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "platform/classes/Exception.h"
#include "platform/classes/Graphics.h"

namespace kv {

class TObject;

// The order is the order of the stored stream and of the section numbers used elsewhere.
enum TStringsType : int {
  stCaptions,
  stHints,
  stDisplayLabels,
  stFonts,
  stMultiLines,
  stDlgsCaptions,
  stStrings,
  stOtherStrings,
  stLocales,
  stCollections,
  stCharSets,
  stListView_TreeView_Items
};
constexpr int kSectionCount = 12;
// Sections that have a table of their own (all but the list/tree view items).
constexpr int kTableCount = 11;

// "stCaptions" ... "stListView_TreeView_Items": the header lines of the stored stream.
std::string_view SectionName(TStringsType type);
// Header recognition ignores letter case and accepts the "_Unicode" suffix.
std::optional<TStringsType> SectionFromHeader(std::string_view line, bool* unicode = nullptr);

enum class TTranslateType { ttNoChange, ttGetDefault };

// The 19 character-set names of the tables, ANSI first, OEM last; lookups stop at the first match.
struct TCharsetName {
  const char* Name;
  TFontCharset Value;
};
const std::array<TCharsetName, 19>& CharsetNames();
std::optional<TFontCharset> CharsetFromName(std::string_view name, bool ignoreCase);

class ELanguageError : public Exception {
 public:
  using Exception::Exception;
};

class TCustomTranslator;
using TLanguageChangingEvent =
    std::function<void(TObject* sender, int newLanguage, bool& allowChange)>;
using TLinkToDispatcherEvent = std::function<void(TObject* sender, TCustomTranslator* translator)>;

}  // namespace kv
