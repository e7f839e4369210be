// Undo and redo: the steps of the history replayed through the editor's own operations.
#include "editor/core/CodeMemo.h"
#include "support/ScopeGuard.h"

namespace kv {

void TCustomCodeMemo::ReplayStep(const TUndoStep& step, bool undo) {
  SetCaret(undo ? step.CaretAfter : step.CaretBefore);
  CollapseSelection();
  if (undo) {
    for (auto e = step.Edits.rbegin(); e != step.Edits.rend(); ++e)
      ReplaceText({e->Start, e->InsertedEnd}, e->Removed);
  } else {
    for (const TTextEdit& e : step.Edits)
      ReplaceText({e.Start, EndOf(e.Start, e.Removed)}, e.Inserted);
  }
  const bool restoresSelection = undo && step.Kind == TUndoKind::DeleteBuf;
  if (restoresSelection) {
    // The deleted text is selected again, as it was, and the editor asks for the focus.
    anchor_ = step.AnchorBefore;
    SelectionMade();
    if (view_) view_->FocusRequested();
  }
  if (step.Kind == TUndoKind::InsertOverwrite)
    SetOverwrite(undo ? step.WasOverwrite : !step.WasOverwrite);
  MoveCaret(undo ? step.CaretBefore : step.CaretAfter);
  if (!restoresSelection) {
    anchor_ = caret_;
    selectionOpen_ = false;
  }
}

void TCustomCodeMemo::Undo() {
  if (CanUndo()) Replay(true);
}

void TCustomCodeMemo::Redo() {
  if (CanRedo()) Replay(false);
}

void TCustomCodeMemo::Replay(bool undo) {
  {
    // The replayed operations must neither indent nor record steps of their own.
    TScopeGuard restore([this, autoIndent = AutoIndent] {
      AutoIndent = autoIndent;
      replaying_ = false;
    });
    AutoIndent = false;
    replaying_ = true;
    // A step linked to the one before it goes with it: undone after it, redone before it.
    while (const TUndoStep* step = undo ? history_.NextUndo() : history_.NextRedo()) {
      ReplayStep(*step, undo);
      if (undo) {
        history_.StepUndone();
        if (!step->Linked) break;
      } else {
        history_.StepRedone();
        const TUndoStep* newer = history_.NextRedo();
        if (!newer || !newer->Linked) break;
      }
    }
  }
  history_.Changed();
  ListChanged();
}

}  // namespace kv
