#include "resources/Resources.h"

#include <QFile>
#include <QImage>

// Q_INIT_RESOURCE must be used outside any namespace.
static void RegisterKavelinResources() {
  Q_INIT_RESOURCE(kavelin_resources);
}

namespace kv {
namespace {

QImage LoadStrip(const QString& path) {
  QImage strip;
  strip.loadFromData(ResourceBytes(path), "PNG");
  return strip;
}

// The strips are decoded once and kept as QImage: unlike QPixmap, a QImage may outlive the
// application object at program exit.
const QImage& ToolbarStrip() {
  static const QImage strip = LoadStrip(ResourcePath::ToolbarImages);
  return strip;
}

const QImage& MenuStrip() {
  static const QImage strip = LoadStrip(ResourcePath::MenuImages);
  return strip;
}

QPixmap ListImage(const QImage& strip, int count, int index) {
  if (index < 0 || index >= count || strip.width() < count * ImageListSize) return {};
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
  return ListImage(ToolbarStrip(), ToolbarImageCount, index);
}

QPixmap MenuImage(int index) {
  return ListImage(MenuStrip(), MenuImageCount, index);
}

}  // namespace kv
