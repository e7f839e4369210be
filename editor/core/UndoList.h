// The editor's undo list. Every step records the exact text edits it stands for, so undo and
// redo restore the text byte for byte; consecutive typing or deleting merges into one step.
#pragma once

#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace kv {

class TCustomCodeMemo;

// One primitive edit: at (Line, Col) the text Removed was replaced by Inserted. Line breaks in
// both texts are '\n'.
struct TTextEdit {
  int Line = 0;
  int Col = 0;
  std::string Removed;
  std::string Inserted;
};

class TUndo {
 public:
  virtual ~TUndo() = default;
  // Offered a newer step; true when this one absorbed it.
  virtual bool Merge(const TUndo& newer) {
    (void)newer;
    return false;
  }
  virtual void Undo();
  virtual void Redo();

  TCustomCodeMemo* Memo = nullptr;
  int BeforeX = 0, BeforeY = 0;  // caret column and line before the change
  int AfterX = 0, AfterY = 0;    // and after it
  std::string Text;              // what the step's kind says (typed, removed, pasted text...)
  bool Linked = false;           // undone together with the step recorded before it
  std::vector<TTextEdit> Edits;  // in the order they were applied
};

class TInsertCharUndo : public TUndo {
 public:
  bool Merge(const TUndo& newer) override;
};
class TNewLineUndo : public TInsertCharUndo {
 public:
  bool Merge(const TUndo& newer) override;
};
class TDeleteCharUndo : public TUndo {
 public:
  bool Merge(const TUndo& newer) override;
  bool FromBackspace = false;
};
class TOverwriteCharUndo : public TUndo {};
class TDeleteLineUndo : public TUndo {};
class TDeleteBufUndo : public TUndo {
 public:
  void Undo() override;
  void Redo() override;
  int SelStartX = 0, SelStartY = 0, SelEndX = 0, SelEndY = 0;
};
class TPasteUndo : public TUndo {};
class TInsertOverwriteUndo : public TUndo {
 public:
  void Undo() override;
  void Redo() override;
  bool WasOverwrite = false;  // the mode before the toggle
};
class TCorrectUndo : public TUndo {
 public:
  int LineNo = 0;  // Text holds the line's old text; Edits restore it
};

class TCodeUndoList {
 public:
  static constexpr int kMaxCapacity = 100;
  explicit TCodeUndoList(TCustomCodeMemo* memo) : memo_(memo) {}

  // Takes the step; 0 when added, -1 when merged or discarded (it is freed then).
  int Add(std::unique_ptr<TUndo> step);
  void Undo();
  void Redo();
  void Clear();
  bool CanUndo() const { return undone_ < Count(); }
  bool CanRedo() const { return undone_ > 0; }
  int Count() const { return static_cast<int>(steps_.size()); }
  // Index 0 is the newest step.
  TUndo* Items(int index) const { return steps_[index].get(); }
  int UndoneCount() const { return undone_; }
  int Capacity() const { return capacity_; }
  // Below 1 becomes 10, above 100 becomes 100; clears the list.
  void SetCapacity(int capacity);
  bool Performing() const { return performing_; }

 private:
  void Changed();
  TCustomCodeMemo* memo_;
  std::deque<std::unique_ptr<TUndo>> steps_;
  int undone_ = 0;
  int capacity_ = kMaxCapacity;
  bool performing_ = false;
};

}  // namespace kv
