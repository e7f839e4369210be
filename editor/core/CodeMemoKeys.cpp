// The code editor model's keyboard: caret movement, selection by Shift, and the keys that
// edit or run commands.
#include <algorithm>

#include "editor/core/CodeMemo.h"

namespace kv {

using namespace keys;

namespace {

bool IsNavigationKey(int key) {
  switch (key) {
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN:
    case VK_HOME:
    case VK_END:
    case VK_PRIOR:
    case VK_NEXT:
      return true;
    default:
      return false;
  }
}

// The line without its trailing blanks: where word jumps see its end.
int VisibleLength(const std::string& line) {
  const size_t last = line.find_last_not_of(' ');
  return last == std::string::npos ? 0 : static_cast<int>(last + 1);
}

}  // namespace

bool TCustomCodeMemo::KeyDown(int key, TShiftState shift) {
  caret_.Line = std::clamp(caret_.Line, 0, LineCount() - 1);
  caret_.Col = std::max(caret_.Col, 0);
  if (IsNavigationKey(key)) {
    Navigate(key, shift);
    return true;
  }
  if (key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU) return false;
  // Other keys act on a clamped caret (matters only without AutoExpand).
  if (!AutoExpand) SetCaretY(caret_.Line);
  return CommandKey(key, shift);
}

void TCustomCodeMemo::Navigate(int key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  switch (key) {
    case VK_LEFT:
      if (ctrl)
        WordLeft();
      else
        MoveCaretX(caret_.Col - 1, false);
      break;
    case VK_RIGHT:
      if (ctrl)
        WordRight();
      else
        MoveCaretX(caret_.Col + 1, false);
      break;
    case VK_UP:
      MoveCaretY(caret_.Line - 1);
      break;
    case VK_DOWN:
      MoveCaretY(caret_.Line + 1);
      break;
    case VK_HOME:
      if (EnhancedHomeKey && !ctrl) {
        // Home toggles between the first non-blank character and column 0.
        const std::string& s = Line(caret_.Line);
        const size_t first = s.find_first_not_of(' ');
        const int indent = first == std::string::npos ? 0 : static_cast<int>(first);
        MoveCaretX(caret_.Col == indent ? 0 : indent, false);
      } else {
        MoveCaret({ctrl ? 0 : caret_.Line, 0});
      }
      if (caret_.Col == 0) SetLeftCol(0);
      break;
    case VK_END:
      // Ctrl+End goes to the text's real end, not to the old column padded onto the last line.
      if (ctrl)
        MoveCaret(store_.End());
      else
        MoveCaretX(LineLength(caret_.Line), false);
      break;
    case VK_PRIOR:
      PageUp(ctrl);
      break;
    case VK_NEXT:
      PageDown(ctrl);
      break;
  }
  if (shift & ssShift)
    ExtendSelection();
  else
    CollapseSelection();
}

bool TCustomCodeMemo::CommandKey(int key, TShiftState shift) {
  const bool ctrl = shift & ssCtrl;
  const bool alt = shift & ssAlt;
  const bool sh = shift & ssShift;
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

// ---- word jumps and pages: the caret moves, the selection is the caller's ---------------------

void TCustomCodeMemo::WordRight() {
  const std::string& line = Line(caret_.Line);
  const int n = VisibleLength(line);
  if (caret_.Col >= n) {
    if (caret_.Line + 1 < LineCount()) MoveCaret({caret_.Line + 1, 0});
    return;
  }
  auto at = [&](int i) { return i < n ? line[static_cast<size_t>(i)] : ' '; };
  int x = caret_.Col + 1;
  while (x < n && (!IsWordJumpDelimiter(at(x - 1)) || at(x) == ' ')) ++x;
  MoveCaretX(x, false);
}

void TCustomCodeMemo::WordLeft() {
  if (caret_.Col == 0) {
    if (caret_.Line > 0) {
      MoveCaretY(caret_.Line - 1);
      MoveCaretX(VisibleLength(Line(caret_.Line)), false);
    }
    return;
  }
  const std::string& line = Line(caret_.Line);
  const int n = VisibleLength(line);
  auto at = [&](int i) { return i < n ? line[static_cast<size_t>(i)] : ' '; };
  int x = std::min(caret_.Col - 1, n);
  while (x > 0 && !(IsWordJumpDelimiter(at(x - 1)) && at(x) != ' ')) --x;
  MoveCaretX(x, false);
}

void TCustomCodeMemo::PageDown(bool ctrl) {
  const int last = LineCount() - 1;
  if (ctrl) {
    MoveCaret(store_.End());
    return;
  }
  const int rows = visibleRows_;
  if (rows > 0 && LineCount() > rows) {
    const int oldTop = topLine_;
    MoveCaretY(caret_.Line + rows);
    SetTopLine(oldTop + rows);
    InvalidateLineCaches(oldTop, topLine_);
  } else {
    MoveCaretY(last);
  }
}

void TCustomCodeMemo::PageUp(bool ctrl) {
  if (ctrl) {
    MoveCaret({0, 0});
    return;
  }
  const int rows = visibleRows_;
  if (rows > 0 && LineCount() > rows) {
    const int oldTop = topLine_;
    MoveCaretY(caret_.Line - rows);
    SetTopLine(std::max(0, oldTop - rows));
    InvalidateLineCaches(topLine_, oldTop);
  } else {
    MoveCaretY(0);
  }
}

}  // namespace kv
