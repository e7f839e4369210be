// Draws the program's artwork and writes it into the resources folder:
//   kv_artwork_generator <resources folder> [--preview <png>]
// The pictures are committed; run this only to change them. --preview also writes both icon
// strips enlarged eight times, for judging them by eye.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImageWriter>
#include <QPainter>
#include <cstdio>

#include "resources/tools/AppIcon.h"
#include "resources/tools/Icons.h"
#include "resources/tools/Pictures.h"

namespace {

bool Write(const QImage& image, const QString& path, int quality = -1) {
  QDir().mkpath(QFileInfo(path).absolutePath());
  QImageWriter writer(path);
  if (quality >= 0) writer.setQuality(quality);
  if (writer.write(image)) return true;
  std::fprintf(stderr, "cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
  return false;
}

QImage Enlarged(const QImage& strip, int factor) {
  QImage sheet(strip.width() * factor, strip.height() * factor, QImage::Format_RGB32);
  // A checker shows where the icons are transparent.
  QPainter p(&sheet);
  for (int y = 0; y < sheet.height(); y += 8) {
    for (int x = 0; x < sheet.width(); x += 8) {
      p.fillRect(x, y, 8, 8, ((x + y) / 8) % 2 ? QColor(0xE8, 0xE8, 0xE8) : Qt::white);
    }
  }
  p.drawImage(sheet.rect(),
              strip.scaled(sheet.size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
  p.setPen(QColor(0xFF, 0x00, 0xFF, 90));
  for (int x = 0; x < sheet.width(); x += 16 * factor) p.drawLine(x, 0, x, sheet.height());
  p.end();
  return sheet;
}

QImage Stack(const QImage& top, const QImage& bottom) {
  QImage sheet(std::max(top.width(), bottom.width()), top.height() + bottom.height() + 16,
               QImage::Format_RGB32);
  sheet.fill(Qt::white);
  QPainter p(&sheet);
  p.drawImage(0, 0, top);
  p.drawImage(0, top.height() + 16, bottom);
  p.end();
  return sheet;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const QStringList args = app.arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: %s <resources folder> [--preview <png>]\n", argv[0]);
    return 2;
  }
  const QString root = args[1];
  using namespace kv::art;
  const QImage toolbar = ToolbarStrip(), menu = MenuStrip();
  bool ok = Write(toolbar, root + "/images/toolbar.png") &&
            Write(menu, root + "/images/menu.png") &&
            Write(ControlBarPicture(), root + "/images/controlbar.jpg", 95) &&
            Write(ShowcasePicture(TAdLanguage::German), root + "/images/werbung_de.jpg", 90) &&
            Write(ShowcasePicture(TAdLanguage::English), root + "/images/werbung_en.jpg", 90) &&
            Write(HeaderPicture(), root + "/runtime/recom/m_head.jpg", 92) &&
            Write(AboutPicture(), root + "/runtime/recom/m_about.jpg", 92);
  for (const TNamedIcon& icon : HelpIcons()) {
    ok = ok && Write(icon.Image, root + "/runtime/help/img/" + icon.Name + ".png");
  }
  ok = ok && WriteAppIcons(root + "/desktop");
  const int previewAt = static_cast<int>(args.indexOf("--preview"));
  if (ok && previewAt > 0 && previewAt + 1 < args.size()) {
    ok = Write(Stack(Enlarged(toolbar, 8), Enlarged(menu, 8)), args[previewAt + 1]);
  }
  return ok ? 0 : 1;
}
