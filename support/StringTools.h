// Case-insensitive search and replace on 8-bit Windows-1252 text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace kv {

// Builds the 256-byte upper-case table the replace functions compare with. Called once at
// start-up before any window; calling it again is harmless, and the functions below build the
// table themselves if nobody did.
void InitReplaceNoCase();
// The table's upper-case form of one byte.
unsigned char ReplaceCaseUpper(unsigned char c);

// Replaces the search text in text (in place): every non-overlapping occurrence with replaceAll,
// else the first; ignoreCase compares through the case table, so umlauts match their upper-case
// forms. The inserted text is written exactly as given and the result is not searched again.
// Zero bytes are ordinary characters. An empty search text on a non-empty text throws
// std::invalid_argument("Search string cannot be blank"); on an empty text the text becomes the
// replacement. Returns the number of replacements.
size_t ReplaceNoCase(std::string& text, std::string_view search, std::string_view replacement,
                     bool replaceAll = true, bool ignoreCase = true);

// The parts of text between delimiters, empty ones left out ("/a//b/" -> "a", "b").
std::vector<std::string> SplitNonEmpty(std::string_view text, char delimiter);

// A search text prepared once for many searches (the save routine runs the same few searches
// over every line of a page). Same matching rules as ReplaceNoCase.
class TSearchPattern {
 public:
  // Throws std::invalid_argument for an empty search text.
  explicit TSearchPattern(std::string_view search, bool ignoreCase = true);

  // Position of the first match at or after from, or std::string_view::npos.
  size_t Find(std::string_view text, size_t from = 0) const;
  bool Occurs(std::string_view text) const { return Find(text) != std::string_view::npos; }
  // Replaces like ReplaceNoCase; text is untouched (no copy) when nothing matches.
  size_t ReplaceIn(std::string& text, std::string_view replacement, bool replaceAll = true) const;

  const std::string& Search() const { return search_; }
  bool IgnoreCase() const { return ignoreCase_; }

 private:
  bool MatchesAt(std::string_view text, size_t at) const;

  std::string search_;  // as given
  std::string folded_;  // upper-case form when ignoring case
  bool ignoreCase_;
  char first_ = 0;     // the bytes a match can start with
  char firstAlt_ = 0;  // the other case of first_, when it has one
  bool hasAlt_ = false;
};

}  // namespace kv
