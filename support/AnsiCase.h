// Letter case in Windows-1252, as the platform's ANSI upper/lower conversions do it:
// a-z and the accented letters (umlauts among them); ß and µ have no upper-case form.
#pragma once

#include <string>
#include <string_view>

namespace kv {

unsigned char AnsiUpperChar(unsigned char c);
unsigned char AnsiLowerChar(unsigned char c);
std::string AnsiUpperCase(std::string_view s);
std::string AnsiLowerCase(std::string_view s);
// Only the ASCII letters; used where positions in both strings must stay the same bytes.
std::string UpperCaseAscii(std::string_view s);
std::string LowerCaseAscii(std::string_view s);
// Comparisons in the framework's sense: ordinal after case folding.
int AnsiCompareText(std::string_view a, std::string_view b);
int AnsiCompareStr(std::string_view a, std::string_view b);

}  // namespace kv
