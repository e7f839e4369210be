// The editor's undo history. A step holds the exact text edits it stands for, where the caret
// and the selection were before and after, and what kind of change made it; undoing replays the
// edits backwards, redoing forwards, so the text comes back byte for byte. Consecutive typing
// or deleting at adjacent places merges into one step, and its edits into one edit.
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "editor/core/TextPos.h"

namespace kv {

// At Start the text Removed was replaced by Inserted (line breaks '\n' in both).
struct TTextEdit {
  TTextPos Start;
  std::string Removed;
  std::string Inserted;
  TTextPos InsertedEnd;  // EndOf(Start, Inserted), kept as the edit grows
};

enum class TUndoKind {
  InsertChar,       // typing, Tab, Enter
  NewLine,          // Enter when undoing line by line
  DeleteChar,       // Delete and Backspace on characters and line joins
  OverwriteChar,    // typing over a character
  DeleteLine,       // deleting the caret line
  DeleteBuf,        // deleting a selection: undo selects the text again
  Paste,            // pasted or dropped text
  InsertOverwrite,  // the Insert key's mode toggle (no text)
  Correct,          // an automatic correction
};

struct TUndoStep {
  TUndoKind Kind = TUndoKind::InsertChar;
  TTextPos CaretBefore, CaretAfter;
  TTextPos AnchorBefore;         // the selection before the change ran from here to CaretBefore
  bool Linked = false;           // undone together with the step before it
  bool FromBackspace = false;    // DeleteChar: made by Backspace
  bool WasOverwrite = false;     // InsertOverwrite: the mode before the toggle
  std::vector<TTextEdit> Edits;  // in the order they were made

  // Takes a newer step in when they are one change to the user: typing on where the last
  // typing ended, or deleting on where the last deletion left the caret.
  bool Merge(TUndoStep& newer);
  // Adds an edit, extending the last one when the new one continues it.
  void AddEdit(TTextEdit edit);
};

class TCodeUndoList {
 public:
  static constexpr int kMaxCapacity = 100;

  // Merged into the newest step (its edits taken out of step), or moved in as the newest
  // (ending any redo); the oldest goes when the list is over its capacity.
  void Add(TUndoStep& step);
  void Clear();
  bool CanUndo() const { return undone_ < Count(); }
  bool CanRedo() const { return undone_ > 0; }
  int Count() const { return static_cast<int>(steps_.size()); }
  // Index 0 is the newest step; no step out of range.
  const TUndoStep* Items(int index) const;
  int UndoneCount() const { return undone_; }
  // The step an undo takes back next, and the one a redo repeats next (none when there is
  // nothing to take back or repeat); the replay reports each step it took.
  const TUndoStep* NextUndo() const { return Items(undone_); }
  const TUndoStep* NextRedo() const { return Items(undone_ - 1); }
  void StepUndone() { ++undone_; }
  void StepRedone() { --undone_; }
  int Capacity() const { return capacity_; }
  // Below 1 becomes 10, above 100 becomes 100; clears the list.
  void SetCapacity(int capacity);

  // After every add, clear and replay.
  std::function<void()> OnChange;
  void Changed() {
    if (OnChange) OnChange();
  }

 private:
  std::deque<TUndoStep> steps_;
  int undone_ = 0;
  int capacity_ = kMaxCapacity;
};

}  // namespace kv
