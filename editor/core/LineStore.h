// The code editor's lines and nothing else: it knows no editor. It owns its rules: there is
// always at least one line, no line holds a tab or a line break, and the longest line is known
// without scanning. Whatever keeps data per line listens to it and follows its inserts and
// removals.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "editor/core/TextPos.h"

namespace kv {

// Told of every change to the lines, after it happened.
class TLineListener {
 public:
  virtual ~TLineListener() = default;
  virtual void LinesInserted(int index, int count) = 0;
  virtual void LinesRemoved(int index, int count) = 0;
  // The text of one line changed (its number did not).
  virtual void LineChanged(int index) { (void)index; }
  // Every line is new (load, assign, clear); count lines now.
  virtual void AllReplaced(int count) = 0;
};

class TLineStore {
 public:
  TLineStore();
  TLineStore(const TLineStore&) = delete;
  TLineStore& operator=(const TLineStore&) = delete;

  int Count() const { return static_cast<int>(lines_.size()); }
  // A line's text; an empty text for an index out of range.
  const std::string& Line(int index) const {
    return index >= 0 && index < Count() ? lines_[static_cast<size_t>(index)] : NoLine();
  }
  int Length(int index) const { return static_cast<int>(Line(index).size()); }
  int Longest() const;
  // Behind the last character of the last line.
  TTextPos End() const { return {Count() - 1, Length(Count() - 1)}; }
  // The position moved into the text: a line in range and a column within that line.
  TTextPos Clamp(TTextPos p) const;
  // The characters of all lines before line (their breaks not counted).
  long long LengthBefore(int line) const;
  // The text of a range (clamped), its lines joined with '\n'.
  std::string Text(TTextRange range) const;
  // True between Clear and the next change: the one empty line stands for no line at all.
  bool Cleared() const { return cleared_; }
  // Counts every change, so that what is derived from the text knows when to derive it again.
  unsigned Revision() const { return revision_; }

  // Replaces range (clamped) by text whose lines are joined with '\n'; returns the position
  // behind the inserted text.
  TTextPos Replace(TTextRange range, std::string_view text);
  void SetLine(int index, std::string text);
  void InsertLines(int index, std::vector<std::string> lines);
  // Never removes the last line: removing every line leaves one empty line.
  void RemoveLines(int index, int count);
  // All lines at once; no lines at all become one empty line.
  void Assign(std::vector<std::string> lines);
  void Clear();

  void AddListener(TLineListener* listener);
  void RemoveListener(TLineListener* listener);

 private:
  static const std::string& NoLine();
  void Added(int length);
  void Removed(int length);
  void Changed(int oldLength, int newLength);
  void Recount() const;
  // Debug builds assert the rules for the lines first..first + count - 1.
  void CheckRules(int first, int count) const;

  std::vector<std::string> lines_;
  // The longest length and how many lines have it; counted again only when the last of
  // them got shorter.
  mutable int longest_ = 0;
  mutable int longestCount_ = 1;
  mutable bool longestStale_ = false;
  bool cleared_ = false;
  unsigned revision_ = 1;
  std::vector<TLineListener*> listeners_;
};

}  // namespace kv
