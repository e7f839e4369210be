// The editing operations of the code editor model. Each one changes the text through
// ReplaceText inside a TEditStep, which makes it one undo step.
#include <algorithm>

#include "editor/core/CodeMemo.h"
#include "editor/core/LineText.h"
#include "support/AnsiCase.h"

namespace kv {

namespace {

bool EndsWord(char c) {
  return c == '\t' || c == '\r' || c == ' ' || c == '(' || c == ',' || c == '.' || c == '=' ||
         c == '[';
}

}  // namespace

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

// ---- typing -----------------------------------------------------------------------------------

void TCustomCodeMemo::AutoCorrectWord() {
  const bool lists = autoCorrect_.Active && autoCorrect_.OldValue.Count() > 0;
  if (!OnWordComplete && !lists) return;
  const int line = caret_.Line;
  const std::string& s = Line(line);
  const int end = std::min(caret_.Col, static_cast<int>(s.size()));
  int start = end;
  while (start > 0 && !IsDelimiter(s[static_cast<size_t>(start - 1)])) --start;
  if (start == end) return;
  const std::string word = s.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
  std::string replacement = word;
  if (lists) {
    // The first entry that is the word exactly, letter case included.
    for (int i = 0; i < autoCorrect_.OldValue.Count(); ++i) {
      if (autoCorrect_.OldValue.StringRef(i) != word) continue;
      if (i < autoCorrect_.NewValue.Count()) replacement = autoCorrect_.NewValue.StringRef(i);
      break;
    }
  }
  if (OnWordComplete) OnWordComplete(EventSender, word, replacement);
  if (replacement == word) return;
  replacement = EditorText(replacement, tabSize_);
  std::erase(replacement, '\n');
  // A step of its own, so that undoing later steps still finds their text.
  TEditStep step(*this, TUndoKind::Correct);
  ReplaceText({{line, start}, {line, end}}, replacement);
  CaretMove(
      [&] { caret_.Col += static_cast<int>(replacement.size()) - static_cast<int>(word.size()); });
}

void TCustomCodeMemo::KeyPress(char c) {
  TypeCharacter(std::string_view(&c, 1));
}

void TCustomCodeMemo::TypeCharacter(std::string_view character) {
  // Control characters are keys (KeyDown); typed into a line they would break its rules.
  if (character.empty()) return;
  const unsigned char u = static_cast<unsigned char>(character[0]);
  if (character.size() == 1 ? u < 32 || u == 127
                            : character.find_first_of("\t\r\n") != std::string_view::npos)
    return;
  if (ReadOnly) return;
  if (character.size() == 1 && EndsWord(character[0])) AutoCorrectWord();
  if (DelErase && !SelectionEmpty()) DeleteSelection();
  std::string typed(character);
  if (typed.size() == 1 && CharCase == TEditCharCase::ecUpperCase)
    typed[0] = static_cast<char>(AnsiUpperChar(u));
  else if (typed.size() == 1 && CharCase == TEditCharCase::ecLowerCase)
    typed[0] = static_cast<char>(AnsiLowerChar(u));
  const TTextPos at = caret_;
  PadLine(at.Line, at.Col);
  // In overwrite mode the character takes the place of one character, however it is written.
  const bool over = overwrite_ && at.Col < LineLength(at.Line);
  {
    TEditStep step(*this, over ? TUndoKind::OverwriteChar : TUndoKind::InsertChar);
    ReplaceText({at, {at.Line, at.Col + (over ? 1 : 0)}}, typed);
    SetCaretX(at.Col + static_cast<int>(typed.size()));
    CollapseSelection();
  }
  FireChange();
}

void TCustomCodeMemo::TabKey() {
  if (overwrite_) {
    SetCaretX(caret_.Col + tabSize_);
    CollapseSelection();
    return;
  }
  if (ReadOnly) return;
  AutoCorrectWord();
  if (DelErase && !SelectionEmpty()) DeleteSelection();
  const TTextPos at = caret_;
  {
    TEditStep step(*this, TUndoKind::InsertChar);
    ReplaceText({at, at}, std::string(static_cast<size_t>(tabSize_), ' '));
    SetCaretX(at.Col + tabSize_);
    CollapseSelection();
  }
  FireChange();
}

void TCustomCodeMemo::ShiftTab() {
  SetCaretX(std::max(0, caret_.Col - tabSize_));
  CollapseSelection();
}

void TCustomCodeMemo::NewLine() {
  if (ReadOnly) return;
  AutoCorrectWord();
  const TTextPos at = caret_;
  PadLine(at.Line, at.Col);
  const std::string& s = Line(at.Line);
  int indent = 0;
  if (AutoIndent)
    while (indent < static_cast<int>(s.size()) && s[static_cast<size_t>(indent)] == ' ') ++indent;
  // The rest of the line goes down without its trailing blanks, and re-indented.
  std::string_view rest =
      WithoutTrailingBlanks(std::string_view(s).substr(static_cast<size_t>(at.Col)));
  if (AutoIndent) rest.remove_prefix(std::min(rest.size(), rest.find_first_not_of(' ')));
  const std::string inserted =
      "\n" + std::string(static_cast<size_t>(indent), ' ') + std::string(rest);
  {
    TEditStep step(*this, UndoLineByLine ? TUndoKind::NewLine : TUndoKind::InsertChar);
    ReplaceText({at, {at.Line, LineLength(at.Line)}}, inserted);
    CaretMove([&] {
      caret_.Line = at.Line + 1;
      MoveCaretX(indent, true);
    });
    CollapseSelection();
  }
  ListChanged();
}

// ---- deleting ---------------------------------------------------------------------------------

void TCustomCodeMemo::BackSpace() {
  if (ReadOnly) return;
  if (DelErase && !SelectionEmpty()) {
    DeleteSelection();
    return;
  }
  const TTextPos at = caret_;
  if (at == TTextPos{0, 0}) return;
  if (at.Col > LineLength(at.Line)) {
    // Beyond the end there is no character to remove; the caret only moves.
    SetCaretX(at.Col - 1);
    CollapseSelection();
    return;
  }
  {
    TEditStep step(*this, TUndoKind::DeleteChar);
    step.Step().FromBackspace = true;
    if (at.Col > 0) {
      ReplaceText({{at.Line, at.Col - 1}, at}, {});
      SetCaretX(at.Col - 1);
    } else {
      const TTextPos joint{at.Line - 1, LineLength(at.Line - 1)};
      ReplaceText({joint, at}, {});
      CaretMove([&] {
        caret_.Line = joint.Line;
        MoveCaretX(joint.Col, true);
      });
      ListChanged();
    }
    CollapseSelection();
  }
  FireChange();
}

void TCustomCodeMemo::CtrlBackSpace() {
  if (ReadOnly) return;
  const int line = caret_.Line;
  const std::string original = Line(line);
  while (caret_.Line == line && caret_.Col > 0) {
    const int left = caret_.Col - 1;
    if (left < static_cast<int>(original.size()) && original[static_cast<size_t>(left)] == ' ')
      break;
    BackSpace();
  }
}

void TCustomCodeMemo::DeleteChar() {
  if (ReadOnly) return;
  const TTextPos at = caret_;
  if (at.Col < LineLength(at.Line)) {
    TEditStep step(*this, TUndoKind::DeleteChar);
    ReplaceText({at, {at.Line, at.Col + 1}}, {});
    CollapseSelection();
  } else if (at.Line + 1 < LineCount()) {
    TEditStep step(*this, TUndoKind::DeleteChar);
    PadLine(at.Line, at.Col);
    ReplaceText({at, {at.Line + 1, 0}}, {});
    ListChanged();
    CollapseSelection();
  } else {
    return;
  }
  FireChange();
}

bool TCustomCodeMemo::RemoveSelection() {
  if (SelectionEmpty()) return false;
  const TTextRange selection = Selection();
  TEditStep step(*this, TUndoKind::DeleteBuf);
  ReplaceText(selection, {});
  CaretMove([&] {
    caret_.Line = std::min(selection.Start.Line, LineCount() - 1);
    MoveCaretX(selection.Start.Col, true);
  });
  CollapseSelection();
  return true;
}

void TCustomCodeMemo::DeleteSelection() {
  if (ReadOnly || !RemoveSelection()) return;
  ListChanged();
}

std::optional<std::string> TCustomCodeMemo::CutSelection() {
  if (ReadOnly) return std::nullopt;
  std::string text = GetSelText();
  DeleteSelection();
  return text;
}

void TCustomCodeMemo::DeleteCurrentLine() {
  const int line = caret_.Line;
  {
    TEditStep step(*this, TUndoKind::DeleteLine);
    CaretMove([&] {
      caret_.Col = 0;
      if (LineCount() == 1) {
        ReplaceText({{0, 0}, {0, LineLength(0)}}, {});
      } else if (line == LineCount() - 1) {
        // The last line goes with the break before it.
        ReplaceText({{line - 1, LineLength(line - 1)}, {line, LineLength(line)}}, {});
        caret_.Line = line - 1;
      } else {
        ReplaceText({{line, 0}, {line + 1, 0}}, {});
      }
      MoveCaretX(0, true);
    });
    CollapseSelection();
  }
  ListChanged();
}

// ---- inserting text ---------------------------------------------------------------------------

void TCustomCodeMemo::InsertPlain(std::string_view lines, bool linked, TTextPos at) {
  if (lines.empty()) return;
  CaretMove([&] { caret_ = {std::clamp(at.Line, 0, LineCount() - 1), std::max(0, at.Col)}; });
  const TTextPos from = caret_;
  {
    TEditStep step(*this, TUndoKind::Paste);
    step.Step().Linked = linked;
    const TTextPos end = ReplaceText({from, from}, lines);
    CaretMove([&] {
      caret_.Line = end.Line;
      MoveCaretX(end.Col, true);
    });
    CollapseSelection();
  }
  ListChanged();
}

void TCustomCodeMemo::InsertTextAtCaret(std::string_view text) {
  const std::string lines = EditorText(text, tabSize_);
  if (lines.empty()) return;
  const bool replaced = RemoveSelection();
  InsertPlain(lines, replaced, caret_);
}

void TCustomCodeMemo::PasteText(std::string_view text) {
  if (ReadOnly) return;
  InsertTextAtCaret(text);
}

void TCustomCodeMemo::DropSelection(TTextPos pos, bool copy) {
  if (ReadOnly || SelectionEmpty()) return;
  pos = {std::clamp(pos.Line, 0, LineCount() - 1), std::max(0, pos.Col)};
  const TTextRange selection = Selection();
  const std::string text = TextIn(selection);
  if (copy) {
    CollapseSelection();
    InsertPlain(text, false, pos);
    SetCaret(pos);
    return;
  }
  if (selection.Contains(pos)) return;  // dropped onto itself
  // Behind the selection, the drop point moves with the text the removal pulls up.
  if (pos >= selection.End) {
    if (pos.Line == selection.End.Line)
      pos = {selection.Start.Line, selection.Start.Col + (pos.Col - selection.End.Col)};
    else
      pos.Line -= selection.End.Line - selection.Start.Line;
  }
  RemoveSelection();
  InsertPlain(text, true, pos);
  SetCaret(pos);
}

// ---- mode, mouse, URLs ------------------------------------------------------------------------

void TCustomCodeMemo::ToggleOverwrite() {
  bool allow = true;
  if (OnOverwriteToggle) OnOverwriteToggle(EventSender, allow);
  if (!allow) return;
  auto isToggle = [this](int i) {
    return history_.Items(i) && history_.Items(i)->Kind == TUndoKind::InsertOverwrite;
  };
  if (history_.Count() > 0 && !(isToggle(0) && isToggle(1))) {
    TEditStep step(*this, TUndoKind::InsertOverwrite);
    step.Step().WasOverwrite = overwrite_;
  }
  SetOverwrite(!overwrite_);
}

void TCustomCodeMemo::ClickAt(TTextPos pos, TShiftState shift) {
  MoveCaret({std::clamp(pos.Line, 0, LineCount() - 1), std::max(0, pos.Col)});
  if (shift & ssShift)
    ExtendSelection();
  else
    CollapseSelection();
}

void TCustomCodeMemo::SelectWordAt(TTextPos pos) {
  MoveCaret({std::clamp(pos.Line, 0, LineCount() - 1), std::max(0, pos.Col)});
  const std::string& s = Line(caret_.Line);
  const int n = static_cast<int>(s.size());
  if (caret_.Col >= n || IsDelimiter(s[static_cast<size_t>(caret_.Col)])) {
    CollapseSelection();
    return;
  }
  int start = caret_.Col, end = caret_.Col;
  while (start > 0 && !IsDelimiter(s[static_cast<size_t>(start - 1)])) --start;
  while (end < n && !IsDelimiter(s[static_cast<size_t>(end)])) ++end;
  MoveCaretX(end, false);
  SetSelection({caret_.Line, start}, {caret_.Line, end});
}

int TCustomCodeMemo::SearchText(const std::string& text, TFindOptions options) {
  if (text.empty()) return -1;
  const std::optional<TFound> found = FindText(store_, text, options, caret_, Selection());
  if (!found) {
    // Nothing found: the caret stays, the selection goes.
    anchor_ = caret_;
    SelectionMade();
    return -1;
  }
  MoveCaret(found->Range.Start);
  anchor_ = found->Range.End;
  SelectionMade();
  return static_cast<int>(std::min<long long>(found->Offset, 0x7FFFFFFF));
}

std::string TCustomCodeMemo::UrlAt(TTextPos pos) const {
  const std::string& s = Line(pos.Line);
  int start = 0, length = 0;
  if (!Tokenizer().UrlAt(s, pos.Col, start, length)) return {};
  return s.substr(static_cast<size_t>(start), static_cast<size_t>(length));
}

bool TCustomCodeMemo::ClickUrlAt(TTextPos pos) {
  if (!urlAware_) return false;
  const std::string url = UrlAt(pos);
  if (url.empty()) return false;
  if (OnURLClick)
    OnURLClick(EventSender, url);
  else if (view_)
    view_->OpenUrl(url);
  return true;
}

}  // namespace kv
