// Positions in the code editor's text as values: a line and a column, and a stretch between
// two of them. Every part of the editor passes these instead of loose integers, always line
// first.
#pragma once

#include <algorithm>
#include <compare>
#include <string_view>

namespace kv {

struct TTextPos {
  int Line = 0;
  int Col = 0;
  friend constexpr auto operator<=>(const TTextPos&, const TTextPos&) = default;
};

// The text from Start up to, not including, End; Start never lies after End.
struct TTextRange {
  TTextPos Start;
  TTextPos End;

  constexpr TTextRange() = default;
  // Either order: the earlier position becomes the start.
  constexpr TTextRange(TTextPos a, TTextPos b) : Start(std::min(a, b)), End(std::max(a, b)) {}
  constexpr bool Empty() const { return Start == End; }
  constexpr bool SingleLine() const { return Start.Line == End.Line; }
  // Half-open: the end position itself is outside; lines between the two ends are wholly
  // inside, whatever their length.
  constexpr bool Contains(TTextPos p) const { return Start <= p && p < End; }
  friend constexpr bool operator==(const TTextRange&, const TTextRange&) = default;
};

// The position behind text put at start (its line breaks are '\n').
constexpr TTextPos EndOf(TTextPos start, std::string_view text) {
  const size_t lastBreak = text.rfind('\n');
  if (lastBreak == std::string_view::npos)
    return {start.Line, start.Col + static_cast<int>(text.size())};
  int breaks = 0;
  for (char c : text) breaks += c == '\n';
  return {start.Line + breaks, static_cast<int>(text.size() - lastBreak - 1)};
}

}  // namespace kv
