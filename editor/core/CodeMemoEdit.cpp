// Keyboard handling and the editing operations of the code editor model.
#include <algorithm>

#include "editor/core/CodeMemo.h"
#include "support/AnsiCase.h"

namespace kv {

using namespace keys;

namespace {

bool EndsWord(char c) {
  return c == '\t' || c == '\r' || c == ' ' || c == '(' || c == ',' || c == '.' || c == '=' ||
         c == '[';
}

// Line breaks of any kind become '\n'; the text ends at a NUL as loaded text does.
std::string NormalizeBreaks(std::string_view text, int tabSize) {
  std::string r;
  r.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\0') break;
    if (c == '\r') {
      r += '\n';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\t') {
      r.append(static_cast<size_t>(tabSize), ' ');
    } else {
      r += c;
    }
  }
  return r;
}

std::string WithCrLf(std::string_view text) {
  std::string r;
  r.reserve(text.size());
  for (char c : text) {
    if (c == '\n')
      r += "\r\n";
    else
      r += c;
  }
  return r;
}

}  // namespace

void TCustomCodeMemo::EnsureCaretLine() {
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  caretY_ = std::clamp(caretY_, 0, LineCount() - 1);
  caretX_ = std::max(caretX_, 0);
}

bool TCustomCodeMemo::IsDelimiter(char c) const {
  if (c == ' ' || c == '"' || c == '\'') return true;
  const TLineTokenizer& t = Tokenizer();
  return t.Styled() && (t.IsSymbol(c) || t.IsBracketChar(c));
}

bool TCustomCodeMemo::IsWordJumpDelimiter(char c) const {
  const TLineTokenizer& t = Tokenizer();
  if (!t.Styled()) return c == ' ';
  return t.FirstSymbols().find(c) != std::string::npos;
}

// ---- keyboard ---------------------------------------------------------------------------------

void TCustomCodeMemo::Navigate(int key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  const bool extend = shift & ssShift;
  // Shift extends from the moving end; a caret elsewhere starts a new selection.
  if (extend && (caretX_ != selMoveX_ || caretY_ != selMoveY_)) CollapseSelection();
  switch (key) {
    case VK_LEFT:
      if (ctrl)
        WordLeft();
      else
        SetCaretX(caretX_ - 1);
      break;
    case VK_RIGHT:
      if (ctrl)
        WordRight();
      else
        SetCaretX(caretX_ + 1);
      break;
    case VK_UP:
      SetCaretY(caretY_ - 1);
      break;
    case VK_DOWN:
      SetCaretY(caretY_ + 1);
      break;
    case VK_HOME:
      if (EnhancedHomeKey && !ctrl) {
        // Home toggles between the first non-blank character and column 0.
        const std::string& s = lines_->StringRef(caretY_);
        const size_t first = s.find_first_not_of(' ');
        const int indent = first == std::string::npos ? 0 : static_cast<int>(first);
        SetCaretX(caretX_ == indent ? 0 : indent);
      } else {
        SetCaret(0, ctrl ? 0 : caretY_);
      }
      if (caretX_ == 0) SetLeftCol(0);
      break;
    case VK_END:
      // Ctrl+End goes to the text's real end, not to the old column padded onto the last line.
      if (ctrl)
        SetCaret(lines_->LineLength(LineCount() - 1), LineCount() - 1);
      else
        SetCaretX(lines_->LineLength(caretY_));
      break;
    case VK_PRIOR:
      PageUp(ctrl);
      break;
    case VK_NEXT:
      PageDown(ctrl);
      break;
  }
  if (extend)
    ExtendSelection();
  else
    CollapseSelection();
}

bool TCustomCodeMemo::KeyDown(int key, TShiftState shift) {
  EnsureCaretLine();
  const bool ctrl = shift & ssCtrl;
  const bool alt = shift & ssAlt;
  const bool sh = shift & ssShift;
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      Navigate(key, shift);
      return true;
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_MENU:
      return false;
    default:
      break;
  }
  // Other keys act on a clamped caret (matters only without AutoExpand).
  if (!AutoExpand) SetCaretY(caretY_);
  switch (key) {
    case VK_BACK:
      if (alt && sh)
        Redo();
      else if (alt)
        Undo();
      else if (ctrl)
        CtrlBackSpace();
      else
        BackSpace();
      return true;
    case VK_DELETE:
      if (sh) {
        if (!ReadOnly && view_) view_->CutRequested();
      } else if (!SelectionEmpty() && DelErase) {
        DeleteSelection();
      } else {
        DeleteChar();
      }
      return true;
    case VK_TAB:
      if (!WantTab) return false;
      if (sh)
        ShiftTab();
      else if (!ctrl)
        TabKey();
      return true;
    case VK_INSERT:
      if (ctrl) {
        if (view_) view_->CopyRequested();
      } else if (sh) {
        if (!ReadOnly && view_) view_->PasteRequested();
      } else {
        ToggleOverwrite();
      }
      if (OnStatusChange) OnStatusChange(EventSender);
      return true;
    case VK_RETURN:
      if (ReadOnly) return true;
      DeleteSelection();
      NewLine();
      return true;
    case VK_ESCAPE:
      return false;
    default:
      break;
  }
  if (!ctrl) return false;
  switch (key) {
    case VK_A:
      SelectAll();
      return true;
    case VK_C:
      if (view_) view_->CopyRequested();
      return true;
    case VK_X:
      if (!ReadOnly && view_) view_->CutRequested();
      return true;
    case VK_V:
      if (!ReadOnly && view_) view_->PasteRequested();
      return true;
    case VK_Z:
      if (!alt) Undo();
      return true;
    case VK_Y:
      if (!ReadOnly) Redo();
      return true;
    case VK_F:
      if (OnFind) OnFind(EventSender);
      return true;
    case VK_H:
      if (OnReplace) OnReplace(EventSender);
      return true;
    default:
      return false;
  }
}

void TCustomCodeMemo::KeyPress(char c) {
  InsertChar(c);
}

// ---- typing -----------------------------------------------------------------------------------

void TCustomCodeMemo::AutoCorrectWord() {
  const bool lists = autoCorrect_.Active && autoCorrect_.OldValue.Count() > 0;
  if (!OnWordComplete && !lists) return;
  if (caretY_ >= LineCount()) return;
  const std::string& s = lines_->StringRef(caretY_);
  const int end = std::min(caretX_, static_cast<int>(s.size()));
  int start = end;
  while (start > 0 && !IsDelimiter(s[start - 1])) --start;
  if (start == end) return;
  const std::string word = s.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  std::string replacement = word;
  if (lists) {
    for (int i = 0; i < autoCorrect_.OldValue.Count(); ++i) {
      if (autoCorrect_.OldValue.StringRef(i) == word) {
        if (i < autoCorrect_.NewValue.Count()) replacement = autoCorrect_.NewValue.StringRef(i);
        break;
      }
    }
  }
  if (OnWordComplete) OnWordComplete(EventSender, word, replacement);
  if (replacement == word) return;
  replacement = NormalizeBreaks(replacement, tabSize_);
  replacement.erase(std::remove(replacement.begin(), replacement.end(), '\n'), replacement.end());
  // Recorded as a step of its own, so that undoing later steps still finds their text.
  auto step = std::make_unique<TCorrectUndo>();
  step->LineNo = caretY_;
  step->Text = s;
  step->BeforeX = caretX_;
  step->BeforeY = caretY_;
  const std::string removed = ReplaceText(caretY_, start, caretY_, end, replacement);
  step->Edits.push_back({caretY_, start, removed, replacement});
  caretX_ += static_cast<int>(replacement.size()) - static_cast<int>(word.size());
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
}

void TCustomCodeMemo::InsertChar(char c) {
  // Control characters are keys (KeyDown); typed into a line they would break its rules.
  const unsigned char u = static_cast<unsigned char>(c);
  if (u < 32 || u == 127) return;
  EnsureCaretLine();
  if (ReadOnly) return;
  if (EndsWord(c)) AutoCorrectWord();
  if (DelErase && !SelectionEmpty()) DeleteSelection();
  if (CharCase == TEditCharCase::ecUpperCase)
    c = static_cast<char>(AnsiUpperChar(static_cast<unsigned char>(c)));
  else if (CharCase == TEditCharCase::ecLowerCase)
    c = static_cast<char>(AnsiLowerChar(static_cast<unsigned char>(c)));
  const int line = caretY_, col = caretX_;
  PadLine(line, col);
  const std::string text(1, c);
  std::unique_ptr<TUndo> step;
  if (overwrite_ && col < lines_->LineLength(line)) {
    const std::string removed = ReplaceText(line, col, line, col + 1, text);
    step = std::make_unique<TOverwriteCharUndo>();
    step->Text = removed;
    step->Edits.push_back({line, col, removed, text});
  } else {
    ReplaceText(line, col, line, col, text);
    step = std::make_unique<TInsertCharUndo>();
    step->Text = text;
    step->Edits.push_back({line, col, std::string(), text});
  }
  step->BeforeX = col;
  step->BeforeY = line;
  SetCaretX(col + 1);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  FireChange();
}

void TCustomCodeMemo::TabKey() {
  EnsureCaretLine();
  if (overwrite_) {
    SetCaretX(caretX_ + tabSize_);
    CollapseSelection();
    return;
  }
  if (ReadOnly) return;
  AutoCorrectWord();
  if (DelErase && !SelectionEmpty()) DeleteSelection();
  const int line = caretY_, col = caretX_;
  const std::string blanks(static_cast<size_t>(tabSize_), ' ');
  ReplaceText(line, col, line, col, blanks);
  auto step = std::make_unique<TInsertCharUndo>();
  step->Text = blanks;
  step->Edits.push_back({line, col, std::string(), blanks});
  step->BeforeX = col;
  step->BeforeY = line;
  SetCaretX(col + tabSize_);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  FireChange();
}

void TCustomCodeMemo::ShiftTab() {
  SetCaretX(std::max(0, caretX_ - tabSize_));
  CollapseSelection();
}

void TCustomCodeMemo::NewLine() {
  EnsureCaretLine();
  if (ReadOnly) return;
  AutoCorrectWord();
  const int line = caretY_, col = caretX_;
  PadLine(line, col);
  const std::string& s = lines_->StringRef(line);
  int indent = 0;
  if (AutoIndent)
    while (indent < static_cast<int>(s.size()) && s[indent] == ' ') ++indent;
  std::string rest = s.substr(static_cast<size_t>(col));
  const size_t last = rest.find_last_not_of(' ');
  rest.erase(last == std::string::npos ? 0 : last + 1);
  if (AutoIndent)
    rest.erase(0, rest.find_first_not_of(' ') == std::string::npos ? rest.size()
                                                                   : rest.find_first_not_of(' '));
  const std::string inserted = "\n" + std::string(static_cast<size_t>(indent), ' ') + rest;
  const std::string removed = ReplaceText(line, col, line, lines_->LineLength(line), inserted);
  std::unique_ptr<TUndo> step;
  if (UndoLineByLine)
    step = std::make_unique<TNewLineUndo>();
  else
    step = std::make_unique<TInsertCharUndo>();
  step->Text = "\r" + std::string(static_cast<size_t>(indent), ' ');
  step->Edits.push_back({line, col, removed, inserted});
  step->BeforeX = col;
  step->BeforeY = line;
  caretY_ = line + 1;
  SetCaretXInternal(indent, true);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  LineChangeHandler();
}

// ---- deleting ---------------------------------------------------------------------------------

void TCustomCodeMemo::BackSpace() {
  EnsureCaretLine();
  if (ReadOnly) return;
  if (DelErase && !SelectionEmpty()) {
    DeleteSelection();
    return;
  }
  const int line = caretY_, col = caretX_;
  if (line == 0 && col == 0) return;
  if (col > lines_->LineLength(line)) {
    // Beyond the end there is no character to remove; the caret only moves.
    SetCaretX(col - 1);
    CollapseSelection();
    return;
  }
  auto step = std::make_unique<TDeleteCharUndo>();
  step->FromBackspace = true;
  step->BeforeX = col;
  step->BeforeY = line;
  if (col > 0) {
    const std::string removed = ReplaceText(line, col - 1, line, col, "");
    step->Text = removed;
    step->Edits.push_back({line, col - 1, removed, std::string()});
    SetCaretX(col - 1);
  } else {
    const int prevLength = lines_->LineLength(line - 1);
    const std::string removed = ReplaceText(line - 1, prevLength, line, 0, "");
    step->Text = "\r";
    step->Edits.push_back({line - 1, prevLength, removed, std::string()});
    caretY_ = line - 1;
    SetCaretXInternal(prevLength, true);
    LineChangeHandler();
  }
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  FireChange();
}

void TCustomCodeMemo::CtrlBackSpace() {
  EnsureCaretLine();
  if (ReadOnly) return;
  const int line = caretY_;
  const std::string original = lines_->StringRef(line);
  while (caretY_ == line && caretX_ > 0) {
    const int left = caretX_ - 1;
    if (left < static_cast<int>(original.size()) && original[left] == ' ') break;
    BackSpace();
  }
}

void TCustomCodeMemo::DeleteChar() {
  EnsureCaretLine();
  if (ReadOnly) return;
  const int line = caretY_, col = caretX_;
  const int length = lines_->LineLength(line);
  auto step = std::make_unique<TDeleteCharUndo>();
  step->BeforeX = step->AfterX = col;
  step->BeforeY = step->AfterY = line;
  if (col < length) {
    const std::string removed = ReplaceText(line, col, line, col + 1, "");
    step->Text = removed;
    step->Edits.push_back({line, col, removed, std::string()});
  } else if (line + 1 < LineCount()) {
    PadLine(line, col);
    const std::string removed = ReplaceText(line, col, line + 1, 0, "");
    step->Text = "\r";
    step->Edits.push_back({line, col, removed, std::string()});
    LineChangeHandler();
  } else {
    return;
  }
  CollapseSelection();
  Record(std::move(step));
  FireChange();
}

bool TCustomCodeMemo::RemoveSelection() {
  if (SelectionEmpty()) return false;
  int sx, sy, ex, ey;
  OrderedSelection(sx, sy, ex, ey);
  auto step = std::make_unique<TDeleteBufUndo>();
  step->SelStartX = selStartX_;
  step->SelStartY = selStartY_;
  step->SelEndX = selEndX_;
  step->SelEndY = selEndY_;
  step->BeforeX = caretX_;
  step->BeforeY = caretY_;
  const std::string removed = ReplaceText(sy, sx, ey, ex, "");
  step->Text = WithCrLf(removed);
  step->Edits.push_back({sy, sx, removed, std::string()});
  caretY_ = std::min(sy, LineCount() - 1);
  SetCaretXInternal(sx, true);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  return true;
}

void TCustomCodeMemo::DeleteSelection() {
  EnsureCaretLine();
  if (ReadOnly) return;
  if (!RemoveSelection()) return;
  LineChangeHandler();
}

bool TCustomCodeMemo::CutSelection(std::string& text) {
  if (ReadOnly) return false;
  text = GetSelText();
  DeleteSelection();
  return true;
}

void TCustomCodeMemo::DeleteCurrentLine() {
  if (LineCount() == 0) lines_->InsertRaw(0, {std::string()});
  const int line = std::clamp(caretY_, 0, LineCount() - 1);
  auto step = std::make_unique<TDeleteLineUndo>();
  step->Text = lines_->StringRef(line);
  step->BeforeX = caretX_;
  step->BeforeY = line;
  caretX_ = 0;
  if (LineCount() == 1) {
    const std::string removed = ReplaceText(0, 0, 0, lines_->LineLength(0), "");
    step->Edits.push_back({0, 0, removed, std::string()});
  } else if (line == LineCount() - 1) {
    const int prevLength = lines_->LineLength(line - 1);
    const std::string removed =
        ReplaceText(line - 1, prevLength, line, lines_->LineLength(line), "");
    step->Edits.push_back({line - 1, prevLength, removed, std::string()});
    caretY_ = line - 1;
  } else {
    const std::string removed = ReplaceText(line, 0, line + 1, 0, "");
    step->Edits.push_back({line, 0, removed, std::string()});
  }
  SetCaretXInternal(0, true);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  LineChangeHandler();
}

// ---- inserting text ---------------------------------------------------------------------------

void TCustomCodeMemo::InsertPlain(std::string_view text, bool linked, int caretLine, int caretCol) {
  EnsureCaretLine();
  const std::string normalized = NormalizeBreaks(text, tabSize_);
  if (normalized.empty()) return;
  caretY_ = std::clamp(caretLine, 0, LineCount() - 1);
  caretX_ = std::max(0, caretCol);
  const int line = caretY_, col = caretX_;
  if (AutoExpand) PadLine(line, col);
  int endLine = line, endCol = col;
  ReplaceText(line, col, line, col, normalized, &endLine, &endCol);
  auto step = std::make_unique<TPasteUndo>();
  step->Text = WithCrLf(normalized);
  step->Linked = linked;
  step->BeforeX = col;
  step->BeforeY = line;
  step->Edits.push_back({line, col, std::string(), normalized});
  caretY_ = endLine;
  SetCaretXInternal(endCol, true);
  CollapseSelection();
  step->AfterX = caretX_;
  step->AfterY = caretY_;
  Record(std::move(step));
  LineChangeHandler();
}

void TCustomCodeMemo::InsertTextAtCaret(const std::string& text) {
  if (NormalizeBreaks(text, tabSize_).empty()) return;
  const bool replaced = RemoveSelection();
  InsertPlain(text, replaced, caretY_, caretX_);
}

void TCustomCodeMemo::PasteText(const std::string& text) {
  if (ReadOnly) return;
  InsertTextAtCaret(text);
}

void TCustomCodeMemo::DropSelection(int line, int column, bool copy) {
  EnsureCaretLine();
  if (ReadOnly || SelectionEmpty()) return;
  line = std::clamp(line, 0, LineCount() - 1);
  column = std::max(0, column);
  int sx, sy, ex, ey;
  OrderedSelection(sx, sy, ex, ey);
  const std::string text = TextRange(sx, sy, ex, ey);
  if (copy) {
    CollapseSelection();
    InsertPlain(text, false, line, column);
    SetCaret(column, line);
    return;
  }
  if (IsSelected(line, column)) return;  // dropped onto itself
  const bool after = line > ey || (line == ey && column >= ex);
  RemoveSelection();
  if (after) {
    if (line == ey) {
      column = sx + (column - ex);
      line = sy;
    } else {
      line -= ey - sy;
    }
  }
  InsertPlain(text, true, line, column);
  SetCaret(column, line);
}

// ---- mode, mouse, URLs ------------------------------------------------------------------------

void TCustomCodeMemo::ToggleOverwrite() {
  bool allow = true;
  if (OnOverwriteToggle) OnOverwriteToggle(EventSender, allow);
  if (!allow) return;
  const int n = undoList_.Count();
  const bool twoToggles = n >= 2 && dynamic_cast<TInsertOverwriteUndo*>(undoList_.Items(0)) &&
                          dynamic_cast<TInsertOverwriteUndo*>(undoList_.Items(1));
  if (n > 0 && !twoToggles) {
    auto step = std::make_unique<TInsertOverwriteUndo>();
    step->WasOverwrite = overwrite_;
    step->BeforeX = step->AfterX = caretX_;
    step->BeforeY = step->AfterY = caretY_;
    Record(std::move(step));
  }
  SetOverwrite(!overwrite_);
}

void TCustomCodeMemo::ClickAt(int line, int column, TShiftState shift) {
  EnsureCaretLine();
  const bool extend = shift & ssShift;
  if (extend && (caretX_ != selMoveX_ || caretY_ != selMoveY_)) CollapseSelection();
  SetCaret(std::max(0, column), std::clamp(line, 0, LineCount() - 1));
  if (extend)
    ExtendSelection();
  else
    CollapseSelection();
}

void TCustomCodeMemo::SelectWordAt(int line, int column) {
  EnsureCaretLine();
  SetCaret(std::max(0, column), std::clamp(line, 0, LineCount() - 1));
  const std::string& s = lines_->StringRef(caretY_);
  const int n = static_cast<int>(s.size());
  if (caretX_ >= n || IsDelimiter(s[caretX_])) {
    CollapseSelection();
    return;
  }
  int start = caretX_, end = caretX_;
  while (start > 0 && !IsDelimiter(s[start - 1])) --start;
  while (end < n && !IsDelimiter(s[end])) ++end;
  SetCaretX(end);
  SetSelection(start, caretY_, end, caretY_);
}

std::string TCustomCodeMemo::UrlAt(int line, int column) const {
  if (line < 0 || line >= LineCount()) return {};
  const std::string& s = lines_->StringRef(line);
  int start = 0, length = 0;
  if (!Tokenizer().UrlAt(s, column, start, length)) return {};
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

bool TCustomCodeMemo::ClickUrlAt(int line, int column) {
  if (!urlAware_) return false;
  const std::string url = UrlAt(line, column);
  if (url.empty()) return false;
  if (OnURLClick)
    OnURLClick(EventSender, url);
  else if (view_)
    view_->OpenUrl(url);
  return true;
}

// ---- word jumps and pages ---------------------------------------------------------------------

void TCustomCodeMemo::WordRight() {
  EnsureCaretLine();
  const std::string& line = lines_->StringRef(caretY_);
  const size_t last = line.find_last_not_of(' ');
  const int n = last == std::string::npos ? 0 : static_cast<int>(last + 1);
  if (caretX_ >= n) {
    if (caretY_ + 1 < LineCount()) SetCaret(0, caretY_ + 1);
    return;
  }
  auto at = [&](int i) { return i < n ? line[i] : ' '; };
  int x = caretX_ + 1;
  while (x < n && (!IsWordJumpDelimiter(at(x - 1)) || at(x) == ' ')) ++x;
  SetCaretX(x);
}

void TCustomCodeMemo::WordLeft() {
  EnsureCaretLine();
  if (caretX_ == 0) {
    if (caretY_ > 0) {
      SetCaretY(caretY_ - 1);
      const std::string& prev = lines_->StringRef(caretY_);
      const size_t last = prev.find_last_not_of(' ');
      SetCaretX(last == std::string::npos ? 0 : static_cast<int>(last + 1));
    }
    return;
  }
  const std::string& line = lines_->StringRef(caretY_);
  const size_t last = line.find_last_not_of(' ');
  const int n = last == std::string::npos ? 0 : static_cast<int>(last + 1);
  auto at = [&](int i) { return i < n ? line[i] : ' '; };
  int x = std::min(caretX_ - 1, n);
  while (x > 0 && !(IsWordJumpDelimiter(at(x - 1)) && at(x) != ' ')) --x;
  SetCaretX(x);
}

void TCustomCodeMemo::PageDown(bool ctrl) {
  EnsureCaretLine();
  const int last = LineCount() - 1;
  if (ctrl) {
    SetCaret(lines_->LineLength(last), last);
    return;
  }
  const int rows = visibleRows_;
  if (rows > 0 && LineCount() > rows) {
    const int oldTop = topLine_;
    SetCaretY(caretY_ + rows);
    SetTopLine(oldTop + rows);
    InvalidateLineCaches(oldTop, topLine_);
  } else {
    SetCaretY(last);
  }
}

void TCustomCodeMemo::PageUp(bool ctrl) {
  EnsureCaretLine();
  if (ctrl) {
    SetCaret(0, 0);
    return;
  }
  const int rows = visibleRows_;
  if (rows > 0 && LineCount() > rows) {
    const int oldTop = topLine_;
    SetCaretY(caretY_ - rows);
    SetTopLine(std::max(0, oldTop - rows));
    InvalidateLineCaches(topLine_, oldTop);
  } else {
    SetCaretY(0);
  }
}

// ---- undo -------------------------------------------------------------------------------------

void TCustomCodeMemo::Undo() {
  if (ReadOnly) return;
  undoList_.Undo();
}

void TCustomCodeMemo::Redo() {
  if (ReadOnly) return;
  undoList_.Redo();
}

}  // namespace kv
