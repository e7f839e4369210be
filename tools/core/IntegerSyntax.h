// Whole numbers as the framework reads them from text fields: an optional sign, then decimal
// digits, or hexadecimal digits after "$", "x" or "0x" (letters in either case). Blanks and
// control characters around the number do not count.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kv {

// text without its leading and trailing blanks and control characters (every byte up to 0x20).
std::string_view TrimBlanksAndControls(std::string_view text);

// The 32-bit value of text, or nullopt when it is no number of that syntax or does not fit.
// Decimal numbers must lie in the signed 32-bit range; hexadecimal digits fill the 32 bits as
// they stand ("$FFFFFFFF" is -1), and a sign before them negates the result.
std::optional<std::int32_t> ParseFrameworkInteger(std::string_view text);

}  // namespace kv
