#include "editor/core/UndoList.h"

#include <typeinfo>

#include "editor/core/CodeMemo.h"

namespace kv {

// ---- steps ------------------------------------------------------------------------------------

void TUndo::Undo() {
  if (!Memo) return;
  for (auto it = Edits.rbegin(); it != Edits.rend(); ++it) {
    int endLine, endCol;
    TCustomCodeMemo::EndOf(it->Line, it->Col, it->Inserted, endLine, endCol);
    Memo->ReplaceText(it->Line, it->Col, endLine, endCol, it->Removed);
  }
}

void TUndo::Redo() {
  if (!Memo) return;
  for (const TTextEdit& e : Edits) {
    int endLine, endCol;
    TCustomCodeMemo::EndOf(e.Line, e.Col, e.Removed, endLine, endCol);
    Memo->ReplaceText(e.Line, e.Col, endLine, endCol, e.Inserted);
  }
}

bool TInsertCharUndo::Merge(const TUndo& newer) {
  if (typeid(newer) != typeid(*this)) return false;
  if (newer.BeforeX != AfterX || newer.BeforeY != AfterY) return false;
  Text += newer.Text;
  AfterX = newer.AfterX;
  AfterY = newer.AfterY;
  Edits.insert(Edits.end(), newer.Edits.begin(), newer.Edits.end());
  return true;
}

bool TNewLineUndo::Merge(const TUndo& newer) {
  return TInsertCharUndo::Merge(newer);
}

bool TDeleteCharUndo::Merge(const TUndo& newer) {
  if (typeid(newer) != typeid(*this)) return false;
  auto& other = static_cast<const TDeleteCharUndo&>(newer);
  if (other.BeforeX != AfterX || other.BeforeY != AfterY || other.FromBackspace != FromBackspace)
    return false;
  Text = other.Text + Text;
  AfterX = other.AfterX;
  AfterY = other.AfterY;
  Edits.insert(Edits.end(), other.Edits.begin(), other.Edits.end());
  return true;
}

void TDeleteBufUndo::Undo() {
  TUndo::Undo();
  if (!Memo) return;
  Memo->SetSelection(SelStartX, SelStartY, SelEndX, SelEndY);
  if (Memo->View()) Memo->View()->FocusRequested();
}

void TDeleteBufUndo::Redo() {
  TUndo::Redo();
  if (Memo) Memo->CollapseSelection();
}

void TInsertOverwriteUndo::Undo() {
  if (Memo) Memo->SetOverwrite(WasOverwrite);
}

void TInsertOverwriteUndo::Redo() {
  if (Memo) Memo->SetOverwrite(!WasOverwrite);
}

// ---- TCodeUndoList ----------------------------------------------------------------------------

int TCodeUndoList::Add(std::unique_ptr<TUndo> step) {
  // Replayed operations would record steps of their own.
  if (performing_ || !step) return -1;
  // Only a step that is not undone may absorb newer typing.
  if (!steps_.empty() && undone_ == 0 && steps_.front()->Merge(*step)) {
    Changed();
    return -1;
  }
  while (undone_ > 0 && !steps_.empty()) {
    steps_.pop_front();
    --undone_;
  }
  undone_ = 0;
  step->Memo = memo_;
  steps_.push_front(std::move(step));
  while (Count() > capacity_) steps_.pop_back();
  Changed();
  return 0;
}

namespace {

// While steps replay, the memo's own editing must not indent and nothing may be recorded;
// both are restored however the replay ends.
class TReplayGuard {
 public:
  TReplayGuard(TCustomCodeMemo& memo, bool& performing)
      : memo_(memo), performing_(performing), autoIndent_(memo.AutoIndent) {
    memo_.AutoIndent = false;
    performing_ = true;
  }
  ~TReplayGuard() {
    performing_ = false;
    memo_.AutoIndent = autoIndent_;
  }
  TReplayGuard(const TReplayGuard&) = delete;
  TReplayGuard& operator=(const TReplayGuard&) = delete;

 private:
  TCustomCodeMemo& memo_;
  bool& performing_;
  bool autoIndent_;
};

}  // namespace

void TCodeUndoList::Undo() {
  if (!CanUndo() || !memo_) return;
  {
    TReplayGuard guard(*memo_, performing_);
    for (;;) {
      TUndo* step = steps_[undone_].get();
      memo_->SetCaret(step->AfterX, step->AfterY);
      step->Undo();
      memo_->SetCaret(step->BeforeX, step->BeforeY);
      ++undone_;
      if (!step->Linked || undone_ >= Count()) break;
    }
  }
  Changed();
  memo_->LineChangeHandler();
}

void TCodeUndoList::Redo() {
  if (!CanRedo() || !memo_) return;
  {
    TReplayGuard guard(*memo_, performing_);
    for (;;) {
      --undone_;
      TUndo* step = steps_[undone_].get();
      memo_->SetCaret(step->BeforeX, step->BeforeY);
      step->Redo();
      memo_->SetCaret(step->AfterX, step->AfterY);
      if (undone_ == 0 || !steps_[undone_ - 1]->Linked) break;
    }
  }
  Changed();
  memo_->LineChangeHandler();
}

void TCodeUndoList::Clear() {
  steps_.clear();
  undone_ = 0;
  Changed();
}

void TCodeUndoList::SetCapacity(int capacity) {
  if (capacity < 1) capacity = 10;
  if (capacity > kMaxCapacity) capacity = kMaxCapacity;
  capacity_ = capacity;
  Clear();
}

void TCodeUndoList::Changed() {
  if (memo_ && memo_->OnUndoChange) memo_->OnUndoChange(memo_->EventSender, CanUndo(), CanRedo());
}

}  // namespace kv
