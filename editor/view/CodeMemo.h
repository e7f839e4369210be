// TCodeMemo: the syntax-highlighting code editor control. It owns one TCustomCodeMemo (text,
// caret, selection, editing, undo, search), paints it on a fixed character grid with a gutter
// of line numbers, keeps two scroll bars, turns keys and mouse actions into the model's
// operations and moves text through the clipboard.
#pragma once

#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <QVariant>
#include <functional>
#include <memory>
#include <string>

#include "editor/core/CodeMemo.h"
#include "editor/view/MemoFonts.h"
#include "editor/view/MemoGutter.h"
#include "editor/view/MemoLayout.h"
#include "editor/view/MemoPainter.h"
#include "platform/Controls.h"

class QMenu;
class QMimeData;

namespace kv {

class TCodeMemoPeer;

using TMemoClipboardFormats = unsigned;
enum TMemoClipboardFormat : unsigned { cfText = 1, cfRTF = 2, cfHTML = 4 };
enum class TClipboardAction { caCopy, caCut, caPaste };
enum class TScrollStyle { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class TScrollMode { smAuto, smStrict };

// Which of the built-in context menu's items are enabled.
struct TMemoMenuState {
  bool Undo = false, Redo = false, Copy = false, Cut = false, Paste = false, Delete = false,
       SelectAll = true;
};

class TCodeMemo : public TControl, private TCodeMemoView {
  KV_DECLARE_CLASS()
  explicit TCodeMemo(TComponent* owner);
  ~TCodeMemo() override;

  TCustomCodeMemo& Memo() { return *memo_; }
  const TCustomCodeMemo& Memo() const { return *memo_; }

  // --- published state -----------------------------------------------------------------------
  TCodeMemoStrings* Lines() { return &memo_->Lines(); }
  void SetLines(TPersistent* lines);
  const std::string& Version() const { return version_; }
  void SetVersion(const std::string& v) { version_ = v; }
  TMemoGutter& Gutter() { return gutter_; }
  TCustomMemoStyler* SyntaxStyles() const { return memo_->SyntaxStyles(); }
  void SetSyntaxStyles(TCustomMemoStyler* styler);

  TColor BkColor() const { return memo_->BkColor; }
  void SetBkColor(TColor c);
  TColor SelColor() const { return memo_->SelColor; }
  void SetSelColor(TColor c);
  TColor SelBkColor() const { return memo_->SelBkColor; }
  void SetSelBkColor(TColor c);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle s);
  bool Ctl3D() const { return ctl3D_; }
  void SetCtl3D(bool on);
  TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(TColor c);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle s);
  TScrollMode ScrollMode = TScrollMode::smAuto;  // kept for the form; the view always scrolls
  bool ShowRightMargin() const { return showRightMargin_; }
  void SetShowRightMargin(bool on);
  int RightMargin() const { return rightMargin_; }
  void SetRightMargin(int column);
  TColor RightMarginColor() const { return rightMarginColor_; }
  void SetRightMarginColor(TColor c);
  bool HiddenCaret() const { return hiddenCaret_; }
  void SetHiddenCaret(bool on);
  TColor BandColor() const { return bandColor_; }
  void SetBandColor(TColor c);
  TMemoClipboardFormats ClipboardFormats = cfText;

  // --- operations ------------------------------------------------------------------------------
  // Change handling off (and painting held back) until the matching EndUpdate, which
  // refreshes the longest line, the scroll bars and the picture.
  void BeginUpdate();
  void EndUpdate();
  void CopyToClipboard();
  void CutToClipboard();
  void PasteFromClipboard();
  void SelectAll() { memo_->SelectAll(); }
  void ClearSelection() {
    if (!memo_->ReadOnly) memo_->DeleteSelection();
  }
  void Undo() { memo_->Undo(); }
  void Redo() { memo_->Redo(); }
  int SearchText(const std::string& text, TFindOptions options);
  // What a copy puts on the clipboard for the current selection and ClipboardFormats.
  QMimeData* CreateMimeData();
  // The selected text as the clipboard and drags take it.
  QString SelectedText() const;

  // --- geometry ------------------------------------------------------------------------------
  const TMemoFonts& Fonts() const { return fonts_; }
  int CellWidth() const { return fonts_.CellWidth(); }
  int LineHeight() const { return fonts_.LineHeight(); }
  TMemoLayout Layout() const;
  void SetBounds(int left, int top, int width, int height) override;
  QScrollBar* VertScrollBar() const { return vbar_; }
  QScrollBar* HorzScrollBar() const { return hbar_; }
  // Brings the bars in line with the text, the caret and the size, and the view with the bars.
  void RefreshScrollBars();
  // The caret is drawn now (focused, not hidden, in the visible blink phase).
  bool CaretShown() const;
  // Paints the control (not its scroll bars) with p, as a paint of the dirty rectangle does.
  void PaintTo(QPainter& p, const QRect& dirty) { Paint(p, dirty); }

  // --- typing (also what the peer's key and input method events call) --------------------------
  // Typed or committed text, character by character; a character outside Windows-1252 goes in
  // as its numeric character reference. False when nothing in it could be typed.
  bool TypeText(const QString& text);
  // What an input method asks of the editor (the caret's place, the text around it); an
  // invalid answer for what the editor does not know.
  QVariant InputMethodQuery(Qt::InputMethodQuery query) const;

  // --- mouse (also what the peer's events call) -------------------------------------------------
  void MouseDown(int x, int y, TShiftState shift, bool right = false);
  void MouseMove(int x, int y, bool leftHeld);
  void MouseUp(int x, int y);
  void DoubleClick(int x, int y);
  void Wheel(int steps);  // positive: towards the end
  // A drop of this control's own selection at the pixel (moved, or copied with copy set).
  void DropAt(int x, int y, bool copy);
  // Dragged text hovers over the pixel (-1, -1: it left): the drop point is marked.
  void DragOverAt(int x, int y);
  bool CursorIsIBeamAt(int x, int y) const;

  // The context menu's items and their greying; the menu itself (for the peer to show).
  TMemoMenuState MenuState() const;
  QMenu* CreateContextMenu(QWidget* parent);

  // --- events --------------------------------------------------------------------------------
  std::function<void(TObject* sender, TClipboardAction action, bool& allow)> OnClipboardAction;
  std::function<void(TObject* sender, int lineNo, TColor& bkColor)> OnLineBkColor;
  std::function<void(TObject* sender, int line)> OnGutterClick;
  TNotifyEvent OnDblClick;
  // Opens a URL that was clicked when no OnURLClick is set (the desktop's opener by default).
  std::function<void(const std::string& url)> UrlOpener;

 protected:
  void FontChanged() override;
  void Notification(TComponent* component, TOperation operation) override;

 private:
  friend class TCodeMemoPeer;
  // TCodeMemoView
  void InvalidateLines(int first, int last) override;
  void InvalidateAll() override;
  void ScrollBarsChanged() override;
  void TextChanged() override;
  void CaretMoved() override;
  void FocusRequested() override;
  void CopyRequested() override;
  void CutRequested() override;
  void PasteRequested() override;
  void OpenUrl(const std::string& url) override;

  TCodeMemoPeer* PeerWidget() const;
  void ApplyFont();
  void Paint(QPainter& p, const QRect& dirty);
  bool AllowClipboard(TClipboardAction action);
  void DoCopy();
  void DoCut();
  void DoPaste();
  // The text position under a pixel, the line clamped to the text.
  TTextPos PositionAt(int x, int y) const;
  void ResetBlink();
  void InvalidateCaret();
  void FocusChanged(bool focused);
  void ViewResized();
  void BarScrolled(bool vertical, int value);
  bool InGutter(int x, int y) const;

  std::unique_ptr<TCustomCodeMemo> memo_;
  TMemoGutter gutter_;
  TMemoFonts fonts_;
  TMemoPainter painter_;
  QPointer<QScrollBar> vbar_, hbar_;
  QTimer blink_;
  // While a mouse selection is dragged outside the text, the view keeps scrolling.
  QTimer autoScroll_;
  int lastMouseX_ = 0, lastMouseY_ = 0;
  bool blinkOn_ = true;
  QRect lastCaret_;
  std::string version_ = "1.0";
  TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
  bool ctl3D_ = false;
  TColor borderColor_ = clGray;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  bool showRightMargin_ = true;
  int rightMargin_ = 80;
  TColor rightMarginColor_ = 0xE2E2E2;
  bool hiddenCaret_ = false;
  TColor bandColor_ = clNone;
  bool applyingFont_ = false;
  int updateDepth_ = 0;
  bool refreshing_ = false;
  // Mouse: a press inside the selection may become a drag of it.
  bool mouseSelecting_ = false;
  bool dragPending_ = false;
  bool dragging_ = false;
  TTextPos drop_{-1, 0};  // where dragged text would land; line -1: no drag over the text
  int pressX_ = 0, pressY_ = 0;
};

}  // namespace kv
