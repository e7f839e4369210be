#include "translate/LangLocales.h"

#include "platform/classes/Strings.h"

namespace kv {

TFormatSettings& FormatSettings() {
  static TFormatSettings settings;
  return settings;
}

const std::array<std::string_view, 15>& LocaleKeys() {
  static const std::array<std::string_view, 15> keys = {
      "Currency String",   "Thousand Separator", "Decimal Separator", "Date Separator",
      "Short Date Format", "Long Date Format",   "Time Separator",    "Time AM String",
      "Time PM String",    "Short Time Format",  "Long Time Format",  "Short Month Names",
      "Long Month Names",  "Short Day Names",    "Long Day Names"};
  return keys;
}

namespace {
template <size_t N>
void SetNames(std::array<std::string, N>& names, const std::string& cell) {
  TStringList items;
  items.SetCommaText(cell);
  for (int i = 0; i < items.Count() && i < static_cast<int>(N); ++i) names[i] = items.Get(i);
}
template <size_t N>
std::string NamesText(const std::array<std::string, N>& names) {
  TStringList items;
  for (const std::string& n : names) items.Add(n);
  return items.GetCommaText();
}
}  // namespace

bool ApplyLocaleCell(TFormatSettings& s, std::string_view key, const std::string& cell) {
  if (cell.empty()) return false;
  const auto& keys = LocaleKeys();
  int index = -1;
  for (int i = 0; i < 15; ++i)
    if (keys[i] == key) index = i;
  switch (index) {
    case 0:
      s.CurrencyString = cell;
      break;
    case 1:
      s.ThousandSeparator = cell[0];
      break;
    case 2:
      s.DecimalSeparator = cell[0];
      break;
    case 3:
      s.DateSeparator = cell[0];
      break;
    case 4:
      s.ShortDateFormat = cell;
      break;
    case 5:
      s.LongDateFormat = cell;
      break;
    case 6:
      s.TimeSeparator = cell[0];
      break;
    case 7:
      s.TimeAMString = cell;
      break;
    case 8:
      s.TimePMString = cell;
      break;
    case 9:
      s.ShortTimeFormat = cell;
      break;
    case 10:
      s.LongTimeFormat = cell;
      break;
    case 11:
      SetNames(s.ShortMonthNames, cell);
      break;
    case 12:
      SetNames(s.LongMonthNames, cell);
      break;
    case 13:
      SetNames(s.ShortDayNames, cell);
      break;
    case 14:
      SetNames(s.LongDayNames, cell);
      break;
    default:
      return false;
  }
  return true;
}

std::string LocaleNamesText(const TFormatSettings& s, int keyIndex) {
  switch (keyIndex) {
    case 11:
      return NamesText(s.ShortMonthNames);
    case 12:
      return NamesText(s.LongMonthNames);
    case 13:
      return NamesText(s.ShortDayNames);
    case 14:
      return NamesText(s.LongDayNames);
    default:
      return {};
  }
}

}  // namespace kv
