#include "editor/core/LineStore.h"

#include <algorithm>
#include <cassert>
#include <iterator>

namespace kv {

TLineStore::TLineStore() : lines_(1) {}

const std::string& TLineStore::NoLine() {
  static const std::string none;
  return none;
}

// ---- the longest line -------------------------------------------------------------------------

void TLineStore::Added(int length) {
  if (longestStale_) return;
  if (length > longest_) {
    longest_ = length;
    longestCount_ = 1;
  } else if (length == longest_) {
    ++longestCount_;
  }
}

void TLineStore::Removed(int length) {
  if (longestStale_) return;
  if (length == longest_ && --longestCount_ <= 0) longestStale_ = true;
}

void TLineStore::Changed(int oldLength, int newLength) {
  if (oldLength == newLength) return;
  Added(newLength);
  Removed(oldLength);
}

void TLineStore::Recount() const {
  longest_ = 0;
  longestCount_ = 0;
  for (const std::string& line : lines_) {
    const int length = static_cast<int>(line.size());
    if (length > longest_) {
      longest_ = length;
      longestCount_ = 1;
    } else if (length == longest_) {
      ++longestCount_;
    }
  }
  longestStale_ = false;
}

int TLineStore::Longest() const {
  if (longestStale_) Recount();
  return longest_;
}

// ---- reading ----------------------------------------------------------------------------------

TTextPos TLineStore::Clamp(TTextPos p) const {
  p.Line = std::clamp(p.Line, 0, Count() - 1);
  p.Col = std::clamp(p.Col, 0, Length(p.Line));
  return p;
}

long long TLineStore::LengthBefore(int line) const {
  long long length = 0;
  const auto end = lines_.begin() + std::clamp(line, 0, Count());
  for (auto it = lines_.begin(); it != end; ++it) length += static_cast<long long>(it->size());
  return length;
}

std::string TLineStore::Text(TTextRange range) const {
  const TTextPos a = Clamp(range.Start), b = Clamp(range.End);
  const std::string& first = lines_[static_cast<size_t>(a.Line)];
  if (a.Line == b.Line)
    return first.substr(static_cast<size_t>(a.Col),
                        static_cast<size_t>(std::max(0, b.Col - a.Col)));
  std::string r = first.substr(static_cast<size_t>(a.Col));
  for (int i = a.Line + 1; i < b.Line; ++i) {
    r += '\n';
    r += lines_[static_cast<size_t>(i)];
  }
  r += '\n';
  r.append(lines_[static_cast<size_t>(b.Line)], 0, static_cast<size_t>(b.Col));
  return r;
}

// ---- changing ---------------------------------------------------------------------------------

TTextPos TLineStore::Replace(TTextRange range, std::string_view text) {
  const TTextPos a = Clamp(range.Start), b = Clamp(range.End);
  cleared_ = false;
  ++revision_;
  if (a.Line == b.Line && text.find('\n') == std::string_view::npos) {
    // Within one line: costs the length of that line only.
    std::string& s = lines_[static_cast<size_t>(a.Line)];
    const int oldLength = static_cast<int>(s.size());
    s.replace(static_cast<size_t>(a.Col), static_cast<size_t>(b.Col - a.Col), text);
    Changed(oldLength, static_cast<int>(s.size()));
    CheckRules(a.Line, 1);
    for (TLineListener* l : listeners_) l->LineChanged(a.Line);
    return {a.Line, a.Col + static_cast<int>(text.size())};
  }
  std::vector<std::string> pieces;
  for (size_t start = 0;;) {
    const size_t brk = text.find('\n', start);
    pieces.emplace_back(text.substr(start, brk == std::string_view::npos ? brk : brk - start));
    if (brk == std::string_view::npos) break;
    start = brk + 1;
  }
  const TTextPos end = EndOf(a, text);
  pieces.front().insert(0, lines_[static_cast<size_t>(a.Line)], 0, static_cast<size_t>(a.Col));
  pieces.back().append(lines_[static_cast<size_t>(b.Line)], static_cast<size_t>(b.Col));
  // The lines both texts share are rewritten; the rest is inserted or removed behind them.
  const int oldCount = b.Line - a.Line + 1, newCount = static_cast<int>(pieces.size());
  const int common = std::min(oldCount, newCount);
  for (int i = 0; i < common; ++i) SetLine(a.Line + i, std::move(pieces[static_cast<size_t>(i)]));
  if (newCount > oldCount)
    InsertLines(a.Line + oldCount,
                std::vector<std::string>(std::make_move_iterator(pieces.begin() + oldCount),
                                         std::make_move_iterator(pieces.end())));
  else if (newCount < oldCount)
    RemoveLines(a.Line + newCount, oldCount - newCount);
  return end;
}

void TLineStore::SetLine(int index, std::string text) {
  if (index < 0 || index >= Count()) return;
  cleared_ = false;
  ++revision_;
  std::string& s = lines_[static_cast<size_t>(index)];
  Changed(static_cast<int>(s.size()), static_cast<int>(text.size()));
  s = std::move(text);
  CheckRules(index, 1);
  for (TLineListener* l : listeners_) l->LineChanged(index);
}

void TLineStore::InsertLines(int index, std::vector<std::string> lines) {
  index = std::clamp(index, 0, Count());
  const int count = static_cast<int>(lines.size());
  if (count == 0) return;
  cleared_ = false;
  ++revision_;
  for (const std::string& line : lines) Added(static_cast<int>(line.size()));
  lines_.insert(lines_.begin() + index, std::make_move_iterator(lines.begin()),
                std::make_move_iterator(lines.end()));
  CheckRules(index, count);
  for (TLineListener* l : listeners_) l->LinesInserted(index, count);
}

void TLineStore::RemoveLines(int index, int count) {
  index = std::clamp(index, 0, Count());
  count = std::clamp(count, 0, Count() - index);
  if (count == 0) return;
  cleared_ = false;
  ++revision_;
  if (count == Count()) {
    // The rule of at least one line: the first stays, emptied.
    SetLine(0, std::string());
    if (--count == 0) return;
    ++index;
  }
  for (int i = index; i < index + count; ++i) Removed(Length(i));
  lines_.erase(lines_.begin() + index, lines_.begin() + index + count);
  CheckRules(0, 0);
  for (TLineListener* l : listeners_) l->LinesRemoved(index, count);
}

void TLineStore::Assign(std::vector<std::string> lines) {
  if (lines.empty()) lines.emplace_back();
  lines_ = std::move(lines);
  cleared_ = false;
  ++revision_;
  longestStale_ = true;
  CheckRules(0, Count());
  for (TLineListener* l : listeners_) l->AllReplaced(Count());
}

void TLineStore::Clear() {
  Assign({});
  cleared_ = true;
}

void TLineStore::AddListener(TLineListener* listener) {
  listeners_.push_back(listener);
}

void TLineStore::RemoveListener(TLineListener* listener) {
  std::erase(listeners_, listener);
}

void TLineStore::CheckRules(int first, int count) const {
#ifndef NDEBUG
  assert(!lines_.empty());
  for (int i = first; i < first + count; ++i) {
    assert(Line(i).find_first_of("\t\r\n") == std::string::npos);
    assert(longestStale_ || Length(i) <= longest_);
  }
#else
  (void)first;
  (void)count;
#endif
}

}  // namespace kv
