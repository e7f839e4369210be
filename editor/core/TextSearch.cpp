#include "editor/core/TextSearch.h"

#include <algorithm>
#include <string>

namespace kv {

namespace {

bool IsWordChar(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char LowerAscii(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
}

bool WholeWordAt(std::string_view line, size_t pos, size_t length) {
  if (pos > 0 && IsWordChar(line[pos - 1])) return false;
  if (pos + length < line.size() && IsWordChar(line[pos + length])) return false;
  return true;
}

// The column of pattern in part [from, to) of line, searched forwards (the first hit) or
// backwards (the last, overlapping hits included); npos when there is none.
size_t FindInLine(std::string_view line, std::string_view full, std::string_view pattern,
                  size_t from, size_t to, bool down, bool wholeWord) {
  const size_t n = pattern.size();
  if (to < from || to - from < n) return std::string_view::npos;
  const std::string_view part = line.substr(0, to);
  if (down) {
    for (size_t p = part.find(pattern, from); p != std::string_view::npos;
         p = part.find(pattern, p + 1))
      // A hit inside a word does not hide a whole word later in the line.
      if (!wholeWord || WholeWordAt(full, p, n)) return p;
    return std::string_view::npos;
  }
  for (size_t p = part.rfind(pattern); p != std::string_view::npos && p >= from;
       p = part.rfind(pattern, p - 1)) {
    if (!wholeWord || WholeWordAt(full, p, n)) return p;
    if (p == 0) break;
  }
  return std::string_view::npos;
}

}  // namespace

std::optional<TFound> FindText(const TLineStore& lines, std::string_view text, TFindOptions options,
                               TTextPos caret, TTextRange selection) {
  if (text.empty()) return std::nullopt;
  const bool down = options & frDown;
  const bool matchCase = options & frMatchCase;
  std::string pattern(text);
  if (!matchCase) std::transform(pattern.begin(), pattern.end(), pattern.begin(), LowerAscii);

  std::string lowered;
  // The offset of the line's start in the whole text (CR LF after each line), kept as the
  // search moves from line to line.
  long long before = lines.LengthBefore(caret.Line) + 2LL * caret.Line;
  size_t previous = 0;  // the length of the line searched last
  for (int y = caret.Line; y >= 0 && y < lines.Count(); y += down ? 1 : -1) {
    const std::string& full = lines.Line(y);
    if (y != caret.Line)
      before +=
          down ? static_cast<long long>(previous) + 2 : -static_cast<long long>(full.size() + 2);
    previous = full.size();
    std::string_view line = full;
    if (!matchCase) {
      lowered.resize(full.size());
      std::transform(full.begin(), full.end(), lowered.begin(), LowerAscii);
      line = lowered;
    }
    // On the selection's line, forwards starts behind it and backwards stops before it.
    size_t from = 0, to = line.size();
    if (y == selection.Start.Line && selection.SingleLine()) {
      if (down) {
        if (selection.End.Col >= static_cast<int>(line.size())) continue;
        from = static_cast<size_t>(selection.End.Col);
      } else {
        const bool none = selection.Empty() || (selection.Start.Col < 1 && selection.End.Col < 1);
        const int limit = none ? caret.Col : selection.Start.Col;
        to = static_cast<size_t>(std::clamp(limit, 0, static_cast<int>(line.size())));
      }
    }
    const size_t found = FindInLine(line, full, pattern, from, to, down, options & frWholeWord);
    if (found == std::string_view::npos) continue;
    const int column = static_cast<int>(found);
    return TFound{{{y, column}, {y, column + static_cast<int>(pattern.size())}}, before + column};
  }
  return std::nullopt;
}

}  // namespace kv
