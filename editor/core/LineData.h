// Data kept beside the lines, each in an array of its own that follows the store's inserts and
// removals: the modified marks, the error ranges a checker may underline, the objects callers
// keep with lines, and the ten bookmarks.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "editor/core/LineStore.h"

namespace kv {

class TObject;

// 0 = unchanged since load, 1 = changed since the last save, 2 = changed and since saved.
class TLineMarks : public TLineListener {
 public:
  explicit TLineMarks(const TLineStore& store);
  // 0 for a line out of range.
  int State(int line) const;
  // False when the line had that state already (or does not exist).
  bool Set(int line, int state);
  // Every line in state from becomes state to.
  void Replace(int from, int to);

  void LinesInserted(int index, int count) override;
  void LinesRemoved(int index, int count) override;
  void AllReplaced(int count) override;

 private:
  std::vector<std::uint8_t> states_;
};

// Ranges of a line to underline as errors: [Start, Start + Length) in columns.
struct TLineError {
  int Line = 0;
  int Start = 0;
  int Length = 0;
};

// Few lines ever have errors, so they are kept as a list ordered by line.
class TLineErrors : public TLineListener {
 public:
  void Add(TLineError error);
  void ClearLine(int line);
  void Clear() { errors_.clear(); }
  std::vector<TLineError> OfLine(int line) const;
  bool Empty() const { return errors_.empty(); }

  void LinesInserted(int index, int count) override;
  void LinesRemoved(int index, int count) override;
  void AllReplaced(int) override { Clear(); }

 private:
  std::vector<TLineError> errors_;
};

// The object a caller keeps with each line of the list; no room is taken until one is set.
class TLineObjects : public TLineListener {
 public:
  // None for a line out of range.
  TObject* Get(int line) const;
  void Set(int line, TObject* object, int lineCount);

  void LinesInserted(int index, int count) override;
  void LinesRemoved(int index, int count) override;
  void AllReplaced(int) override { objects_.clear(); }

 private:
  std::vector<TObject*> objects_;  // empty while no line has an object
};

// Ten line numbers (-1 = unset) that move with the text above them.
class TBookmarks : public TLineListener {
 public:
  static constexpr int kCount = 10;
  TBookmarks() { lines_.fill(-1); }
  // -1 for an unset slot or an index out of range.
  int Get(int index) const;
  void Set(int index, int line);
  // Slots beyond the last line are unset.
  void DropBeyond(int lineCount);

  void LinesInserted(int index, int count) override;
  // A mark on a removed line moves to the line above it, where that line's text joined.
  void LinesRemoved(int index, int count) override;
  void AllReplaced(int) override {}

 private:
  std::array<int, kCount> lines_;
};

}  // namespace kv
