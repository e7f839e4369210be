// The Qt widget behind TCodeMemo: it hands paint, key, mouse, wheel, focus, drag-and-drop and
// context-menu events to the control and does nothing of its own.
#pragma once

#include <QWidget>

namespace kv {

class TCodeMemo;

class TCodeMemoPeer : public QWidget {
  Q_OBJECT  // its class name lets the accessibility factory know it without a cast

 public:
  TCodeMemoPeer();
  void SetControl(TCodeMemo* control) { control_ = control; }
  TCodeMemo* Control() const { return control_; }
  // Starts dragging the control's selection (modal until the drop).
  void StartDrag();

 protected:
  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void keyReleaseEvent(QKeyEvent* e) override;
  void inputMethodEvent(QInputMethodEvent* e) override;
  QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void contextMenuEvent(QContextMenuEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;
  void dragEnterEvent(QDragEnterEvent* e) override;
  void dragMoveEvent(QDragMoveEvent* e) override;
  void dragLeaveEvent(QDragLeaveEvent* e) override;
  void dropEvent(QDropEvent* e) override;

 private:
  TCodeMemo* control_ = nullptr;
  int wheelRemainder_ = 0;
};

// Maps a Qt key event to the model: true when the model took it as a command.
bool DispatchKey(TCodeMemo& control, QKeyEvent* e);

}  // namespace kv
