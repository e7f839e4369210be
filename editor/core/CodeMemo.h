// The code editor's model: lines, caret, selection, editing operations, undo, search and the
// runs of each line, with no toolkit. The visible control owns one TCustomCodeMemo, maps its
// keys and mouse positions onto it, and listens through TCodeMemoView for what to repaint.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/CodeMemoStrings.h"
#include "editor/core/MemoStyler.h"
#include "editor/core/Tokenizer.h"
#include "editor/core/UndoList.h"
#include "platform/classes/FindOptions.h"
#include "platform/classes/Graphics.h"
#include "platform/classes/VirtualKeys.h"

namespace kv {

// The model takes keys as Windows virtual-key codes and shift bits.
namespace keys = ::kv;

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// Automatic correction: OldValue[i] typed as a whole word becomes NewValue[i].
class TAutoCorrect : public TPersistent {
  KV_DECLARE_CLASS()
  bool Active = true;
  TStringList OldValue;
  TStringList NewValue;
  void Assign(const TPersistent* source) override;
};

// What the model tells the visible control. Every method has an empty default, so a view
// overrides only what it uses; with no view attached nothing is painted.
class TCodeMemoView {
 public:
  virtual ~TCodeMemoView() = default;
  // Lines whose pixels changed (last may be beyond the text: everything below first).
  virtual void InvalidateLines(int first, int last) {
    (void)first;
    (void)last;
  }
  virtual void InvalidateAll() {}
  // Line count, longest line, top line or left column changed.
  virtual void ScrollBarsChanged() {}
  virtual void CaretMoved() {}
  // An undo of a deleted selection asks the control to take the focus.
  virtual void FocusRequested() {}
  // Clipboard keys: the control reads or writes the clipboard and calls back GetSelText,
  // CutSelection or PasteText.
  virtual void CopyRequested() {}
  virtual void CutRequested() {}
  virtual void PasteRequested() {}
  // A click on a URL with no OnURLClick handler: the control opens it with the shell.
  virtual void OpenUrl(const std::string& url) { (void)url; }
};

class TCustomCodeMemo : public TPersistent {
  KV_DECLARE_CLASS()
  TCustomCodeMemo();
  ~TCustomCodeMemo() override;
  TCustomCodeMemo(const TCustomCodeMemo&) = delete;
  TCustomCodeMemo& operator=(const TCustomCodeMemo&) = delete;

  void SetView(TCodeMemoView* view) { view_ = view; }
  TCodeMemoView* View() const { return view_; }
  // Passed as Sender to the events; the visible control sets itself here.
  TObject* EventSender = this;

  // --- text -------------------------------------------------------------------------------
  TCodeMemoStrings& Lines() { return *lines_; }
  const TCodeMemoStrings& Lines() const { return *lines_; }
  // Replaces all lines by those of other (the Lines property's writer).
  void SetLines(const TStrings& other);
  int LineCount() const { return lines_->Count(); }
  const std::string& Line(int index) const { return lines_->StringRef(index); }
  std::string GetText() const { return lines_->GetText(); }
  void BeginUpdate();
  void EndUpdate();
  int LongestLine() const { return lines_->LongestLength(); }

  // --- appearance and behaviour -------------------------------------------------------------
  TFont& Font() { return font_; }
  TColor BkColor = clWhite;
  TColor SelColor = clWhite;
  TColor SelBkColor = clNavy;
  int TabSize() const { return tabSize_; }
  void SetTabSize(int size);
  int UndoLimit() const { return undoLimit_; }
  void SetUndoLimit(int limit);
  bool ReadOnly = false;
  bool DelErase = true;
  bool AutoIndent = true;
  bool AutoExpand = true;
  bool SmartTabs = false;
  bool EnhancedHomeKey = false;
  bool TrimTrailingSpaces = false;
  bool WantTab = true;
  TEditCharCase CharCase = TEditCharCase::ecNormal;
  bool UndoLineByLine = false;
  bool HideSelection = true;
  bool UrlAware() const { return urlAware_; }
  void SetUrlAware(bool on);
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool on);
  bool UseStyler() const { return useStyler_; }
  void SetUseStyler(bool on);
  TCharStyle& UrlStyle() { return urlStyle_; }
  TAutoCorrect& AutoCorrect() { return autoCorrect_; }

  // --- styler and runs -----------------------------------------------------------------------
  TCustomMemoStyler* SyntaxStyles() const { return styler_; }
  void SetSyntaxStyles(TCustomMemoStyler* styler);
  // The bound styler is going away (called by the styler itself, or by the control on its
  // free notification; harmless twice).
  void StylerDestroyed(TCustomMemoStyler* styler);
  // The bound styler's rules changed.
  void StylerChanged();
  // The rules as they are now (prepared again when something changed).
  const TLineTokenizer& Tokenizer() const;
  // State at the start of a line (0..LineCount()), cached every 20th line.
  TTokenState LineStartState(int line);
  // Runs of a line given the state at its start; state is left at the line's end.
  void TokenizeLine(std::string_view text, TTokenState& state, TRunSink sink) const;
  // Runs of a stored line, from its own start state.
  std::vector<TTokenRun> LineRuns(int line);
  // Forgets per-line caches of lines first..last (scrolling through the bar or page keys).
  void InvalidateLineCaches(int first, int last);
  // First line whose cached start state may be stale.
  int CacheWatermark() const { return cacheWatermark_; }

  // --- caret, selection, view ----------------------------------------------------------------
  int CaretX() const { return caretX_; }
  int CaretY() const { return caretY_; }
  void SetCaretX(int column);
  void SetCaretY(int line);
  void SetCaret(int column, int line);
  int SelStartX() const { return selStartX_; }
  int SelStartY() const { return selStartY_; }
  int SelEndX() const { return selEndX_; }
  int SelEndY() const { return selEndY_; }
  // The selection ordered start before end.
  void OrderedSelection(int& startX, int& startY, int& endX, int& endY) const;
  bool SelectionEmpty() const { return selStartX_ == selEndX_ && selStartY_ == selEndY_; }
  void SetSelection(int startX, int startY, int endX, int endY);
  void CollapseSelection();
  void ExtendSelection();  // end and moving end to the caret
  void SelectAll();
  std::string GetSelText() const;  // lines joined with CR LF
  // Whether (line, column) lies in the half-open selection.
  bool IsSelected(int line, int column) const;

  int TopLine() const { return topLine_; }
  void SetTopLine(int line);     // wheel and page keys: keeps a page in view
  void SetTopLineRaw(int line);  // scroll bar position
  int LeftCol() const { return leftCol_; }
  void SetLeftCol(int column);
  // Whole visible rows and columns of the text area; the control sets them on each resize.
  void SetViewSize(int rows, int columns);
  int VisibleRows() const { return visibleRows_; }
  int VisibleCols() const { return visibleCols_; }
  void MakeCaretVisible();

  bool Overwrite() const { return overwrite_; }
  void SetOverwrite(bool on);
  // The Insert key: asks OnOverwriteToggle, records a toggle step, flips the mode.
  void ToggleOverwrite();
  int Bookmark(int index) const { return bookmarks_.at(index); }
  void SetBookmark(int index, int line);
  void GotoBookmark(int index);

  // --- keyboard and editing ------------------------------------------------------------------
  // A key press as a virtual-key code with shift bits; true when the model acted on it.
  bool KeyDown(int key, TShiftState shift);
  // A character (codes 32..126 and 128..255 are typed; others ignored).
  void KeyPress(char c);
  void InsertChar(char c);
  void BackSpace();
  void CtrlBackSpace();
  void DeleteChar();
  void NewLine();
  void TabKey();
  void ShiftTab();
  void WordRight();
  void WordLeft();
  void PageDown(bool ctrl);
  void PageUp(bool ctrl);
  void DeleteSelection();
  void DeleteCurrentLine();
  // Inserts text (CR LF, LF or CR breaks) at the caret, replacing the selection; one paste
  // undo step. PasteText is the clipboard paste (not when ReadOnly).
  void InsertTextAtCaret(const std::string& text);
  void PasteText(const std::string& text);
  // Puts the selected text into text and deletes it (one undo step); false when ReadOnly.
  bool CutSelection(std::string& text);
  // Mouse: caret to (line, column) as a click does, extending with Shift.
  void ClickAt(int line, int column, TShiftState shift);
  // Double click: selects the word around (line, column).
  void SelectWordAt(int line, int column);
  // The URL chunk at (line, column), or empty.
  std::string UrlAt(int line, int column) const;
  // A click on a URL: OnURLClick, or the view opens it. True when a URL was there.
  bool ClickUrlAt(int line, int column);
  // Drops the selected text at (line, column): moved, or copied with copy set.
  void DropSelection(int line, int column, bool copy);

  void Undo();
  void Redo();
  bool CanUndo() const { return undoList_.CanUndo() && !ReadOnly; }
  bool CanRedo() const { return undoList_.CanRedo() && !ReadOnly; }
  TCodeUndoList& UndoList() { return undoList_; }
  void ClearUndo() { undoList_.Clear(); }

  // Finds text from the caret or selection and selects it; the offset of the match in the
  // whole text (line breaks counted as 2), or -1.
  int SearchText(const std::string& text, TFindOptions options);

  // Modified state of a line (0, 1, 2; 0 for a line without a property object).
  int ModifiedState(int line) const;
  void SetModified(int line);  // state 1

  // --- events -------------------------------------------------------------------------------
  TNotifyEvent OnChange;
  TNotifyEvent OnSelectionChange;
  TNotifyEvent OnStatusChange;
  std::function<void(TObject* sender, bool& allow)> OnOverwriteToggle;
  TNotifyEvent OnFind;
  TNotifyEvent OnReplace;
  std::function<void(TObject* sender, const std::string& currentWord, std::string& newWord)>
      OnWordComplete;
  std::function<void(TObject* sender, const std::string& url)> OnURLClick;
  std::function<void(TObject* sender, bool canUndo, bool canRedo)> OnUndoChange;
  TNotifyEvent OnTopLeftChanged;
  TNotifyEvent OnCursorChange;
  std::function<void(TObject* sender, int curYPos)> OnActiveLineChange;
  std::function<void(TObject* sender, int curXPos)> OnColumnChange;

  // --- for the line store and the undo steps --------------------------------------------------
  // Replaces the text between (line, col) and (endLine, endCol) by inserted ('\n' breaks),
  // padding the start line with blanks first when col lies beyond its end; marks the changed
  // lines modified and keeps bookmarks, caches and the view up to date. Returns the removed
  // text ('\n' breaks); newEndLine/newEndCol receive the position behind the inserted text.
  std::string ReplaceText(int line, int col, int endLine, int endCol, std::string_view inserted,
                          int* newEndLine = nullptr, int* newEndCol = nullptr);
  // The position behind text inserted at (line, col).
  static void EndOf(int line, int col, std::string_view text, int& endLine, int& endCol);
  // Text between two ordered positions, lines joined with '\n'.
  std::string TextRange(int startX, int startY, int endX, int endY) const;
  void LineChangeHandler();  // the line store's change handling
  bool ChangeHandling() const { return changeHandling_; }
  void SetChangeHandling(bool on) { changeHandling_ = on; }
  void AttachChangeHandler();
  void DetachChangeHandler();
  void Reset();  // caret, scroll and selection to the start; caches and lines cleared
  void LinesInserted(int index, int count);
  void LineReplaced(int index);
  void LinesCleared();
  void LoadStarted();
  void LoadFinished(bool fromFile);
  void TopCacheDrop() { topCacheLine_ = -1; }
  void FireSelectionChange();
  void InvalidateFrom(int line);

 private:
  void PadLine(int line, int column);
  // Editing starts from a caret on an existing line.
  void EnsureCaretLine();
  void FireChange();
  void CaretChanged(bool lineChanged);
  bool IsDelimiter(char c) const;
  bool IsWordJumpDelimiter(char c) const;
  void AutoCorrectWord();
  void InvalidateCachesFrom(int line);
  // Removes the selection (recording a buffer-delete step); false when it was empty.
  bool RemoveSelection();
  void InsertPlain(std::string_view text, bool linked, int caretLine, int caretCol);
  void SetCaretXInternal(int column, bool force);
  void Record(std::unique_ptr<TUndo> step);
  void ShiftBookmarks(int line, int oldCount, int newCount);
  void Navigate(int key, TShiftState shift);

  std::unique_ptr<TCodeMemoStrings> lines_;
  TCodeMemoView* view_ = nullptr;
  TFont font_;
  int tabSize_ = 4;
  int undoLimit_ = 100;
  bool urlAware_ = true;
  bool caseSensitive_ = false;
  bool useStyler_ = false;
  TCharStyle urlStyle_{clBlue, clWhite, fsUnderline};
  TAutoCorrect autoCorrect_;
  TCustomMemoStyler* styler_ = nullptr;

  mutable TLineTokenizer tokenizer_;
  mutable bool tokenizerStale_ = true;
  mutable unsigned stylerRevision_ = 0;
  // Mutable: preparing changed rules in Tokenizer() may have to drop them.
  mutable int cacheWatermark_ = 0;
  mutable int topCacheLine_ = -1;
  TTokenState topCacheState_;

  int caretX_ = 0, caretY_ = 0;
  int selStartX_ = 0, selStartY_ = 0, selEndX_ = 0, selEndY_ = 0;
  int selMoveX_ = 0, selMoveY_ = 0;
  int topLine_ = 0, leftCol_ = 0;
  int visibleRows_ = 0, visibleCols_ = 0;
  std::array<int, 10> bookmarks_;
  bool overwrite_ = false;
  bool changeHandling_ = true;
  TCodeUndoList undoList_;
};

}  // namespace kv
