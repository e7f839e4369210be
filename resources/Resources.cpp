#include "resources/Resources.h"

#include <QFile>
#include <QImage>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterKavelinResources() {
  Q_INIT_RESOURCE(kavelin_resources);
}

namespace kv {
namespace {

// The strips are decoded once and kept as QImage: unlike QPixmap, a QImage may outlive the
// application object at program exit.
const QImage& Strip(const QString& path) {
  static QImage toolbar, menu;
  QImage& strip = path == ResourcePath::ToolbarImages ? toolbar : menu;
  if (strip.isNull()) strip.loadFromData(ResourceBytes(path), "PNG");
  return strip;
}

QPixmap ListImage(const QString& path, int count, int index) {
  if (index < 0 || index >= count) return {};
  const QImage& strip = Strip(path);
  if (strip.width() < count * ImageListSize) return {};
  return QPixmap::fromImage(strip.copy(index * ImageListSize, 0, ImageListSize, ImageListSize));
}

}  // namespace

void InitResources() {
  static const bool registered = (RegisterKavelinResources(), true);
  (void)registered;
}

QByteArray ResourceBytes(const QString& path) {
  InitResources();
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QPixmap ToolbarImage(int index) {
  return ListImage(ResourcePath::ToolbarImages, ToolbarImageCount, index);
}

QPixmap MenuImage(int index) {
  return ListImage(ResourcePath::MenuImages, MenuImageCount, index);
}

}  // namespace kv
