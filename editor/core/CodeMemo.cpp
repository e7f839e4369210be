#include "editor/core/CodeMemo.h"

#include <algorithm>
#include <climits>

#include "support/AnsiCase.h"

namespace kv {

namespace {
constexpr int kCacheEvery = 20;  // every 20th line keeps its start state
}  // namespace

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

TCustomCodeMemo::TCustomCodeMemo()
    : lines_(std::make_unique<TCodeMemoStrings>(this)), undoList_(this) {
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
  bookmarks_.fill(-1);
  lines_->InsertRaw(0, {std::string()});
  AttachChangeHandler();
}

TCustomCodeMemo::~TCustomCodeMemo() {
  if (styler_) styler_->UnbindMemo(this);
  OnUndoChange = nullptr;
  lines_->OnChange = nullptr;
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
  undoList_.SetCapacity(undoLimit_);
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
  // The caches go only if the new rules carry states differently (see Tokenizer()).
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
    // A change of colours or of a description keeps every cached line state.
    if (!fresh.SameStateRules(tokenizer_)) {
      cacheWatermark_ = 0;
      topCacheLine_ = -1;
    }
    tokenizer_ = std::move(fresh);
    tokenizerStale_ = false;
    stylerRevision_ = revision;
  }
  return tokenizer_;
}

void TCustomCodeMemo::TokenizeLine(std::string_view text, TTokenState& state, TRunSink sink) const {
  Tokenizer().Tokenize(text, state, sink);
}

TTokenState TCustomCodeMemo::LineStartState(int line) {
  const int count = LineCount();
  line = std::clamp(line, 0, count);
  if (line == 0) return {};
  // First: preparing changed rules may drop the caches.
  const TLineTokenizer& tokenizer = Tokenizer();
  if (topCacheLine_ == line && line < cacheWatermark_) return topCacheState_;
  // Nearest earlier line whose cached state is known to be current.
  int from = std::min(line, cacheWatermark_ - 1);
  TTokenState state;
  for (; from > 0; --from) {
    const TLineProp* prop = lines_->LineProp(from);
    if (prop && prop->CacheValid) {
      state = prop->CachedState;
      break;
    }
  }
  if (from < 0) from = 0;
  for (int i = from; i < line; ++i) {
    if (i > from) {
      TLineProp* prop = lines_->LineProp(i);
      if (!prop && i % kCacheEvery == 0) prop = lines_->EnsureLineProp(i);
      if (prop && (prop->CacheValid || i % kCacheEvery == 0)) {
        prop->CachedState = state;
        prop->CacheValid = true;
      }
    }
    tokenizer.Advance(lines_->StringRef(i), state);
  }
  if (line < count) {
    TLineProp* prop = lines_->EnsureLineProp(line);
    prop->CachedState = state;
    prop->CacheValid = true;
  }
  // Every cache up to the requested line has just been rewritten.
  cacheWatermark_ = std::max(cacheWatermark_, line + 1);
  topCacheLine_ = line;
  topCacheState_ = state;
  return state;
}

std::vector<TTokenRun> TCustomCodeMemo::LineRuns(int line) {
  if (line < 0 || line >= LineCount()) return {};
  TTokenState state = LineStartState(line);
  return Tokenizer().Runs(lines_->StringRef(line), state);
}

void TCustomCodeMemo::InvalidateLineCaches(int first, int last) {
  first = std::max(first, 0);
  last = std::min(last, LineCount() - 1);
  for (int i = first; i <= last; ++i)
    if (TLineProp* prop = lines_->LineProp(i)) prop->CacheValid = false;
}

void TCustomCodeMemo::InvalidateCachesFrom(int line) {
  cacheWatermark_ = std::min(cacheWatermark_, std::max(line, 0));
}

void TCustomCodeMemo::InvalidateFrom(int line) {
  // An edit of a line changes the states at the start of every later line.
  InvalidateCachesFrom(line + 1);
  if (view_) view_->InvalidateLines(std::max(line, 0), INT_MAX);
}

// ---- the line store's hooks -------------------------------------------------------------------

void TCustomCodeMemo::AttachChangeHandler() {
  lines_->OnChange = [this](TObject*) { LineChangeHandler(); };
}

void TCustomCodeMemo::DetachChangeHandler() {
  lines_->OnChange = nullptr;
}

void TCustomCodeMemo::LineChangeHandler() {
  if (!changeHandling_ || lines_->UpdateDepth() > 0) return;
  FireChange();
  if (view_) view_->ScrollBarsChanged();
  MakeCaretVisible();
  if (view_) view_->InvalidateAll();
  for (int& b : bookmarks_)
    if (b >= LineCount()) b = -1;
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

void TCustomCodeMemo::Reset() {
  caretX_ = caretY_ = 0;
  topLine_ = leftCol_ = 0;
  selStartX_ = selStartY_ = selEndX_ = selEndY_ = selMoveX_ = selMoveY_ = 0;
  InvalidateCachesFrom(0);
  topCacheLine_ = -1;
  lines_->Clear();
}

void TCustomCodeMemo::LinesInserted(int index, int count) {
  for (int& b : bookmarks_)
    if (b >= index) b += count;
  if (index < topLine_) topCacheLine_ = -1;
  InvalidateCachesFrom(index);
  // The recorded steps no longer find their text where they left it.
  if (!undoList_.Performing()) undoList_.Clear();
}

void TCustomCodeMemo::LineReplaced(int index) {
  if (index < topLine_) topCacheLine_ = -1;
  InvalidateCachesFrom(index + 1);
  if (!undoList_.Performing()) undoList_.Clear();
}

void TCustomCodeMemo::LinesCleared() {
  const bool hadSelection = !SelectionEmpty();
  selStartX_ = selStartY_ = selEndX_ = selEndY_ = selMoveX_ = selMoveY_ = 0;
  caretX_ = caretY_ = 0;
  topCacheLine_ = -1;
  InvalidateCachesFrom(0);
  // Steps recorded against the old lines would edit text that no longer exists.
  undoList_.Clear();
  if (hadSelection) FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::LoadStarted() {
  CollapseSelection();
  undoList_.Clear();
  caretX_ = caretY_ = 0;
  changeHandling_ = false;
  DetachChangeHandler();
}

void TCustomCodeMemo::LoadFinished(bool fromFile) {
  topCacheLine_ = -1;
  InvalidateCachesFrom(0);
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  caretX_ = caretY_ = 0;
  topLine_ = leftCol_ = 0;
  changeHandling_ = true;
  AttachChangeHandler();
  LineChangeHandler();
  if (fromFile)
    for (int i = 0; i < LineCount(); ++i)
      if (TLineProp* prop = lines_->LineProp(i)) prop->ModifiedState = 0;
  if (view_) {
    view_->ScrollBarsChanged();
    view_->CaretMoved();
    view_->InvalidateAll();
  }
}

void TCustomCodeMemo::SetLines(const TStrings& other) {
  if (&other == lines_.get()) return;
  DetachChangeHandler();
  lines_->Clear();
  lines_->AddStrings(other);
  if (TrimTrailingSpaces)
    for (int i = 0; i < LineCount(); ++i) {
      const std::string& s = lines_->StringRef(i);
      const size_t end = s.find_last_not_of(' ');
      lines_->PutRaw(i, end == std::string::npos ? std::string() : s.substr(0, end + 1));
    }
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  AttachChangeHandler();
  LineChangeHandler();
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

// ---- text primitives --------------------------------------------------------------------------

void TCustomCodeMemo::EndOf(int line, int col, std::string_view text, int& endLine, int& endCol) {
  const size_t lastBreak = text.rfind('\n');
  if (lastBreak == std::string_view::npos) {
    endLine = line;
    endCol = col + static_cast<int>(text.size());
    return;
  }
  endLine = line + static_cast<int>(std::count(text.begin(), text.end(), '\n'));
  endCol = static_cast<int>(text.size() - lastBreak - 1);
}

std::string TCustomCodeMemo::TextRange(int startX, int startY, int endX, int endY) const {
  const int count = LineCount();
  if (count == 0) return {};
  startY = std::clamp(startY, 0, count - 1);
  endY = std::clamp(endY, 0, count - 1);
  if (endY < startY || (endY == startY && endX <= startX)) return {};
  auto clampCol = [&](int line, int col) { return std::clamp(col, 0, lines_->LineLength(line)); };
  startX = clampCol(startY, startX);
  endX = clampCol(endY, endX);
  const std::string& first = lines_->StringRef(startY);
  if (startY == endY)
    return first.substr(static_cast<size_t>(startX),
                        static_cast<size_t>(std::max(0, endX - startX)));
  std::string r = first.substr(static_cast<size_t>(startX));
  for (int i = startY + 1; i < endY; ++i) {
    r += '\n';
    r += lines_->StringRef(i);
  }
  r += '\n';
  r.append(lines_->StringRef(endY), 0, static_cast<size_t>(endX));
  return r;
}

void TCustomCodeMemo::PadLine(int line, int column) {
  std::string& s = lines_->LineRef(line);
  if (static_cast<int>(s.size()) >= column) return;
  s.append(static_cast<size_t>(column) - s.size(), ' ');
  lines_->LineRefChanged(line);
  InvalidateFrom(line);
}

void TCustomCodeMemo::ShiftBookmarks(int line, int oldCount, int newCount) {
  if (oldCount == newCount) return;
  const int delta = newCount - oldCount;
  for (int& b : bookmarks_) {
    if (b <= line) continue;
    if (delta < 0 && b < line + oldCount)
      b = line + std::max(0, std::min(b - line, newCount - 1));
    else
      b += delta;
  }
}

std::string TCustomCodeMemo::ReplaceText(int line, int col, int endLine, int endCol,
                                         std::string_view inserted, int* newEndLine,
                                         int* newEndCol) {
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  const int count = LineCount();
  line = std::clamp(line, 0, count - 1);
  endLine = std::clamp(endLine, line, count - 1);
  col = std::max(col, 0);
  PadLine(line, col);
  if (endLine == line) endCol = std::max(endCol, col);
  endCol = std::clamp(endCol, 0, lines_->LineLength(endLine));
  std::string removed = TextRange(col, line, endCol, endLine);

  int lastLine, lastCol;
  if (endLine == line && inserted.find('\n') == std::string_view::npos) {
    // Within one line: costs the length of that line only.
    std::string& s = lines_->LineRef(line);
    s.replace(static_cast<size_t>(col), static_cast<size_t>(endCol - col), inserted);
    lines_->LineRefChanged(line);
    lastLine = line;
    lastCol = col + static_cast<int>(inserted.size());
    SetModified(line);
    InvalidateFrom(line);
  } else {
    std::vector<std::string> pieces;
    size_t start = 0;
    for (;;) {
      const size_t brk = inserted.find('\n', start);
      pieces.emplace_back(inserted.substr(
          start, brk == std::string_view::npos ? std::string_view::npos : brk - start));
      if (brk == std::string_view::npos) break;
      start = brk + 1;
    }
    const int k = static_cast<int>(pieces.size());
    lastLine = line + k - 1;
    lastCol =
        k == 1 ? col + static_cast<int>(pieces[0].size()) : static_cast<int>(pieces.back().size());
    const std::string& firstText = lines_->StringRef(line);
    const std::string& endText = lines_->StringRef(endLine);
    pieces.back() += endText.substr(static_cast<size_t>(endCol));
    pieces[0].insert(0, firstText, 0, static_cast<size_t>(col));
    const int oldCount = endLine - line + 1;
    const int common = std::min(oldCount, k);
    for (int i = 0; i < common; ++i) lines_->PutRaw(line + i, std::move(pieces[i]));
    if (k > oldCount) {
      lines_->InsertRaw(line + oldCount,
                        std::vector<std::string>(std::make_move_iterator(pieces.begin() + oldCount),
                                                 std::make_move_iterator(pieces.end())));
    } else if (k < oldCount) {
      lines_->DeleteRaw(line + k, oldCount - k);
    }
    ShiftBookmarks(line, oldCount, k);
    if (line < topLine_) topCacheLine_ = -1;
    for (int i = line; i <= lastLine; ++i) SetModified(i);
    InvalidateFrom(line);
    if (view_ && k != oldCount) view_->ScrollBarsChanged();
  }
  if (newEndLine) *newEndLine = lastLine;
  if (newEndCol) *newEndCol = lastCol;
  return removed;
}

int TCustomCodeMemo::ModifiedState(int line) const {
  const TLineProp* prop = lines_->LineProp(line);
  return prop ? prop->ModifiedState : 0;
}

void TCustomCodeMemo::SetModified(int line) {
  TLineProp* prop = lines_->EnsureLineProp(line);
  if (!prop || prop->ModifiedState == 1) return;
  prop->ModifiedState = 1;
  if (view_) view_->InvalidateLines(line, line);
}

void TCustomCodeMemo::FireChange() {
  if (OnChange) OnChange(EventSender);
}

void TCustomCodeMemo::FireSelectionChange() {
  if (OnSelectionChange) OnSelectionChange(EventSender);
}

void TCustomCodeMemo::Record(std::unique_ptr<TUndo> step) {
  undoList_.Add(std::move(step));
}

// ---- caret and view ---------------------------------------------------------------------------

void TCustomCodeMemo::SetCaretX(int column) {
  SetCaretXInternal(column, false);
}

void TCustomCodeMemo::SetCaretXInternal(int column, bool force) {
  if (!force) {
    if (AutoExpand && column == caretX_) return;
    if (!AutoExpand && LineCount() == 0) return;
  }
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  caretY_ = std::clamp(caretY_, 0, LineCount() - 1);
  if (column < 0) {
    if (caretY_ > 0) {
      --caretY_;
      column = lines_->LineLength(caretY_);
    } else {
      column = 0;
    }
  }
  const int length = lines_->LineLength(caretY_);
  if (column > length) {
    if (AutoExpand)
      PadLine(caretY_, column);
    else
      column = length;
  }
  caretX_ = column;
  CaretChanged(false);
  if (OnColumnChange) OnColumnChange(EventSender, caretX_);
}

void TCustomCodeMemo::SetCaretY(int line) {
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  line = std::clamp(line, 0, LineCount() - 1);
  const int old = caretY_;
  if (line != old && old >= 0 && old < LineCount() && TrimTrailingSpaces) {
    const std::string& s = lines_->StringRef(old);
    const size_t end = s.find_last_not_of(' ');
    const size_t keep = end == std::string::npos ? 0 : end + 1;
    if (keep != s.size()) {
      lines_->PutRaw(old, s.substr(0, keep));
      InvalidateFrom(old);
    }
  }
  caretY_ = line;
  SetCaretXInternal(caretX_, true);
  if (line != old) {
    if (OnActiveLineChange) OnActiveLineChange(EventSender, caretY_);
  }
}

void TCustomCodeMemo::SetCaret(int column, int line) {
  // The column is taken before the line changes, so that the new line is padded to the
  // column asked for and not to the old one.
  if (column >= 0) {
    caretX_ = column;
    SetCaretY(line);
  } else {
    SetCaretY(line);
    SetCaretX(column);
  }
}

void TCustomCodeMemo::CaretChanged(bool lineChanged) {
  (void)lineChanged;
  MakeCaretVisible();
  if (OnStatusChange) OnStatusChange(EventSender);
  if (view_) view_->CaretMoved();
  if (OnCursorChange) OnCursorChange(EventSender);
}

void TCustomCodeMemo::MakeCaretVisible() {
  bool changed = false;
  if (visibleCols_ > 0) {
    if (caretX_ < leftCol_) {
      leftCol_ = std::max(0, caretX_ - 2);
      changed = true;
    } else if (caretX_ > leftCol_ + visibleCols_ - 1) {
      leftCol_ += caretX_ - (leftCol_ + visibleCols_ - 1) + 2;
      changed = true;
    }
  }
  if (visibleRows_ > 0) {
    if (caretY_ < topLine_) {
      topLine_ = caretY_;
      changed = true;
    } else if (caretY_ > topLine_ + visibleRows_ - 1) {
      topLine_ += caretY_ - (topLine_ + visibleRows_ - 1);
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
    SetCaret(0, 0);
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
  line = std::clamp(line, 0, std::max(0, LineCount() - 1));
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

// ---- selection --------------------------------------------------------------------------------

void TCustomCodeMemo::OrderedSelection(int& startX, int& startY, int& endX, int& endY) const {
  startX = selStartX_;
  startY = selStartY_;
  endX = selEndX_;
  endY = selEndY_;
  if (endY < startY || (endY == startY && endX < startX)) {
    std::swap(startX, endX);
    std::swap(startY, endY);
  }
}

void TCustomCodeMemo::SetSelection(int startX, int startY, int endX, int endY) {
  selStartX_ = std::max(0, startX);
  selStartY_ = std::max(0, startY);
  selEndX_ = std::max(0, endX);
  selEndY_ = std::max(0, endY);
  selMoveX_ = selEndX_;
  selMoveY_ = selEndY_;
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::CollapseSelection() {
  const bool wasEmpty = SelectionEmpty();
  selStartX_ = selEndX_ = selMoveX_ = caretX_;
  selStartY_ = selEndY_ = selMoveY_ = caretY_;
  if (wasEmpty) return;
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::ExtendSelection() {
  selEndX_ = selMoveX_ = caretX_;
  selEndY_ = selMoveY_ = caretY_;
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::SelectAll() {
  EnsureCaretLine();
  const int last = LineCount() - 1;
  const int end = lines_->LineLength(last);
  caretY_ = last;
  caretX_ = end;
  CaretChanged(true);
  selStartX_ = selStartY_ = 0;
  selEndX_ = selMoveX_ = end;
  selEndY_ = selMoveY_ = last;
  FireSelectionChange();
  if (view_) view_->InvalidateAll();
}

std::string TCustomCodeMemo::GetSelText() const {
  int sx, sy, ex, ey;
  OrderedSelection(sx, sy, ex, ey);
  std::string text = TextRange(sx, sy, ex, ey);
  std::string r;
  r.reserve(text.size() + text.size() / 16);
  for (char c : text) {
    if (c == '\n')
      r += "\r\n";
    else
      r += c;
  }
  return r;
}

bool TCustomCodeMemo::IsSelected(int line, int column) const {
  int sx, sy, ex, ey;
  OrderedSelection(sx, sy, ex, ey);
  if (sx == ex && sy == ey) return false;
  if (line < sy || line > ey) return false;
  if (line > sy && line < ey) return true;
  if (sy == ey) return column >= sx && column < ex;
  if (line == sy) return column >= sx;
  return column < ex;
}

void TCustomCodeMemo::SetBookmark(int index, int line) {
  if (index < 0 || index >= static_cast<int>(bookmarks_.size())) return;
  bookmarks_[index] = line < 0 || line >= LineCount() ? -1 : line;
  if (view_) view_->InvalidateAll();
}

void TCustomCodeMemo::GotoBookmark(int index) {
  if (index < 0 || index >= static_cast<int>(bookmarks_.size()) || bookmarks_[index] < 0) return;
  SetCaretY(bookmarks_[index]);
  CollapseSelection();
}

}  // namespace kv
