#include "editor/core/LineData.h"

#include <algorithm>

namespace kv {

// ---- TLineMarks -------------------------------------------------------------------------------

TLineMarks::TLineMarks(const TLineStore& store) : states_(static_cast<size_t>(store.Count())) {}

int TLineMarks::State(int line) const {
  return line >= 0 && line < static_cast<int>(states_.size()) ? states_[static_cast<size_t>(line)]
                                                              : 0;
}

bool TLineMarks::Set(int line, int state) {
  if (line < 0 || line >= static_cast<int>(states_.size())) return false;
  std::uint8_t& s = states_[static_cast<size_t>(line)];
  if (s == state) return false;
  s = static_cast<std::uint8_t>(state);
  return true;
}

void TLineMarks::Replace(int from, int to) {
  std::replace(states_.begin(), states_.end(), static_cast<std::uint8_t>(from),
               static_cast<std::uint8_t>(to));
}

void TLineMarks::LinesInserted(int index, int count) {
  states_.insert(states_.begin() + index, static_cast<size_t>(count), 0);
}

void TLineMarks::LinesRemoved(int index, int count) {
  states_.erase(states_.begin() + index, states_.begin() + index + count);
}

void TLineMarks::AllReplaced(int count) {
  states_.assign(static_cast<size_t>(count), 0);
}

// ---- TLineErrors ------------------------------------------------------------------------------

void TLineErrors::Add(TLineError error) {
  auto at = std::upper_bound(errors_.begin(), errors_.end(), error.Line,
                             [](int line, const TLineError& e) { return line < e.Line; });
  errors_.insert(at, error);
}

void TLineErrors::ClearLine(int line) {
  std::erase_if(errors_, [line](const TLineError& e) { return e.Line == line; });
}

std::vector<TLineError> TLineErrors::OfLine(int line) const {
  std::vector<TLineError> r;
  for (const TLineError& e : errors_)
    if (e.Line == line) r.push_back(e);
  return r;
}

void TLineErrors::LinesInserted(int index, int count) {
  for (TLineError& e : errors_)
    if (e.Line >= index) e.Line += count;
}

void TLineErrors::LinesRemoved(int index, int count) {
  std::erase_if(errors_,
                [&](const TLineError& e) { return e.Line >= index && e.Line < index + count; });
  for (TLineError& e : errors_)
    if (e.Line >= index + count) e.Line -= count;
}

// ---- TLineObjects -----------------------------------------------------------------------------

TObject* TLineObjects::Get(int line) const {
  return line >= 0 && line < static_cast<int>(objects_.size()) ? objects_[static_cast<size_t>(line)]
                                                               : nullptr;
}

void TLineObjects::Set(int line, TObject* object, int lineCount) {
  if (line < 0 || line >= lineCount) return;
  if (objects_.empty()) {
    if (!object) return;
    objects_.resize(static_cast<size_t>(lineCount));
  }
  objects_[static_cast<size_t>(line)] = object;
}

void TLineObjects::LinesInserted(int index, int count) {
  if (!objects_.empty())
    objects_.insert(objects_.begin() + index, static_cast<size_t>(count), nullptr);
}

void TLineObjects::LinesRemoved(int index, int count) {
  if (!objects_.empty()) objects_.erase(objects_.begin() + index, objects_.begin() + index + count);
}

// ---- TBookmarks -------------------------------------------------------------------------------

int TBookmarks::Get(int index) const {
  return index >= 0 && index < kCount ? lines_[static_cast<size_t>(index)] : -1;
}

void TBookmarks::Set(int index, int line) {
  if (index >= 0 && index < kCount) lines_[static_cast<size_t>(index)] = line < 0 ? -1 : line;
}

void TBookmarks::DropBeyond(int lineCount) {
  for (int& b : lines_)
    if (b >= lineCount) b = -1;
}

void TBookmarks::LinesInserted(int index, int count) {
  for (int& b : lines_)
    if (b >= index) b += count;
}

void TBookmarks::LinesRemoved(int index, int count) {
  for (int& b : lines_) {
    if (b >= index + count)
      b -= count;
    else if (b >= index)
      b = std::max(0, index - 1);
  }
}

}  // namespace kv
