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
  if (!CanUndo()) return;
  {
    // The replayed operations must neither indent nor record steps of their own.
    TScopeGuard restore([this, autoIndent = AutoIndent] {
      AutoIndent = autoIndent;
      replaying_ = false;
    });
    AutoIndent = false;
    replaying_ = true;
    while (const TUndoStep* step = history_.NextUndo()) {
      ReplayStep(*step, true);
      history_.StepUndone();
      if (!step->Linked) break;
    }
  }
  history_.Changed();
  ListChanged();
}

void TCustomCodeMemo::Redo() {
  if (!CanRedo()) return;
  {
    TScopeGuard restore([this, autoIndent = AutoIndent] {
      AutoIndent = autoIndent;
      replaying_ = false;
    });
    AutoIndent = false;
    replaying_ = true;
    while (const TUndoStep* step = history_.NextRedo()) {
      ReplayStep(*step, false);
      history_.StepRedone();
      // A step linked to this one is redone with it.
      const TUndoStep* newer = history_.NextRedo();
      if (!newer || !newer->Linked) break;
    }
  }
  history_.Changed();
  ListChanged();
}

}  // namespace kv
