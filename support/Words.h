// Words of a text separated by a set of delimiter characters. A word is a maximal run of
// characters that are not delimiters; runs of delimiters separate just like one, and leading or
// trailing delimiters make no empty words. Words are counted from 1.
#pragma once

#include <string>
#include <string_view>

namespace kv {

struct TWordPosition {
  bool Found = false;
  int Position = 0;  // 1-based position of the word's first character
};

int CountWords(std::string_view text, std::string_view delimiters);
TWordPosition FindWordStart(int n, std::string_view text, std::string_view delimiters);
// Empty when the text has fewer than n words (or n is below 1).
std::string GetNthWord(int n, std::string_view text, std::string_view delimiters);

}  // namespace kv
