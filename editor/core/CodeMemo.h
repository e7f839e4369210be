// The code editor's model: lines, caret, selection, editing operations, undo, search and the
// runs of each line, with no toolkit. The visible control owns one TCustomCodeMemo, maps its
// keys and mouse positions onto it, and listens through TCodeMemoView for what to repaint.
//
// Every change of the text goes through ReplaceText, which keeps the per-line data, the caches
// and the view current; an editing operation brackets its changes with a TEditStep, which
// records them as one undo step.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "editor/core/CodeMemoStrings.h"
#include "editor/core/LineData.h"
#include "editor/core/LineStates.h"
#include "editor/core/LineStore.h"
#include "editor/core/MemoStyler.h"
#include "editor/core/TextPos.h"
#include "editor/core/TextSearch.h"
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
  // An editing operation changed the text within lines (its longest line may have changed).
  virtual void TextChanged() {}
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

class TEditStep;

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
  // The lines as the framework's string list (the published Lines).
  TCodeMemoStrings& Lines() { return *list_; }
  const TCodeMemoStrings& Lines() const { return *list_; }
  const TLineStore& Store() const { return store_; }
  // Replaces all lines by those of other (the Lines property's writer).
  void SetLines(const TStrings& other);
  int LineCount() const { return store_.Count(); }
  // Empty for a line out of range.
  const std::string& Line(int index) const { return store_.Line(index); }
  int LineLength(int index) const { return store_.Length(index); }
  std::string GetText() const;
  std::string TextIn(TTextRange range) const { return store_.Text(range); }
  int LongestLine() const { return store_.Longest(); }
  void BeginUpdate();
  void EndUpdate();

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
  // State at the start of a line (0..LineCount()), kept every 20th line.
  TTokenState LineStartState(int line);
  // Runs of a line given the state at its start; state is left at the line's end.
  void TokenizeLine(std::string_view text, TTokenState& state, TRunSink sink) const;
  // The runs of a stored line that reach into columns [from, to), remembered for the next
  // paint while the line is unchanged; state is left at the line's end.
  void PaintRuns(int line, TTokenState& state, int from, int to, TRunSink sink);
  // Only the state at the end of a stored line.
  void AdvanceLine(int line, TTokenState& state);
  // Runs of a stored line, from its own start state.
  std::vector<TTokenRun> LineRuns(int line);
  // Forgets the kept start states of lines first..last (scrolling through the bar or page keys).
  void InvalidateLineCaches(int first, int last);
  // First line whose kept start state may be stale.
  int CacheWatermark() const { return states_.Watermark(); }

  // --- caret, selection, view ----------------------------------------------------------------
  // The selection runs from its anchor to the caret; it is empty when the two are one. Moving
  // the caret with SetCaret, SetCaretX or SetCaretY collapses the selection onto it (a caret
  // that stays where it is keeps the selection); only the keys and the mouse extend one.
  TTextPos Caret() const { return caret_; }
  int CaretX() const { return caret_.Col; }
  int CaretY() const { return caret_.Line; }
  void SetCaretX(int column);
  void SetCaretY(int line);
  void SetCaret(TTextPos pos);
  TTextPos SelectionAnchor() const { return anchor_; }
  TTextRange Selection() const { return {anchor_, caret_}; }
  bool SelectionEmpty() const { return anchor_ == caret_; }
  // Selects from anchor to caret; the caret goes to the second end (fires OnSelectionChange).
  void SetSelection(TTextPos anchor, TTextPos caret);
  void CollapseSelection();
  void SelectAll();
  std::string GetSelText() const;  // lines joined with CR LF
  bool IsSelected(TTextPos pos) const { return Selection().Contains(pos); }

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
  int Bookmark(int index) const { return bookmarks_.Get(index); }
  void SetBookmark(int index, int line);
  void GotoBookmark(int index);

  // --- keyboard and editing ------------------------------------------------------------------
  // A key press as a virtual-key code with shift bits; true when the model acted on it.
  bool KeyDown(int key, TShiftState shift);
  // A character (codes 32..126 and 128..255 are typed; others ignored).
  void KeyPress(char c);
  // One typed character as page text holds it: a byte, or the numeric character reference of
  // a character outside Windows-1252. Consecutive typing is one undo step.
  void TypeCharacter(std::string_view character);
  void DeleteSelection();
  void DeleteCurrentLine();
  // Inserts text (CR LF, LF or CR breaks) at the caret, replacing the selection; one paste
  // undo step. PasteText is the clipboard paste (not when ReadOnly).
  void InsertTextAtCaret(std::string_view text);
  void PasteText(std::string_view text);
  // The selected text, deleted in one undo step; nothing when ReadOnly.
  std::optional<std::string> CutSelection();
  // Mouse: caret to pos as a click does, extending with Shift.
  void ClickAt(TTextPos pos, TShiftState shift);
  // Double click: selects the word around pos.
  void SelectWordAt(TTextPos pos);
  // The URL chunk at pos, or empty.
  std::string UrlAt(TTextPos pos) const;
  // A click on a URL: OnURLClick, or the view opens it. True when a URL was there.
  bool ClickUrlAt(TTextPos pos);
  // Drops the selected text at pos: moved, or copied with copy set.
  void DropSelection(TTextPos pos, bool copy);

  void Undo();
  void Redo();
  bool CanUndo() const { return history_.CanUndo() && !ReadOnly; }
  bool CanRedo() const { return history_.CanRedo() && !ReadOnly; }
  const TCodeUndoList& UndoList() const { return history_; }
  void ClearUndo() { history_.Clear(); }

  // Finds text from the caret or selection and selects it; the offset of the match in the
  // whole text (line breaks counted as 2), or -1.
  int SearchText(const std::string& text, TFindOptions options);

  // Modified state of a line (0, 1, 2; 0 for a line out of range).
  int ModifiedState(int line) const { return marks_.State(line); }
  void SetModified(int line);  // state 1
  // Error ranges a checker underlines.
  TLineErrors& LineErrors() { return errors_; }

  // --- the one door for text changes --------------------------------------------------------
  // Replaces range by text ('\n' breaks, no tabs), padding the start line with blanks first
  // when the range starts beyond its end. The changed lines are marked modified and the change
  // goes into the undo step being recorded. Returns the position behind the inserted text.
  TTextPos ReplaceText(TTextRange range, std::string_view text);

  // --- the line list's operations (what TCodeMemoStrings does with an editor attached) -------
  // The framework's append: line feeds vanish, each CR starts a line; the object goes with
  // every line. Returns the index of the last line.
  int AppendLines(std::string_view text, TObject* object);
  // The text's lines (any breaks) at index; the selection collapses, the history ends.
  void InsertLines(int index, std::string_view text, TObject* object);
  // The line's text; breaks in it start lines of their own. The history ends.
  void ReplaceLine(int index, std::string_view text);
  // Deletes the line as the editor does (an undo step); the caret keeps its line.
  void DeleteLine(int index);
  void ClearLines();
  // The whole text, from a file or a stream: breaks of any kind, a NUL ends it.
  void LoadText(std::string_view bytes);
  // Lines without their trailing blanks (as a file is saved), then the saved marks.
  void TrimForSave();
  void MarkSaved();
  void AssignLines(const TStrings& other);
  void AddLines(const TStrings& other);
  // The list's change handling: OnChange, longest line, scroll bars, caret in view, bookmarks.
  void ListChanged();
  TObject* LineObject(int index) const;
  void SetLineObject(int index, TObject* object);

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

 private:
  friend class TEditStep;
  // A change of the text: user edits are recorded and marked, padding and list writes not.
  TTextPos Change(TTextRange range, std::string_view text, bool userEdit);
  void PadLine(int line, int column);
  void InvalidateFrom(int line);
  // The end of an edit within lines: the view's bars follow the longest line, OnChange fires.
  void FireChange();
  void FireSelectionChange();
  // The caret moves without touching the anchor; force runs the column rules even when the
  // column stays.
  void MoveCaretX(int column, bool force);
  void MoveCaretY(int line);
  void MoveCaret(TTextPos pos);
  void CaretChanged();
  void ExtendSelection();  // the anchor stays, the selection now ends at the caret
  void SelectionMade();    // a selection was set: announce it
  // Runs f, which moves the caret; when it moved, the selection collapses onto it.
  template <class F>
  void CaretMove(F&& f) {
    const TTextPos before = caret_;
    const bool empty = SelectionEmpty();
    f();
    if (empty)
      anchor_ = caret_;  // an empty selection is just the caret
    else if (caret_ != before)
      CollapseSelection();
  }
  bool IsDelimiter(char c) const;
  bool IsWordJumpDelimiter(char c) const;
  void AutoCorrectWord();
  void BackSpace();
  void CtrlBackSpace();
  void DeleteChar();
  void NewLine();
  void TabKey();
  void ShiftTab();
  // Word jumps and pages move the caret only; the selection is the caller's.
  void WordRight();
  void WordLeft();
  void PageDown(bool ctrl);
  void PageUp(bool ctrl);
  // Removes the selection (one buffer-delete step); false when it was empty.
  bool RemoveSelection();
  // Inserts the editor's own text ('\n' breaks, no tabs) at as one paste step.
  void InsertPlain(std::string_view lines, bool linked, TTextPos at);
  void Navigate(int key, TShiftState shift);
  bool CommandKey(int key, TShiftState shift);
  void Replay(bool undo);
  void ReplayStep(const TUndoStep& step, bool undo);
  void LoadStarted();
  void LoadFinished();
  void ResetView();

  TLineStore store_;
  TLineMarks marks_{store_};
  TLineErrors errors_;
  TBookmarks bookmarks_;
  TLineObjects objects_;
  // Mutable: preparing changed rules in Tokenizer() may have to forget the kept states.
  mutable TLineStates states_{store_};
  TRunCache runs_;
  std::unique_ptr<TCodeMemoStrings> list_;
  TCodeUndoList history_;
  TUndoStep* recording_ = nullptr;  // the step of the operation under way
  TUndoStep spareStep_;             // reused by each outermost step, so typing allocates nothing
  bool replaying_ = false;          // an undo or redo is running

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
  mutable unsigned rulesRevision_ = 1;

  TTextPos caret_, anchor_;
  // A selection was made and not collapsed since: collapsing it is news even when the caret
  // has meanwhile come back onto the anchor.
  bool selectionOpen_ = false;
  int topLine_ = 0, leftCol_ = 0;
  int visibleRows_ = 0, visibleCols_ = 0;
  bool overwrite_ = false;
  bool changeHandling_ = true;
};

// Brackets one editing operation: what the caret and the selection were when it began, the
// edits made meanwhile, and where the caret ended, become one undo step when it ends (merged
// into the last step when they continue it).
class TEditStep {
 public:
  TEditStep(TCustomCodeMemo& memo, TUndoKind kind);
  ~TEditStep();
  TEditStep(const TEditStep&) = delete;
  TEditStep& operator=(const TEditStep&) = delete;
  TUndoStep& Step() { return step_; }

 private:
  TCustomCodeMemo& memo_;
  TUndoStep* outer_;
  TUndoStep own_;  // the storage of a step inside another one
  TUndoStep& step_;
};

}  // namespace kv
