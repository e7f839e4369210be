// The process-wide number and date formatting settings a Locales table may change, and the 15
// row keys that name them.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace kv {

struct TFormatSettings {
  std::string CurrencyString = "\x80";  // the euro sign in Windows-1252
  char ThousandSeparator = '.';
  char DecimalSeparator = ',';
  char DateSeparator = '.';
  std::string ShortDateFormat = "dd.mm.yyyy";
  std::string LongDateFormat = "dddd, d. mmmm yyyy";
  char TimeSeparator = ':';
  std::string TimeAMString;
  std::string TimePMString;
  std::string ShortTimeFormat = "hh:nn";
  std::string LongTimeFormat = "hh:nn:ss";
  std::array<std::string, 12> ShortMonthNames{"Jan", "Feb", "Mrz", "Apr", "Mai", "Jun",
                                              "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  std::array<std::string, 12> LongMonthNames{"Januar",    "Februar", "M\xE4rz",  "April",
                                             "Mai",       "Juni",    "Juli",     "August",
                                             "September", "Oktober", "November", "Dezember"};
  std::array<std::string, 7> ShortDayNames{"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  std::array<std::string, 7> LongDayNames{"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                          "Donnerstag", "Freitag", "Samstag"};
};

// The settings of the process (one instance, on the user-interface thread only).
TFormatSettings& FormatSettings();

// "Currency String" ... "Long Day Names", in the order of the Locales table.
const std::array<std::string_view, 15>& LocaleKeys();
// Sets the setting keyed by key from a cell; false for an unknown key or an empty cell.
bool ApplyLocaleCell(TFormatSettings& settings, std::string_view key, const std::string& cell);
// The comma text of one of the four name lists (index 11 .. 14 of LocaleKeys).
std::string LocaleNamesText(const TFormatSettings& settings, int keyIndex);

}  // namespace kv
