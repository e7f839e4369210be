#include "editor/core/UndoList.h"

namespace kv {

// ---- steps ------------------------------------------------------------------------------------

bool TUndoStep::Merge(TUndoStep& newer) {
  if (newer.Kind != Kind || newer.CaretBefore != CaretAfter) return false;
  switch (Kind) {
    case TUndoKind::InsertChar:
    case TUndoKind::NewLine:
      break;
    case TUndoKind::DeleteChar:
      if (newer.FromBackspace != FromBackspace) return false;
      break;
    default:
      return false;
  }
  for (TTextEdit& e : newer.Edits) AddEdit(std::move(e));
  CaretAfter = newer.CaretAfter;
  return true;
}

void TUndoStep::AddEdit(TTextEdit edit) {
  if (!Edits.empty()) {
    TTextEdit& last = Edits.back();
    if (edit.Removed.empty() && edit.Start == last.InsertedEnd) {
      last.Inserted += edit.Inserted;  // typing on
      last.InsertedEnd = EndOf(last.InsertedEnd, edit.Inserted);
      return;
    }
    if (edit.Inserted.empty() && last.Inserted.empty()) {
      if (edit.Start == last.Start) {
        last.Removed += edit.Removed;  // Delete on
        return;
      }
      if (EndOf(edit.Start, edit.Removed) == last.Start) {
        last.Start = last.InsertedEnd = edit.Start;  // Backspace on
        last.Removed.insert(0, edit.Removed);
        return;
      }
    }
  }
  edit.InsertedEnd = EndOf(edit.Start, edit.Inserted);
  Edits.push_back(std::move(edit));
}

// ---- TCodeUndoList ----------------------------------------------------------------------------

void TCodeUndoList::Add(TUndoStep& step) {
  // Only a step that is not undone may take newer typing in.
  if (!steps_.empty() && undone_ == 0 && steps_.front().Merge(step)) {
    Changed();
    return;
  }
  while (undone_ > 0 && !steps_.empty()) {
    steps_.pop_front();
    --undone_;
  }
  undone_ = 0;
  steps_.push_front(std::move(step));
  while (Count() > capacity_) steps_.pop_back();
  Changed();
}

const TUndoStep* TCodeUndoList::Items(int index) const {
  return index >= 0 && index < Count() ? &steps_[static_cast<size_t>(index)] : nullptr;
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

}  // namespace kv
