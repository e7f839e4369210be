// The control's mouse handling, clipboard commands and built-in context menu.
#include <QApplication>
#include <QClipboard>
#include <QMenu>
#include <QMimeData>
#include <algorithm>

#include "editor/export/ClipboardHtml.h"
#include "editor/export/MemoExport.h"
#include "editor/view/CodeMemo.h"
#include "editor/view/CodeMemoPeer.h"
#include "platform/QtText.h"

namespace kv {

// Qt's clipboard and drags speak "\n", as the editor's own text does; each platform turns it
// into its own line break.
QString TCodeMemo::SelectedText() const {
  return ToQ(memo_->TextIn(memo_->Selection()));
}

// --- typing
// -----------------------------------------------------------------------------------------

bool TCodeMemo::TypeText(const QString& text) {
  bool typed = false;
  for (const uint c : text.toUcs4()) {
    const std::string character = PageCharacter(c);
    // Control characters are keys, not text.
    const auto first = static_cast<unsigned char>(character[0]);
    if (character.size() == 1 && (first < 32 || first == 127)) continue;
    memo_->TypeCharacter(character);
    typed = true;
  }
  return typed;
}

QVariant TCodeMemo::InputMethodQuery(Qt::InputMethodQuery query) const {
  const TTextPos caret = memo_->Caret();
  const std::string& line = memo_->Line(caret.Line);
  // Offsets in the line as Qt counts them: one per byte, each byte being one character.
  const int column = std::min(caret.Col, static_cast<int>(line.size()));
  switch (query) {
    case Qt::ImEnabled:
      return !memo_->ReadOnly;
    case Qt::ImCursorRectangle: {
      const TMemoLayout l = Layout();
      QRect r = TMemoPainter::CaretRect(l, caret);
      if (r.isNull()) r = QRect(l.TextArea().Left, l.TextArea().Top, 2, LineHeight());
      return r;
    }
    case Qt::ImFont:
      return fonts_.Font(0);
    case Qt::ImSurroundingText:
      return ToQ(line);
    case Qt::ImCursorPosition:
      return column;
    case Qt::ImAnchorPosition: {
      const TTextPos anchor = memo_->SelectionAnchor();
      return anchor.Line == caret.Line ? std::min(anchor.Col, static_cast<int>(line.size()))
                                       : column;
    }
    case Qt::ImCurrentSelection:
      return SelectedText();
    case Qt::ImHints:
      return static_cast<int>(Qt::ImhMultiLine);
    default:
      return {};
  }
}

// --- mouse
// ------------------------------------------------------------------------------------------

bool TCodeMemo::InGutter(int x, int y) const {
  const TMemoLayout l = Layout();
  const TMemoRect g = l.GutterRect();
  return l.GutterShown() && x < g.Right && y >= 0;
}

bool TCodeMemo::CursorIsIBeamAt(int x, int y) const {
  return Layout().TextArea().Contains(x, y);
}

TTextPos TCodeMemo::PositionAt(int x, int y) const {
  const TMemoLayout l = Layout();
  return {std::clamp(l.LineAt(y), 0, memo_->LineCount() - 1), std::max(0, l.ColumnAt(x))};
}

void TCodeMemo::MouseDown(int x, int y, TShiftState shift, bool right) {
  if (!Focused()) SetFocus();
  if (right) return;
  const TTextPos at = PositionAt(x, y);
  dragPending_ = false;
  if (InGutter(x, y)) {
    if (OnGutterClick)
      SafeCall([&] { OnGutterClick(this, at.Line); });
    else
      memo_->ClickAt({at.Line, 0}, shift & ssShift);
    mouseSelecting_ = true;
    return;
  }
  if (!(shift & ssShift) && memo_->IsSelected(at)) {
    // A press inside the selection may start dragging it; a release without a drag collapses.
    dragPending_ = true;
    pressX_ = x;
    pressY_ = y;
    return;
  }
  memo_->ClickAt(at, shift & ssShift);
  mouseSelecting_ = true;
  if (memo_->UrlAware()) memo_->ClickUrlAt(memo_->Caret());
}

void TCodeMemo::MouseMove(int x, int y, bool leftHeld) {
  if (!leftHeld) return;
  if (dragPending_) {
    const int distance = std::abs(x - pressX_) + std::abs(y - pressY_);
    if (distance >= QApplication::startDragDistance() && !memo_->ReadOnly) {
      dragPending_ = false;
      dragging_ = true;
      PeerWidget()->StartDrag();
      dragging_ = false;
      DragOverAt(-1, -1);
    }
    return;
  }
  if (!mouseSelecting_) return;
  const TTextPos at = PositionAt(x, y);
  if (at != memo_->Caret()) memo_->ClickAt(at, ssShift);
  lastMouseX_ = x;
  lastMouseY_ = y;
  const TMemoRect area = Layout().TextArea();
  const bool outside = y < area.Top || y >= area.Bottom || x >= area.Right ||
                       (x < area.Left && memo_->LeftCol() > 0);
  if (outside && !autoScroll_.isActive())
    autoScroll_.start();
  else if (!outside)
    autoScroll_.stop();
}

void TCodeMemo::MouseUp(int x, int y) {
  if (dragPending_) memo_->ClickAt(PositionAt(x, y), 0);
  dragPending_ = false;
  mouseSelecting_ = false;
  autoScroll_.stop();
  ResetBlink();
  InvalidateCaret();
}

void TCodeMemo::DoubleClick(int x, int y) {
  if (OnDblClick) SafeCall([this] { OnDblClick(this); });
  if (InGutter(x, y)) return;
  memo_->SelectWordAt(PositionAt(x, y));
  mouseSelecting_ = false;
}

void TCodeMemo::DragOverAt(int x, int y) {
  const TTextPos at = x >= 0 && y >= 0 ? PositionAt(x, y) : TTextPos{-1, 0};
  if (at == drop_) return;
  drop_ = at;
  InvalidateAll();
}

void TCodeMemo::DropAt(int x, int y, bool copy) {
  DragOverAt(-1, -1);
  if (memo_->ReadOnly || memo_->SelectionEmpty()) return;
  memo_->DropSelection(PositionAt(x, y), copy);
  RefreshScrollBars();
  InvalidateAll();
}

// --- clipboard and context menu
// ------------------------------------------------------------------------

bool TCodeMemo::AllowClipboard(TClipboardAction action) {
  bool allow = true;
  if (OnClipboardAction) SafeCall([&] { OnClipboardAction(this, action, allow); });
  return allow;
}

QMimeData* TCodeMemo::CreateMimeData() {
  auto* mime = new QMimeData;
  if (ClipboardFormats & cfText) mime->setText(SelectedText());
  const TTextRange range = SelectionRange(*memo_);
  if (ClipboardFormats & cfRTF) {
    const QByteArray rtf = QByteArray::fromStdString(RtfDocument(*memo_, range));
    mime->setData(QStringLiteral("text/rtf"), rtf);
    mime->setData(QStringLiteral("application/rtf"), rtf);
  }
  if (ClipboardFormats & cfHTML)
    mime->setHtml(QString::fromStdString(BuildHtmlDocument(HtmlFragment(*memo_, range))));
  return mime;
}

void TCodeMemo::DoCopy() {
  // The renderings only read the text, so no change handler can fire while they run.
  QApplication::clipboard()->setMimeData(CreateMimeData());
  InvalidateAll();
}

void TCodeMemo::DoCut() {
  if (memo_->ReadOnly || memo_->SelectionEmpty()) return;
  const QString text = SelectedText();
  if (!memo_->CutSelection()) return;
  QApplication::clipboard()->setText(text);
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::DoPaste() {
  if (memo_->ReadOnly) return;
  const QString text = QApplication::clipboard()->text();
  if (text.isEmpty()) return;
  memo_->PasteText(ToPageText(text));
  RefreshScrollBars();
  InvalidateAll();
}

void TCodeMemo::CopyToClipboard() {
  if (AllowClipboard(TClipboardAction::caCopy)) DoCopy();
}

void TCodeMemo::CutToClipboard() {
  if (AllowClipboard(TClipboardAction::caCut)) DoCut();
}

void TCodeMemo::PasteFromClipboard() {
  if (AllowClipboard(TClipboardAction::caPaste)) DoPaste();
}

TMemoMenuState TCodeMemo::MenuState() const {
  TMemoMenuState s;
  const bool readOnly = memo_->ReadOnly;
  const bool selection = !memo_->SelectionEmpty();
  s.Undo = memo_->CanUndo() && !readOnly;
  s.Redo = memo_->CanRedo() && !readOnly;
  s.Copy = selection;
  // Items that would change a read-only text are greyed too, not just left without effect.
  s.Cut = selection && !readOnly;
  s.Delete = selection && !readOnly;
  const QMimeData* clip = QApplication::clipboard()->mimeData();
  s.Paste = !readOnly && clip && clip->hasText() && !clip->text().isEmpty();
  s.SelectAll = true;
  return s;
}

QMenu* TCodeMemo::CreateContextMenu(QWidget* parent) {
  const TMemoMenuState s = MenuState();
  auto* menu = new QMenu(parent);
  auto add = [&](const char* text, bool enabled, std::function<void()> run) {
    QAction* a = menu->addAction(ToQ(text));
    a->setEnabled(enabled);
    QObject::connect(a, &QAction::triggered, menu, [run] { SafeCall(run); });
  };
  add("Undo\tCtrl-Z", s.Undo, [this] { memo_->Undo(); });
  add("Redo\tCtrl-Y", s.Redo, [this] { memo_->Redo(); });
  menu->addSeparator();
  add("Copy\tCtrl-C", s.Copy, [this] { CopyToClipboard(); });
  add("Cut\tCtrl-X", s.Cut, [this] { CutToClipboard(); });
  add("Paste\tCtrl-V", s.Paste, [this] { PasteFromClipboard(); });
  add("Delete", s.Delete, [this] {
    if (!memo_->ReadOnly) memo_->DeleteSelection();
  });
  menu->addSeparator();
  add("Select All\tCtrl-A", s.SelectAll, [this] { memo_->SelectAll(); });
  return menu;
}

}  // namespace kv
