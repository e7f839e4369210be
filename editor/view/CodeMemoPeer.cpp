#include "editor/view/CodeMemoPeer.h"

#include <QAccessible>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QWheelEvent>
#include <memory>

#include "editor/view/CodeMemo.h"
#include "editor/view/CodeMemoAccessible.h"
#include "platform/Keys.h"
#include "platform/QtText.h"

namespace kv {

namespace {

int KeyCode(const QKeyEvent* e) {
  if (e->key() == Qt::Key_Backtab) return keys::VK_TAB;
  int vk = VirtualKeyFromQt(e->key());
  // Letters and digits have their own character as virtual-key code.
  if (vk == 0 && ((e->key() >= Qt::Key_A && e->key() <= Qt::Key_Z) ||
                  (e->key() >= Qt::Key_0 && e->key() <= Qt::Key_9)))
    vk = e->key();
  return vk;
}

TShiftState ShiftOf(const QKeyEvent* e) {
  TShiftState shift = ShiftFromQt(e->modifiers());
  if (e->key() == Qt::Key_Backtab) shift |= ssShift;
  return shift;
}

TShiftState MouseShift(Qt::KeyboardModifiers m) {
  return ShiftFromQt(m);
}

// Keys the editor acts on: a window's shortcuts must not take them first.
bool IsEditingKey(const QKeyEvent* e) {
  const Qt::KeyboardModifiers m = e->modifiers() & ~Qt::KeypadModifier;
  const bool ctrl = m & Qt::ControlModifier, alt = m & Qt::AltModifier;
  switch (e->key()) {
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Insert:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
      return true;
    case Qt::Key_A:
    case Qt::Key_C:
    case Qt::Key_V:
    case Qt::Key_X:
    case Qt::Key_Y:
    case Qt::Key_Z:
    case Qt::Key_Space:
      if (ctrl && !alt) return true;
      break;
    default:
      break;
  }
  // Plain characters are typing (a character beyond U+FFFF comes as two halves).
  const QList<uint> typed = e->text().toUcs4();
  return !ctrl && !alt && !typed.isEmpty() && QChar::isPrint(char32_t(typed.first()));
}

}  // namespace

bool DispatchKey(TCodeMemo& control, QKeyEvent* e) {
  TCustomCodeMemo& memo = control.Memo();
  const int vk = KeyCode(e);
  const TShiftState shift = ShiftOf(e);
  bool handled = false;
  if (vk != 0) handled = memo.KeyDown(vk, shift);
  if (handled) return true;
  // Characters: not with Ctrl alone (those are commands), but with AltGr (Ctrl+Alt).
  const bool ctrl = shift & ssCtrl, alt = shift & ssAlt;
  if (ctrl && !alt) return false;
  if (alt && !ctrl) return false;
  return control.TypeText(e->text());
}

TCodeMemoPeer::TCodeMemoPeer() {
  // Screen readers read the source through the editor's own text interface.
  static const bool accessible = [] {
    QAccessible::installFactory(CodeMemoAccessibleFactory);
    return true;
  }();
  (void)accessible;
  setFocusPolicy(Qt::StrongFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setAttribute(Qt::WA_InputMethodEnabled);
  setAcceptDrops(true);
  setMouseTracking(true);
  setCursor(Qt::IBeamCursor);
}

bool TCodeMemoPeer::event(QEvent* e) {
  if (!control_) return QWidget::event(e);
  if (e->type() == QEvent::KeyPress) {
    auto* ke = static_cast<QKeyEvent*>(e);
    // Tab belongs to the editor (not to the focus chain) while it wants tabs.
    if ((ke->key() == Qt::Key_Tab || ke->key() == Qt::Key_Backtab) && control_->Memo().WantTab) {
      keyPressEvent(ke);
      return true;
    }
  } else if (e->type() == QEvent::ShortcutOverride) {
    // Editing keys reach the editor before any window shortcut takes them; function keys
    // and Esc stay with the window.
    auto* ke = static_cast<QKeyEvent*>(e);
    if (IsEditingKey(ke)) {
      e->accept();
      return true;
    }
  }
  return QWidget::event(e);
}

void TCodeMemoPeer::paintEvent(QPaintEvent* e) {
  if (!control_) return;
  QPainter p(this);
  control_->Paint(p, e->rect());
}

void TCodeMemoPeer::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  if (control_) control_->ViewResized();
}

void TCodeMemoPeer::keyPressEvent(QKeyEvent* e) {
  if (!control_) return QWidget::keyPressEvent(e);
  control_->ResetBlink();
  SafeCall([&] { DispatchKey(*control_, e); });
  e->accept();
}

void TCodeMemoPeer::keyReleaseEvent(QKeyEvent* e) {
  if (control_) {
    control_->ResetBlink();
    control_->InvalidateCaret();
  }
  e->accept();
}

void TCodeMemoPeer::inputMethodEvent(QInputMethodEvent* e) {
  if (control_ && !e->commitString().isEmpty())
    SafeCall([&] { control_->TypeText(e->commitString()); });
  e->accept();
}

QVariant TCodeMemoPeer::inputMethodQuery(Qt::InputMethodQuery query) const {
  if (!control_) return QWidget::inputMethodQuery(query);
  const QVariant answer = control_->InputMethodQuery(query);
  return answer.isValid() ? answer : QWidget::inputMethodQuery(query);
}

void TCodeMemoPeer::mousePressEvent(QMouseEvent* e) {
  if (!control_) return;
  const QPoint pos = e->position().toPoint();
  if (e->button() == Qt::LeftButton || e->button() == Qt::RightButton)
    SafeCall([&] {
      control_->MouseDown(pos.x(), pos.y(), MouseShift(e->modifiers()),
                          e->button() == Qt::RightButton);
    });
}

void TCodeMemoPeer::mouseMoveEvent(QMouseEvent* e) {
  if (!control_) return;
  const QPoint pos = e->position().toPoint();
  setCursor(control_->CursorIsIBeamAt(pos.x(), pos.y()) ? Qt::IBeamCursor : Qt::ArrowCursor);
  SafeCall([&] { control_->MouseMove(pos.x(), pos.y(), e->buttons() & Qt::LeftButton); });
}

void TCodeMemoPeer::mouseReleaseEvent(QMouseEvent* e) {
  if (!control_ || e->button() != Qt::LeftButton) return;
  const QPoint pos = e->position().toPoint();
  SafeCall([&] { control_->MouseUp(pos.x(), pos.y()); });
}

void TCodeMemoPeer::mouseDoubleClickEvent(QMouseEvent* e) {
  if (!control_ || e->button() != Qt::LeftButton) return;
  const QPoint pos = e->position().toPoint();
  SafeCall([&] { control_->DoubleClick(pos.x(), pos.y()); });
}

void TCodeMemoPeer::wheelEvent(QWheelEvent* e) {
  if (!control_) return;
  // One wheel step is 120 eighths of a degree; touchpads deliver fractions of it.
  wheelRemainder_ += -e->angleDelta().y();
  const int steps = wheelRemainder_ / 120;
  wheelRemainder_ -= steps * 120;
  if (steps != 0) SafeCall([&] { control_->Wheel(steps); });
  e->accept();
}

void TCodeMemoPeer::contextMenuEvent(QContextMenuEvent* e) {
  if (!control_) return;
  if (control_->InGutter(e->pos().x(), e->pos().y())) return;
  std::unique_ptr<QMenu> menu(control_->CreateContextMenu(this));
  menu->exec(e->globalPos());
}

void TCodeMemoPeer::focusInEvent(QFocusEvent* e) {
  QWidget::focusInEvent(e);
  if (control_) control_->FocusChanged(true);
}

void TCodeMemoPeer::focusOutEvent(QFocusEvent* e) {
  QWidget::focusOutEvent(e);
  if (control_) control_->FocusChanged(false);
}

void TCodeMemoPeer::StartDrag() {
  if (!control_) return;
  auto* drag = new QDrag(this);
  auto* mime = new QMimeData;
  mime->setText(control_->SelectedText());
  drag->setMimeData(mime);
  drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
}

void TCodeMemoPeer::dragEnterEvent(QDragEnterEvent* e) {
  // Only the editor's own selection is dropped here; other sources are left alone.
  if (control_ && control_->dragging_ && !control_->Memo().ReadOnly)
    e->acceptProposedAction();
  else
    e->ignore();
}

void TCodeMemoPeer::dragMoveEvent(QDragMoveEvent* e) {
  if (!control_ || !control_->dragging_) return e->ignore();
  e->setDropAction(e->modifiers() & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction);
  e->accept();
  const QPoint pos = e->position().toPoint();
  control_->DragOverAt(pos.x(), pos.y());
}

void TCodeMemoPeer::dragLeaveEvent(QDragLeaveEvent* e) {
  if (control_) control_->DragOverAt(-1, -1);
  e->accept();
}

void TCodeMemoPeer::dropEvent(QDropEvent* e) {
  if (!control_ || !control_->dragging_) return e->ignore();
  const bool copy = e->modifiers() & Qt::ControlModifier;
  const QPoint pos = e->position().toPoint();
  SafeCall([&] { control_->DropAt(pos.x(), pos.y(), copy); });
  // The move already happened inside the text; the drag source must not delete anything.
  e->setDropAction(Qt::CopyAction);
  e->accept();
}

}  // namespace kv
