#include "editor/core/CodeMemo.h"

#include <algorithm>
#include <climits>

#include "editor/core/LineText.h"

namespace kv {

// ---- TAutoCorrect -----------------------------------------------------------------------------

KV_DEFINE_CLASS(
    TAutoCorrect, TPersistent,
    {prop::Boolean<TAutoCorrect>(
         "Active", [](TAutoCorrect& a) { return a.Active; },
         [](TAutoCorrect& a, bool v) { a.Active = v; }),
     prop::Object<TAutoCorrect>(
         "OldValue", "TStrings", [](TAutoCorrect& a) -> TPersistent* { return &a.OldValue; },
         [](TAutoCorrect& a, TPersistent* v) { a.OldValue.Assign(v); }),
     prop::Object<TAutoCorrect>(
         "NewValue", "TStrings", [](TAutoCorrect& a) -> TPersistent* { return &a.NewValue; },
         [](TAutoCorrect& a, TPersistent* v) { a.NewValue.Assign(v); })})

void TAutoCorrect::Assign(const TPersistent* source) {
  if (auto* other = dynamic_cast<const TAutoCorrect*>(source)) {
    Active = other->Active;
    OldValue.Assign(&other->OldValue);
    NewValue.Assign(&other->NewValue);
    return;
  }
  TPersistent::Assign(source);
}

// ---- construction -----------------------------------------------------------------------------

KV_DEFINE_CLASS(TCustomCodeMemo, TPersistent, {})

TCustomCodeMemo::TCustomCodeMemo() : list_(std::make_unique<TCodeMemoStrings>(this)) {
  for (TLineListener* l : std::initializer_list<TLineListener*>{&marks_, &errors_, &bookmarks_,
                                                                &states_, &runs_, &objects_})
    store_.AddListener(l);
  font_.SetName("COURIER NEW");
  font_.SetHeight(-13);
  font_.SetColor(clBlack);
  font_.SetStyle(0);
  font_.OnChange = [this](TObject*) {
    if (view_) view_->InvalidateAll();
  };
  urlStyle_.OnChange = [this](TObject*) {
    if (view_) view_->InvalidateAll();
  };
  history_.OnChange = [this] {
    if (OnUndoChange) OnUndoChange(EventSender, history_.CanUndo(), history_.CanRedo());
  };
}

TCustomCodeMemo::~TCustomCodeMemo() {
  if (styler_) styler_->UnbindMemo(this);
  history_.OnChange = nullptr;
  font_.OnChange = nullptr;
  urlStyle_.OnChange = nullptr;
}

// ---- settings ---------------------------------------------------------------------------------

void TCustomCodeMemo::SetTabSize(int size) {
  tabSize_ = std::max(1, size);
}

void TCustomCodeMemo::SetUndoLimit(int limit) {
  if (limit == undoLimit_) return;
  undoLimit_ = std::clamp(limit, 1, TCodeUndoList::kMaxCapacity);
  history_.SetCapacity(undoLimit_);
}

void TCustomCodeMemo::SetUrlAware(bool on) {
  if (urlAware_ == on) return;
  urlAware_ = on;
  StylerChanged();
}

void TCustomCodeMemo::SetCaseSensitive(bool on) {
  if (caseSensitive_ == on) return;
  caseSensitive_ = on;
  StylerChanged();
}

void TCustomCodeMemo::SetUseStyler(bool on) {
  if (useStyler_ == on) return;
  useStyler_ = on;
  StylerChanged();
}

void TCustomCodeMemo::SetOverwrite(bool on) {
  if (overwrite_ == on) return;
  overwrite_ = on;
  if (OnStatusChange) OnStatusChange(EventSender);
}

// ---- styler and runs --------------------------------------------------------------------------

void TCustomCodeMemo::SetSyntaxStyles(TCustomMemoStyler* styler) {
  if (styler_ == styler) return;
  if (styler_) styler_->UnbindMemo(this);
  styler_ = styler;
  if (styler_) styler_->BindMemo(this);
  useStyler_ = styler_ != nullptr;
  StylerChanged();
}

void TCustomCodeMemo::StylerDestroyed(TCustomMemoStyler* styler) {
  if (!styler || styler != styler_) return;
  styler_->UnbindMemo(this);
  styler_ = nullptr;
  useStyler_ = false;
  StylerChanged();
}

void TCustomCodeMemo::StylerChanged() {
  // The kept states go only if the new rules carry states differently (see Tokenizer()).
  tokenizerStale_ = true;
  if (view_) view_->InvalidateAll();
}

const TLineTokenizer& TCustomCodeMemo::Tokenizer() const {
  TTokenizerSettings settings;
  settings.UseStyler = useStyler_;
  settings.UrlAware = urlAware_;
  settings.CaseSensitive = caseSensitive_;
  settings.FontColor = font_.Color();
  settings.FontStyle = font_.Style();
  settings.BkColor = BkColor;
  settings.UrlTextColor = urlStyle_.TextColor();
  settings.UrlBkColor = urlStyle_.BkColor();
  settings.UrlFontStyle = urlStyle_.Style();
  const unsigned revision = styler_ ? styler_->Revision() : 0;
  if (tokenizerStale_ || revision != stylerRevision_ || !(settings == tokenizer_.Settings())) {
    TLineTokenizer fresh;
    fresh.Prepare(styler_, settings);
    // A change of colours or of a description keeps every kept line state.
    if (!fresh.SameStateRules(tokenizer_)) states_.ForgetAll();
    tokenizer_ = std::move(fresh);
    tokenizerStale_ = false;
    stylerRevision_ = revision;
    ++rulesRevision_;  // kept runs carry colours: none of them holds now
  }
  return tokenizer_;
}

void TCustomCodeMemo::TokenizeLine(std::string_view text, TTokenState& state, TRunSink sink) const {
  Tokenizer().Tokenize(text, state, sink);
}

TTokenState TCustomCodeMemo::LineStartState(int line) {
  // First: preparing changed rules may forget the kept states.
  const TLineTokenizer& rules = Tokenizer();
  return states_.StartOf(line, rules);
}

void TCustomCodeMemo::PaintRuns(int line, TTokenState& state, int from, int to, TRunSink sink) {
  const TLineTokenizer& rules = Tokenizer();
  runs_.Walk(line, Line(line), state, rules, rulesRevision_, from, to, sink);
}

void TCustomCodeMemo::AdvanceLine(int line, TTokenState& state) {
  const TLineTokenizer& rules = Tokenizer();
  runs_.Advance(line, Line(line), state, rules, rulesRevision_);
}

std::vector<TTokenRun> TCustomCodeMemo::LineRuns(int line) {
  if (line < 0 || line >= LineCount()) return {};
  TTokenState state = LineStartState(line);
  return Tokenizer().Runs(Line(line), state);
}

void TCustomCodeMemo::InvalidateLineCaches(int first, int last) {
  states_.ForgetLines(first, last);
}

// ---- the one door for text changes ------------------------------------------------------------

TTextPos TCustomCodeMemo::ReplaceText(TTextRange range, std::string_view text) {
  return Change(range, text, true);
}

TTextPos TCustomCodeMemo::Change(TTextRange range, std::string_view text, bool userEdit) {
  range.Start.Line = std::clamp(range.Start.Line, 0, LineCount() - 1);
  range.Start.Col = std::max(range.Start.Col, 0);
  // Typing beyond a line's end first fills the gap with blanks, silently.
  if (range.Start.Col > LineLength(range.Start.Line)) {
    const TTextPos end{range.Start.Line, LineLength(range.Start.Line)};
    store_.Replace({end, end}, std::string(static_cast<size_t>(range.Start.Col - end.Col), ' '));
  }
  range = TTextRange(range.Start, std::max(range.Start, store_.Clamp(range.End)));
  std::string removed = range.Empty() ? std::string() : store_.Text(range);
  const TTextPos end = store_.Replace(range, text);
  if (userEdit) {
    for (int line = range.Start.Line; line <= end.Line; ++line) SetModified(line);
    if (recording_ && !replaying_ && !(removed.empty() && text.empty()))
      recording_->AddEdit({range.Start, std::move(removed), std::string(text), {}});
  }
  InvalidateFrom(range.Start.Line);
  return end;
}

void TCustomCodeMemo::PadLine(int line, int column) {
  if (line < 0 || line >= LineCount() || LineLength(line) >= column) return;
  const TTextPos end{line, LineLength(line)};
  Change({end, end}, std::string(static_cast<size_t>(column - end.Col), ' '), false);
}

void TCustomCodeMemo::InvalidateFrom(int line) {
  if (view_) view_->InvalidateLines(std::max(line, 0), INT_MAX);
}

void TCustomCodeMemo::SetModified(int line) {
  if (marks_.Set(line, 1) && view_) view_->InvalidateLines(line, line);
}

std::string TCustomCodeMemo::GetText() const {
  if (store_.Cleared()) return {};
  std::string text;
  size_t size = 0;
  for (int i = 0; i < LineCount(); ++i) size += Line(i).size() + 2;
  text.reserve(size);
  for (int i = 0; i < LineCount(); ++i) {
    text += Line(i);
    text += "\r\n";
  }
  return text;
}

void TCustomCodeMemo::FireChange() {
  if (view_) view_->TextChanged();
  if (OnChange) OnChange(EventSender);
}

void TCustomCodeMemo::FireSelectionChange() {
  if (OnSelectionChange) OnSelectionChange(EventSender);
}

// ---- edit steps -------------------------------------------------------------------------------

TEditStep::TEditStep(TCustomCodeMemo& memo, TUndoKind kind)
    : memo_(memo), outer_(memo.recording_), step_(outer_ ? own_ : memo.spareStep_) {
  // The spare step keeps the room of its edits from one operation to the next.
  step_.Edits.clear();
  step_.Linked = step_.FromBackspace = step_.WasOverwrite = false;
  step_.Kind = kind;
  step_.CaretBefore = memo.caret_;
  step_.AnchorBefore = memo.anchor_;
  memo.recording_ = &step_;
}

TEditStep::~TEditStep() {
  memo_.recording_ = outer_;
  // An operation inside another one belongs to it; only the outermost is a step of its own.
  if (outer_) {
    for (TTextEdit& e : step_.Edits) outer_->AddEdit(std::move(e));
    return;
  }
  if (memo_.replaying_) return;
  step_.CaretAfter = memo_.caret_;
  try {
    memo_.history_.Add(step_);
  } catch (...) {
    // Without memory for the step the history ends here rather than lie about the text.
    memo_.history_.Clear();
  }
}

// ---- caret and view ---------------------------------------------------------------------------

void TCustomCodeMemo::SetCaretX(int column) {
  CaretMove([&] { MoveCaretX(column, false); });
}

void TCustomCodeMemo::SetCaretY(int line) {
  CaretMove([&] { MoveCaretY(line); });
}

void TCustomCodeMemo::SetCaret(TTextPos pos) {
  CaretMove([&] { MoveCaret(pos); });
}

void TCustomCodeMemo::MoveCaretX(int column, bool force) {
  if (!force && AutoExpand && column == caret_.Col) return;
  caret_.Line = std::clamp(caret_.Line, 0, LineCount() - 1);
  if (column < 0) {
    if (caret_.Line > 0) {
      --caret_.Line;
      column = LineLength(caret_.Line);
    } else {
      column = 0;
    }
  }
  if (column > LineLength(caret_.Line)) {
    if (AutoExpand)
      PadLine(caret_.Line, column);
    else
      column = LineLength(caret_.Line);
  }
  caret_.Col = column;
  CaretChanged();
  if (OnColumnChange) OnColumnChange(EventSender, caret_.Col);
}

void TCustomCodeMemo::MoveCaretY(int line) {
  line = std::clamp(line, 0, LineCount() - 1);
  const int old = caret_.Line;
  if (line != old && old >= 0 && old < LineCount() && TrimTrailingSpaces) {
    const std::string_view kept = WithoutTrailingBlanks(Line(old));
    if (kept.size() != Line(old).size())
      Change({{old, static_cast<int>(kept.size())}, {old, LineLength(old)}}, {}, false);
  }
  caret_.Line = line;
  MoveCaretX(caret_.Col, true);
  if (line != old && OnActiveLineChange) OnActiveLineChange(EventSender, caret_.Line);
}

void TCustomCodeMemo::MoveCaret(TTextPos pos) {
  // The column is taken before the line changes, so that the new line is padded to the
  // column asked for and not to the old one.
  if (pos.Col >= 0) {
    caret_.Col = pos.Col;
    MoveCaretY(pos.Line);
  } else {
    MoveCaretY(pos.Line);
    MoveCaretX(pos.Col, false);
  }
}

void TCustomCodeMemo::CaretChanged() {
  MakeCaretVisible();
  if (OnStatusChange) OnStatusChange(EventSender);
  if (view_) view_->CaretMoved();
  if (OnCursorChange) OnCursorChange(EventSender);
}

void TCustomCodeMemo::MakeCaretVisible() {
  bool changed = false;
  if (visibleCols_ > 0) {
    if (caret_.Col < leftCol_) {
      leftCol_ = std::max(0, caret_.Col - 2);
      changed = true;
    } else if (caret_.Col > leftCol_ + visibleCols_ - 1) {
      leftCol_ += caret_.Col - (leftCol_ + visibleCols_ - 1) + 2;
      changed = true;
    }
  }
  if (visibleRows_ > 0) {
    if (caret_.Line < topLine_) {
      topLine_ = caret_.Line;
      changed = true;
    } else if (caret_.Line > topLine_ + visibleRows_ - 1) {
      topLine_ += caret_.Line - (topLine_ + visibleRows_ - 1);
      changed = true;
    }
  }
  if (!changed) return;
  if (view_) {
    view_->ScrollBarsChanged();
    view_->InvalidateAll();
  }
  if (OnTopLeftChanged) OnTopLeftChanged(EventSender);
}

void TCustomCodeMemo::SetViewSize(int rows, int columns) {
  visibleRows_ = std::max(0, rows);
  visibleCols_ = std::max(0, columns);
}

void TCustomCodeMemo::SetTopLine(int line) {
  const int count = LineCount();
  if (count <= visibleRows_) {
    SetCaret({0, 0});
    return;
  }
  int top;
  if (line + visibleRows_ < count)
    top = std::max(0, line);
  else
    top = std::max(0, count - visibleRows_ / 2);
  if (top == topLine_) return;
  topLine_ = top;
  if (view_) {
    view_->ScrollBarsChanged();
    view_->CaretMoved();
    view_->InvalidateAll();
  }
  if (OnTopLeftChanged) OnTopLeftChanged(EventSender);
}

void TCustomCodeMemo::SetTopLineRaw(int line) {
  line = std::clamp(line, 0, LineCount() - 1);
  if (line == topLine_) return;
  topLine_ = line;
  if (view_) view_->InvalidateAll();
  if (OnTopLeftChanged) OnTopLeftChanged(EventSender);
}

void TCustomCodeMemo::SetLeftCol(int column) {
  column = std::max(0, column);
  if (column == leftCol_) return;
  leftCol_ = column;
  if (view_) view_->InvalidateAll();
  if (OnTopLeftChanged) OnTopLeftChanged(EventSender);
}

void TCustomCodeMemo::ResetView() {
  caret_ = anchor_ = {};
  selectionOpen_ = false;
  topLine_ = leftCol_ = 0;
}

// ---- selection --------------------------------------------------------------------------------

void TCustomCodeMemo::SetSelection(TTextPos anchor, TTextPos caret) {
  auto inText = [this](TTextPos p) {
    return TTextPos{std::clamp(p.Line, 0, LineCount() - 1), std::max(p.Col, 0)};
  };
  anchor_ = inText(anchor);
  caret_ = inText(caret);
  SelectionMade();
}

void TCustomCodeMemo::SelectionMade() {
  selectionOpen_ = !SelectionEmpty();
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::CollapseSelection() {
  const bool wasOpen = selectionOpen_ || !SelectionEmpty();
  anchor_ = caret_;
  selectionOpen_ = false;
  if (!wasOpen) return;
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::ExtendSelection() {
  SelectionMade();
}

void TCustomCodeMemo::SelectAll() {
  caret_ = store_.End();
  CaretChanged();
  anchor_ = {0, 0};
  SelectionMade();
}

std::string TCustomCodeMemo::GetSelText() const {
  return WithCrLf(store_.Text(Selection()));
}

void TCustomCodeMemo::SetBookmark(int index, int line) {
  bookmarks_.Set(index, line >= LineCount() ? -1 : line);
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::GotoBookmark(int index) {
  if (bookmarks_.Get(index) < 0) return;
  SetCaretY(bookmarks_.Get(index));
  CollapseSelection();
}

}  // namespace kv
