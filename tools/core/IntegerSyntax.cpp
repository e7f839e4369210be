#include "tools/core/IntegerSyntax.h"

namespace kv {

namespace {

bool IsBlankOrControl(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string_view TrimBlanksAndControls(std::string_view text) {
  while (!text.empty() && IsBlankOrControl(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlankOrControl(text.back())) text.remove_suffix(1);
  return text;
}

std::optional<std::int32_t> ParseFrameworkInteger(std::string_view text) {
  text = TrimBlanksAndControls(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  bool hex = false;
  if (!text.empty() && (text.front() == '$' || text.front() == 'x' || text.front() == 'X')) {
    hex = true;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    hex = true;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;

  // Accumulated in 64 bits; the limits below keep it far from overflowing.
  std::uint64_t value = 0;
  for (char c : text) {
    const int digit = hex ? HexDigit(c) : (c >= '0' && c <= '9' ? c - '0' : -1);
    if (digit < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(digit);
    if (value > 0xFFFFFFFFull) return std::nullopt;
  }
  if (hex) {
    const auto bits = static_cast<std::uint32_t>(value);
    return static_cast<std::int32_t>(negative ? 0u - bits : bits);
  }
  if (negative) {
    if (value > 0x80000000ull) return std::nullopt;
    return static_cast<std::int32_t>(-static_cast<std::int64_t>(value));
  }
  if (value > 0x7FFFFFFFull) return std::nullopt;
  return static_cast<std::int32_t>(value);
}

}  // namespace kv
