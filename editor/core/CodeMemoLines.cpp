// What the published line list does to the editor: appending, inserting, replacing and
// deleting lines, loading and saving, assigning. Every line that comes in passes the line rules
// of LineText.h; the caret, the history and the change handling follow as the list promises.
#include <algorithm>

#include "editor/core/CodeMemo.h"
#include "editor/core/LineText.h"
#include "support/ScopeGuard.h"

namespace kv {

namespace {

// Writes lines into the store: at index, or in place of the empty line a cleared list keeps.
void PutLines(TLineStore& store, int index, std::vector<std::string> lines) {
  if (store.Cleared())
    store.Assign(std::move(lines));
  else
    store.InsertLines(index, std::move(lines));
}

}  // namespace

void TCustomCodeMemo::ListChanged() {
  if (!changeHandling_ || list_->UpdateDepth() > 0) return;
  if (OnChange) OnChange(EventSender);
  if (view_) view_->ScrollBarsChanged();
  MakeCaretVisible();
  if (view_) view_->InvalidateAll();
  bookmarks_.DropBeyond(LineCount());
  list_->NotifyChange();
}

void TCustomCodeMemo::BeginUpdate() {
  changeHandling_ = false;
}

void TCustomCodeMemo::EndUpdate() {
  changeHandling_ = true;
  if (view_) {
    view_->ScrollBarsChanged();
    view_->InvalidateAll();
  }
}

int TCustomCodeMemo::AppendLines(std::string_view text, TObject* object) {
  const int first = store_.Cleared() ? 0 : LineCount();
  PutLines(store_, first, SplitIntoLines(text, {TBreaks::CrOnly, tabSize_, true}));
  for (int i = first; i < LineCount(); ++i) objects_.Set(i, object, LineCount());
  ListChanged();
  return LineCount() - 1;
}

void TCustomCodeMemo::InsertLines(int index, std::string_view text, TObject* object) {
  CollapseSelection();
  std::vector<std::string> lines = SplitIntoLines(text, {TBreaks::Any, tabSize_, true});
  const int count = static_cast<int>(lines.size());
  PutLines(store_, index, std::move(lines));
  for (int i = index; i < index + count; ++i) objects_.Set(i, object, LineCount());
  // The recorded steps would no longer find their text where they left it.
  history_.Clear();
  ListChanged();
  SetCaret(caret_);
  InvalidateFrom(index);
}

void TCustomCodeMemo::ReplaceLine(int index, std::string_view text) {
  std::vector<std::string> lines = SplitIntoLines(text, {TBreaks::Any, tabSize_, true});
  store_.SetLine(index, std::move(lines.front()));
  // A line never holds a break: the text after each one becomes a line of its own.
  lines.erase(lines.begin());
  store_.InsertLines(index + 1, std::move(lines));
  history_.Clear();
  ListChanged();
}

void TCustomCodeMemo::DeleteLine(int index) {
  const TTextPos caret = caret_;
  const int count = LineCount();
  SetCaretY(index);
  DeleteCurrentLine();
  SetCaretX(count == 1 ? 0 : caret.Col);
  SetCaretY(index < caret.Line ? caret.Line - 1 : caret.Line);
}

void TCustomCodeMemo::ClearLines() {
  const bool hadSelection = selectionOpen_ || !SelectionEmpty();
  caret_ = anchor_ = {};
  selectionOpen_ = false;
  history_.Clear();
  if (hadSelection) FireSelectionChange();
  if (view_) view_->InvalidateAll();
  if (store_.Cleared()) return;
  store_.Clear();
  ListChanged();
}

void TCustomCodeMemo::LoadText(std::string_view bytes) {
  // Every line loaded is new: its modified mark is 0, whatever it came from.
  LoadStarted();
  ClearLines();
  store_.Assign(SplitIntoLines(bytes, {TBreaks::Any, tabSize_, false, true}));
  LoadFinished();
}

void TCustomCodeMemo::LoadStarted() {
  CollapseSelection();
  history_.Clear();
  caret_ = anchor_ = {};
  changeHandling_ = false;
}

void TCustomCodeMemo::LoadFinished() {
  ResetView();
  changeHandling_ = true;
  ListChanged();
  if (view_) {
    view_->ScrollBarsChanged();
    view_->CaretMoved();
    view_->InvalidateAll();
  }
}

void TCustomCodeMemo::TrimForSave() {
  for (int i = 0; i < LineCount(); ++i) {
    const int kept = static_cast<int>(WithoutTrailingBlanks(Line(i)).size());
    if (kept != LineLength(i)) Change({{i, kept}, {i, LineLength(i)}}, {}, false);
  }
}

void TCustomCodeMemo::MarkSaved() {
  marks_.Replace(1, 2);
  InvalidateFrom(0);
}

void TCustomCodeMemo::AssignLines(const TStrings& other) {
  ResetView();
  history_.Clear();
  std::vector<std::string> lines;
  for (int i = 0; i < other.Count(); ++i) {
    std::string s = ExpandTabs(other.Get(i), tabSize_);
    if (TrimTrailingSpaces) s.resize(WithoutTrailingBlanks(s).size());
    for (std::string& piece : SplitIntoLines(s, {TBreaks::Any, tabSize_, true}))
      lines.push_back(std::move(piece));
  }
  store_.Assign(std::move(lines));
  ListChanged();
  SetCaret({0, 0});
}

void TCustomCodeMemo::AddLines(const TStrings& other) {
  // Through the append, so that no tab or line break reaches a line.
  list_->BeginUpdate();
  TScopeGuard endUpdate([this] { list_->EndUpdate(); });
  for (int i = 0; i < other.Count(); ++i) AppendLines(other.Get(i), other.GetObject(i));
}

void TCustomCodeMemo::SetLines(const TStrings& other) {
  if (&other == list_.get()) return;
  {
    TScopeGuard handling([this, was = changeHandling_] { changeHandling_ = was; });
    changeHandling_ = false;
    ClearLines();
    AddLines(other);
    if (TrimTrailingSpaces) TrimForSave();
    // No lines at all are one empty line here.
    if (store_.Cleared()) store_.Assign({});
  }
  ListChanged();
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

TObject* TCustomCodeMemo::LineObject(int index) const {
  return objects_.Get(index);
}

void TCustomCodeMemo::SetLineObject(int index, TObject* object) {
  objects_.Set(index, object, LineCount());
  ListChanged();
}

}  // namespace kv
