#include "support/Words.h"

namespace kv {

namespace {

// Delimiter sets are tiny and may contain a zero byte, so membership is a plain search.
bool IsDelimiter(char c, std::string_view delimiters) {
  return delimiters.find(c) != std::string_view::npos;
}

size_t SkipDelimiters(std::string_view text, size_t i, std::string_view delimiters) {
  while (i < text.size() && IsDelimiter(text[i], delimiters)) ++i;
  return i;
}

size_t SkipWord(std::string_view text, size_t i, std::string_view delimiters) {
  while (i < text.size() && !IsDelimiter(text[i], delimiters)) ++i;
  return i;
}

}  // namespace

int CountWords(std::string_view text, std::string_view delimiters) {
  int count = 0;
  size_t i = SkipDelimiters(text, 0, delimiters);
  while (i < text.size()) {
    ++count;
    i = SkipDelimiters(text, SkipWord(text, i, delimiters), delimiters);
  }
  return count;
}

TWordPosition FindWordStart(int n, std::string_view text, std::string_view delimiters) {
  int count = 0;
  size_t i = SkipDelimiters(text, 0, delimiters);
  while (i < text.size()) {
    if (++count == n) return {true, static_cast<int>(i + 1)};
    i = SkipDelimiters(text, SkipWord(text, i, delimiters), delimiters);
  }
  return {};
}

std::string GetNthWord(int n, std::string_view text, std::string_view delimiters) {
  const TWordPosition start = FindWordStart(n, text, delimiters);
  if (!start.Found) return {};
  const size_t from = static_cast<size_t>(start.Position - 1);
  return std::string(text.substr(from, SkipWord(text, from, delimiters) - from));
}

}  // namespace kv
