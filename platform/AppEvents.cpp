#include "platform/AppEvents.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

#include "platform/Controls.h"

namespace kv {

namespace {

class TMessageFilter : public QObject {
 public:
  explicit TMessageFilter(TApplicationEvents* owner) : owner_(owner) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    // Qt delivers a key event to the focus widget and then to its parents; only the first
    // delivery counts as the message taken from the queue. The next press may reuse the same
    // memory: a release in between ends the delivery of the last one.
    if (event->type() == QEvent::KeyRelease) last_ = nullptr;
    if (event->type() == QEvent::KeyPress && owner_->OnMessage && watched->isWidgetType()) {
      auto* ke = static_cast<QKeyEvent*>(event);
      auto* widget = static_cast<QWidget*>(watched);
      // An unhandled key travels on to the parents of its receiver: the same event again.
      if (last_ == ke && lastReceiver_ && widget->isAncestorOf(lastReceiver_)) return false;
      last_ = ke;
      lastReceiver_ = widget;
      TMsg msg{WM_KEYDOWN, VirtualKeyFromQt(ke->key()), watched};
      bool handled = false;
      SafeCall([&] { owner_->OnMessage(msg, handled); });
      return handled;
    }
    return false;
  }

 private:
  TApplicationEvents* owner_;
  const QKeyEvent* last_ = nullptr;
  QPointer<QWidget> lastReceiver_;
};

class TMouseHookFilter : public QObject {
 public:
  explicit TMouseHookFilter(std::function<bool(QObject*)> isSurface)
      : isSurface_(std::move(isSurface)) {}
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::MouseButtonPress:
      case QEvent::MouseButtonRelease:
      case QEvent::MouseButtonDblClick:
        if (static_cast<QMouseEvent*>(event)->button() == Qt::RightButton && isSurface_(watched))
          return true;
        break;
      case QEvent::ContextMenu:
        if (isSurface_(watched)) return true;
        break;
      default:
        break;
    }
    return false;
  }

 private:
  std::function<bool(QObject*)> isSurface_;
};

TMouseHookFilter* gMouseHook = nullptr;

}  // namespace

KV_DEFINE_CLASS(TApplicationEvents, TComponent, {})

TApplicationEvents::TApplicationEvents(TComponent* owner)
    : TComponent(owner), filter_(new TMessageFilter(this)) {
  QCoreApplication::instance()->installEventFilter(filter_);
}

TApplicationEvents::~TApplicationEvents() {
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(filter_);
  delete filter_;
}

void InstallMouseHook(std::function<bool(QObject*)> isDocumentSurface) {
  RemoveMouseHook();
  gMouseHook = new TMouseHookFilter(std::move(isDocumentSurface));
  QCoreApplication::instance()->installEventFilter(gMouseHook);
}

void RemoveMouseHook() {
  if (!gMouseHook) return;
  if (QCoreApplication::instance()) QCoreApplication::instance()->removeEventFilter(gMouseHook);
  delete gMouseHook;
  gMouseHook = nullptr;
}

}  // namespace kv
