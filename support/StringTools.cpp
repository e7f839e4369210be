#include "support/StringTools.h"

#include <array>
#include <cstring>
#include <stdexcept>

#include "support/AnsiCase.h"

namespace kv {

namespace {

using TCaseTable = std::array<unsigned char, 256>;

const TCaseTable& CaseTable() {
  // A function-local static: built exactly once, also when several threads race for it.
  static const TCaseTable table = [] {
    TCaseTable t{};
    for (int c = 0; c < 256; ++c) t[c] = AnsiUpperChar(static_cast<unsigned char>(c));
    return t;
  }();
  return table;
}

const char* FindByte(const char* from, const char* end, char c) {
  return static_cast<const char*>(std::memchr(from, c, static_cast<size_t>(end - from)));
}

}  // namespace

void InitReplaceNoCase() {
  (void)CaseTable();
}

unsigned char ReplaceCaseUpper(unsigned char c) {
  return CaseTable()[c];
}

size_t ReplaceNoCase(std::string& text, std::string_view search, std::string_view replacement,
                     bool replaceAll, bool ignoreCase) {
  if (search.empty()) {
    if (!text.empty()) throw std::invalid_argument("Search string cannot be blank");
    text.assign(replacement);
    return 1;
  }
  return TSearchPattern(search, ignoreCase).ReplaceIn(text, replacement, replaceAll);
}

TSearchPattern::TSearchPattern(std::string_view search, bool ignoreCase)
    : search_(search), ignoreCase_(ignoreCase) {
  if (search_.empty()) throw std::invalid_argument("Search string cannot be blank");
  const TCaseTable& table = CaseTable();
  if (ignoreCase_) {
    folded_.resize(search_.size());
    for (size_t i = 0; i < search_.size(); ++i)
      folded_[i] = static_cast<char>(table[static_cast<unsigned char>(search_[i])]);
    first_ = folded_[0];
    // In Windows-1252 at most one other byte folds onto a given upper-case letter.
    for (int c = 0; c < 256; ++c) {
      if (c != static_cast<unsigned char>(first_) &&
          table[c] == static_cast<unsigned char>(first_)) {
        firstAlt_ = static_cast<char>(c);
        hasAlt_ = true;
        break;
      }
    }
  } else {
    folded_ = search_;
    first_ = search_[0];
  }
}

bool TSearchPattern::MatchesAt(std::string_view text, size_t at) const {
  if (text.size() - at < folded_.size()) return false;
  if (!ignoreCase_) return std::memcmp(text.data() + at, folded_.data(), folded_.size()) == 0;
  const TCaseTable& table = CaseTable();
  for (size_t k = 1; k < folded_.size(); ++k)
    if (table[static_cast<unsigned char>(text[at + k])] != static_cast<unsigned char>(folded_[k]))
      return false;
  return true;
}

size_t TSearchPattern::Find(std::string_view text, size_t from) const {
  if (from >= text.size() || text.size() - from < folded_.size()) return std::string_view::npos;
  const char* base = text.data();
  // A match cannot start in the last search-length - 1 bytes.
  const char* end = base + (text.size() - folded_.size() + 1);
  const char* p = FindByte(base + from, end, first_);
  if (!hasAlt_) {
    while (p) {
      if (MatchesAt(text, static_cast<size_t>(p - base))) return static_cast<size_t>(p - base);
      p = FindByte(p + 1, end, first_);
    }
    return std::string_view::npos;
  }
  // Two candidate bytes: keep the next position of each and try the nearer one.
  const char* q = FindByte(base + from, end, firstAlt_);
  while (p || q) {
    const bool takeP = p && (!q || p < q);
    const char* at = takeP ? p : q;
    if (MatchesAt(text, static_cast<size_t>(at - base))) return static_cast<size_t>(at - base);
    if (takeP)
      p = FindByte(p + 1, end, first_);
    else
      q = FindByte(q + 1, end, firstAlt_);
  }
  return std::string_view::npos;
}

size_t TSearchPattern::ReplaceIn(std::string& text, std::string_view replacement,
                                 bool replaceAll) const {
  size_t at = Find(text);
  if (at == std::string_view::npos) return 0;
  std::string result;
  result.reserve(text.size() + replacement.size());
  size_t copied = 0;
  size_t count = 0;
  do {
    result.append(text, copied, at - copied);
    result.append(replacement);
    copied = at + search_.size();
    ++count;
    if (!replaceAll) break;
    at = Find(text, copied);
  } while (at != std::string_view::npos);
  result.append(text, copied, std::string::npos);
  text.swap(result);
  return count;
}

std::vector<std::string> SplitNonEmpty(std::string_view text, char delimiter) {
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= text.size()) {
    size_t to = text.find(delimiter, from);
    if (to == std::string_view::npos) to = text.size();
    if (to > from) parts.emplace_back(text.substr(from, to - from));
    from = to + 1;
  }
  return parts;
}

}  // namespace kv
