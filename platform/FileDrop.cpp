#include "platform/FileDrop.h"

#include <QApplication>
#include <QDropEvent>
#include <QMimeData>
#include <QPointer>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <optional>

#include "platform/QtText.h"

namespace kv {

namespace {

class TDropFilter : public QObject {
 public:
  TDropFilter(QWidget* window, std::function<bool(const THostPath&)> wanted,
              std::function<void(const THostPath&)> dropped)
      : window_(window), wanted_(std::move(wanted)), dropped_(std::move(dropped)) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    const QEvent::Type type = event->type();
    if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop) return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!window_ || !widget || widget->window() != window_) return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const std::optional<THostPath> page = WantedFile(drop->mimeData());
    if (!page) {
      drop->ignore();
      return true;  // nobody else in the window gets it either
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    if (type == QEvent::Drop)
      QTimer::singleShot(0, this, [this, path = *page] {
        if (dropped_) dropped_(path);
      });
    return true;
  }

 private:
  // One local file that the window wants; several files or anything else are no page.
  std::optional<THostPath> WantedFile(const QMimeData* data) const {
    if (!data || !data->hasUrls()) return std::nullopt;
    const QList<QUrl> urls = data->urls();
    if (urls.size() != 1 || !urls.front().isLocalFile()) return std::nullopt;
    const THostPath path = PathFromQ(urls.front().toLocalFile());
    if (path.IsEmpty() || !wanted_ || !wanted_(path)) return std::nullopt;
    return path;
  }

  QPointer<QWidget> window_;
  std::function<bool(const THostPath&)> wanted_;
  std::function<void(const THostPath&)> dropped_;
};

}  // namespace

TFileDrop::TFileDrop(QWidget* window, std::function<bool(const THostPath&)> wanted,
                     std::function<void(const THostPath&)> dropped)
    : filter_(new TDropFilter(window, std::move(wanted), std::move(dropped))) {
  // Drops are delivered only to widgets that accept them; the window's own acceptance lets a
  // drop anywhere on it (tool bar, status bar) reach the filter.
  window->setAcceptDrops(true);
  qApp->installEventFilter(filter_);
}

TFileDrop::~TFileDrop() {
  delete filter_;  // also leaves the application's filters
}

}  // namespace kv
