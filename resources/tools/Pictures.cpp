#include "resources/tools/Pictures.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QStringList>
#include <algorithm>
#include <cmath>

#include "resources/tools/ArtKit.h"

namespace kv::art {
namespace {

const QString WordmarkFamily = "URW Gothic";
const QString TextFamily = "DejaVu Sans";

QImage Canvas(int width, int height, const QColor& fill) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(fill);
  return image;
}

void Prepare(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
}

// Blue fading through orange into the background: the accent rule under the wordmark.
void AccentRule(QPainter& p, const QRectF& r, const QColor& background) {
  QLinearGradient rule(r.topLeft(), r.topRight());
  rule.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
  rule.setColorAt(0.45, Palette::Accent);
  rule.setColorAt(1, background);
  p.fillRect(r, rule);
}

void TextAt(QPainter& p, QPointF baseline, const QString& text, const QFont& font,
            const QColor& color) {
  p.setFont(font);
  p.setPen(color);
  p.drawText(baseline, text);
}

// --- The showcase advertisements -----------------------------------------------------------

struct TAdText {
  QString Tagline, Subline, Cta, Hint, Badge, Price, PriceNote, Footer, Code;
  QStringList Features;
};

TAdText AdText(TAdLanguage language) {
  if (language == TAdLanguage::German) {
    return {
        "Software, die Freude macht",
        "Fotos einfach schön bearbeiten",
        "Jetzt kostenlos testen",
        "Klicken Sie auf das Bild, um mehr zu erfahren.",
        "NEU",
        "nur 29,95 €",
        "Vollversion, ohne Abo",
        "Top-Produkte von VARENTO",
        "DE",
        {"Farben und Helligkeit per Klick verbessern", "Rote Augen, Kratzer und Staub entfernen",
         "Zuschneiden, drehen und verkleinern", "Bilder direkt für Ihre Webseite speichern"}};
  }
  return {"Software that makes you smile",
          "Beautiful photos made easy",
          "Try it free today",
          "Click the picture to learn more.",
          "NEW",
          "only €29.95",
          "full version, no subscription",
          "Top products from VARENTO",
          "EN",
          {"Better colour and brightness in one click", "Remove red eyes, scratches and dust",
           "Crop, rotate and resize", "Save pictures ready for your web page"}};
}

QImage Landscape(QSize size) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  Prepare(p);
  const qreal w = size.width(), h = size.height();
  QLinearGradient sky(0, 0, 0, h * 0.62);
  sky.setColorAt(0, QColor(0x2D, 0x8B, 0xE0));
  sky.setColorAt(1, QColor(0xFF, 0xD6, 0x9A));
  p.fillRect(QRectF(0, 0, w, h * 0.62), sky);
  QRadialGradient sun(QPointF(w * 0.7, h * 0.4), h * 0.2);
  sun.setColorAt(0, QColor(0xFF, 0xF6, 0xC0));
  sun.setColorAt(0.35, QColor(0xFF, 0xD0, 0x50));
  sun.setColorAt(1, QColor(0xFF, 0xD0, 0x50, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(sun);
  p.drawEllipse(QPointF(w * 0.7, h * 0.4), h * 0.2, h * 0.2);
  // Three mountain ridges, far to near.
  const QColor ridges[] = {QColor(0x7D, 0x8F, 0xC4), QColor(0x4E, 0x6E, 0x9E),
                           QColor(0x2F, 0x6B, 0x4A)};
  const qreal peaks[3][6] = {{0.0, 0.42, 0.18, 0.3, 0.45, 0.38},
                             {0.12, 0.5, 0.38, 0.36, 0.78, 0.46},
                             {0.0, 0.56, 0.28, 0.5, 0.6, 0.58}};
  for (int i = 0; i < 3; ++i) {
    QPolygonF ridge;
    ridge << QPointF(0, h * 0.62);
    for (int k = 0; k < 6; k += 2) ridge << QPointF(w * peaks[i][k], h * peaks[i][k + 1]);
    ridge << QPointF(w, h * (0.44 + 0.05 * i)) << QPointF(w, h * 0.62);
    p.setBrush(ridges[i]);
    p.drawPolygon(ridge);
  }
  // The lake mirrors the sky.
  QLinearGradient lake(0, h * 0.62, 0, h);
  lake.setColorAt(0, QColor(0xF2, 0xC0, 0x88));
  lake.setColorAt(1, QColor(0x1C, 0x5C, 0x9A));
  p.fillRect(QRectF(0, h * 0.62, w, h * 0.38), lake);
  p.setBrush(QColor(0xFF, 0xF0, 0xC8, 140));
  for (int i = 0; i < 5; ++i) {
    const qreal y = h * (0.66 + 0.055 * i), half = w * (0.08 - 0.012 * i);
    p.drawRect(QRectF(w * 0.7 - half, y, 2 * half, 2));
  }
  p.end();
  return image;
}

// The "before" half of the picture: flat and dull, as photos come out of a camera.
QImage Dulled(const QImage& source) {
  QImage image = source.convertToFormat(QImage::Format_RGB32);
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const int r = qRed(line[x]), g = qGreen(line[x]), b = qBlue(line[x]);
      const int grey = (r * 30 + g * 59 + b * 11) / 100;
      auto mix = [&](int c) {
        return std::clamp((c * 35 + grey * 65) / 100 * 85 / 100 + 30, 0, 255);
      };
      line[x] = qRgb(mix(r), mix(g), mix(b));
    }
  }
  return image;
}

void ProductWindow(QPainter& p, const QRectF& frame) {
  // Soft shadow from a few translucent layers.
  p.setPen(Qt::NoPen);
  for (int i = 6; i >= 1; --i) {
    p.setBrush(QColor(0, 0, 0, 10));
    p.drawRoundedRect(frame.adjusted(-i * 2, -i * 2 + 8, i * 2, i * 2 + 8), 10 + i, 10 + i);
  }
  p.setBrush(QColor(0xF4, 0xF6, 0xF9));
  p.drawRoundedRect(frame, 8, 8);
  // Title bar with the product's name.
  const QRectF title(frame.left(), frame.top(), frame.width(), 32);
  QPainterPath titlePath;
  titlePath.addRoundedRect(title.adjusted(0, 0, 0, 8), 8, 8);
  QLinearGradient titleFill(title.topLeft(), title.bottomLeft());
  titleFill.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
  titleFill.setColorAt(1, QColor(0x2A, 0x5F, 0xAE));
  p.save();
  p.setClipRect(title);
  p.fillPath(titlePath, titleFill);
  p.restore();
  TextAt(p, QPointF(title.left() + 14, title.top() + 21), "PIXELLA",
         PixelFont(TextFamily, 13, QFont::Bold), Qt::white);
  // Tool row.
  const QColor tools[] = {QColor(0xF0, 0x8A, 0x24), QColor(0x3F, 0xA3, 0x4D),
                          QColor(0xD2, 0x3B, 0x3B), QColor(0x8E, 0x5C, 0xC8),
                          QColor(0x2F, 0x6F, 0xC0), QColor(0xFF, 0xC8, 0x2E)};
  for (int i = 0; i < 6; ++i) {
    p.setBrush(tools[i]);
    p.drawRoundedRect(QRectF(frame.left() + 14 + i * 30, frame.top() + 42, 20, 20), 4, 4);
  }
  p.setBrush(QColor(0xD5, 0xDB, 0xE4));
  p.drawRoundedRect(QRectF(frame.right() - 150, frame.top() + 49, 136, 6), 3, 3);
  p.setBrush(Palette::Blue);
  p.drawEllipse(QPointF(frame.right() - 60, frame.top() + 52), 7, 7);
  // The photo: before on the left, after on the right, with the slider between.
  const QRect photo = frame.adjusted(14, 74, -14, -14).toRect();
  const QImage after = Landscape(photo.size());
  const QImage before = Dulled(after);
  const int split = photo.width() * 45 / 100;
  p.drawImage(photo.topLeft(), before, QRect(0, 0, split, photo.height()));
  p.drawImage(photo.topLeft() + QPoint(split, 0), after,
              QRect(split, 0, photo.width() - split, photo.height()));
  const qreal x = photo.left() + split;
  p.fillRect(QRectF(x - 1.5, photo.top(), 3, photo.height()), Qt::white);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(x, photo.center().y()), 17, 17);
  p.setBrush(Palette::Blue);
  const qreal cy = photo.center().y();
  p.drawPolygon(QPolygonF{QPointF(x - 11, cy), QPointF(x - 4, cy - 6), QPointF(x - 4, cy + 6)});
  p.drawPolygon(QPolygonF{QPointF(x + 11, cy), QPointF(x + 4, cy - 6), QPointF(x + 4, cy + 6)});
}

void StarBadge(QPainter& p, QPointF centre, qreal radius, const QString& text) {
  QPolygonF star;
  const int points = 16;
  for (int i = 0; i < points * 2; ++i) {
    const qreal a = M_PI * i / points, r = i % 2 ? radius * 0.82 : radius;
    star << centre + QPointF(std::cos(a) * r, std::sin(a) * r);
  }
  QRadialGradient fill(centre, radius);
  fill.setColorAt(0, QColor(0xFF, 0x9E, 0x3C));
  fill.setColorAt(1, QColor(0xE0, 0x4A, 0x1C));
  p.setPen(Qt::NoPen);
  p.setBrush(fill);
  p.drawPolygon(star);
  p.save();
  p.translate(centre);
  p.rotate(-12);
  p.setFont(PixelFont(TextFamily, static_cast<int>(radius * 0.5), QFont::Black));
  p.setPen(Qt::white);
  p.drawText(QRectF(-radius, -radius, 2 * radius, 2 * radius), Qt::AlignCenter, text);
  p.restore();
}

void CheckBullet(QPainter& p, QPointF centre) {
  p.setPen(Qt::NoPen);
  p.setBrush(Palette::Accent);
  p.drawEllipse(centre, 12, 12);
  p.setPen(QPen(Qt::white, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF{centre + QPointF(-5.5, 0.5), centre + QPointF(-1.5, 4.5),
                           centre + QPointF(5.5, -4)});
}

}  // namespace

QImage HeaderPicture() {
  QImage image = Canvas(1600, 40, Qt::white);
  QPainter p(&image);
  Prepare(p);
  DrawLogoMark(p, QRectF(10, 5, 28, 28));
  const qreal wordmark =
      DrawSpacedText(p, QPointF(48, 28), "KAVELIN", PixelFont(WordmarkFamily, 25, QFont::DemiBold),
                     Palette::Brand, 2.5);
  const qreal rule = 48 + wordmark + 12;
  p.fillRect(QRectF(rule, 10, 1, 20), QColor(0xC8, 0xD2, 0xDE));
  TextAt(p, QPointF(rule + 13, 26), "Webseiten einfach gestalten", PixelFont(TextFamily, 14),
         QColor(0x5E, 0x6B, 0x7B));
  AccentRule(p, QRectF(0, 37, 900, 2), Qt::white);
  p.end();
  return image;
}

QImage AboutPicture() {
  QImage image = Canvas(234, 105, Qt::white);
  QPainter p(&image);
  Prepare(p);
  QLinearGradient back(0, 0, 0, 105);
  back.setColorAt(0, Qt::white);
  back.setColorAt(1, QColor(0xE9, 0xF0, 0xF9));
  p.fillRect(image.rect(), back);
  DrawLogoMark(p, QRectF(14, 16, 50, 50));
  DrawSpacedText(p, QPointF(76, 46), "KAVELIN", PixelFont(WordmarkFamily, 29, QFont::DemiBold),
                 Palette::Brand, 1.5);
  TextAt(p, QPointF(77, 64), "Webseiten einfach gestalten", PixelFont(TextFamily, 10),
         QColor(0x5E, 0x6B, 0x7B));
  AccentRule(p, QRectF(14, 80, 206, 2), QColor(0xE9, 0xF0, 0xF9));
  const QFont maker = PixelFont(TextFamily, 10, QFont::Bold);
  QFont spaced = maker;
  spaced.setLetterSpacing(QFont::AbsoluteSpacing, 2);
  p.setFont(spaced);
  p.setPen(QColor(0x8A, 0x96, 0xA6));
  p.drawText(QRectF(14, 86, 206, 16), Qt::AlignRight | Qt::AlignVCenter, "VARENTO");
  p.end();
  return image;
}

QImage ControlBarPicture() {
  QImage image = Canvas(64, 40, Qt::white);
  QPainter p(&image);
  // Vertical only, so that the picture tiles sideways without seams.
  QLinearGradient back(0, 0, 0, 40);
  back.setColorAt(0, QColor(0xFC, 0xFD, 0xFE));
  back.setColorAt(0.5, QColor(0xF1, 0xF4, 0xF8));
  back.setColorAt(1, QColor(0xE2, 0xE7, 0xEE));
  p.fillRect(image.rect(), back);
  p.fillRect(QRect(0, 0, 64, 1), Qt::white);
  p.end();
  return image;
}

QImage ShowcasePicture(TAdLanguage language) {
  const TAdText text = AdText(language);
  QImage image = Canvas(987, 665, Qt::white);
  QPainter p(&image);
  Prepare(p);
  QLinearGradient back(0, 0, 987, 665);
  back.setColorAt(0, QColor(0x10, 0x33, 0x5E));
  back.setColorAt(1, QColor(0x1F, 0x6A, 0xAD));
  p.fillRect(image.rect(), back);
  p.setPen(Qt::NoPen);
  const QPointF rings[] = {{860, 90}, {720, 610}, {980, 420}};
  const qreal radii[] = {260, 180, 140};
  for (int i = 0; i < 3; ++i) {
    p.setBrush(QColor(255, 255, 255, 12));
    p.drawEllipse(rings[i], radii[i], radii[i]);
  }

  const QColor soft(0xA9, 0xC8, 0xEE);
  DrawSpacedText(p, QPointF(48, 64), "VARENTO", PixelFont(TextFamily, 26, QFont::Bold), Qt::white,
                 6);
  TextAt(p, QPointF(50, 90), text.Tagline, PixelFont(TextFamily, 15), soft);

  DrawSpacedText(p, QPointF(44, 196), "PIXELLA", PixelFont(WordmarkFamily, 80, QFont::DemiBold),
                 Qt::white, 3);
  TextAt(p, QPointF(50, 240), text.Subline, PixelFont(TextFamily, 23, QFont::Bold),
         QColor(0xFF, 0xD9, 0xA8));
  for (int i = 0; i < text.Features.size(); ++i) {
    const qreal y = 300 + 46 * i;
    CheckBullet(p, QPointF(62, y));
    TextAt(p, QPointF(86, y + 7), text.Features[i], PixelFont(TextFamily, 17), Qt::white);
  }

  const QRectF button(48, 505, 316, 58);
  QLinearGradient buttonFill(button.topLeft(), button.bottomLeft());
  buttonFill.setColorAt(0, QColor(0xFF, 0xA8, 0x4C));
  buttonFill.setColorAt(1, QColor(0xE8, 0x70, 0x14));
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0, 0, 0, 40));
  p.drawRoundedRect(button.translated(0, 4), 29, 29);
  p.setBrush(buttonFill);
  p.drawRoundedRect(button, 29, 29);
  p.setFont(PixelFont(TextFamily, 21, QFont::Bold));
  p.setPen(Qt::white);
  p.drawText(button, Qt::AlignCenter, text.Cta + "  \u203A");
  TextAt(p, QPointF(50, 596), text.Hint, PixelFont(TextFamily, 14), soft);

  ProductWindow(p, QRectF(530, 132, 410, 330));
  StarBadge(p, QPointF(928, 134), 50, text.Badge);
  TextAt(p, QPointF(532, 520), text.Price, PixelFont(TextFamily, 38, QFont::Bold), Qt::white);
  TextAt(p, QPointF(534, 548), text.PriceNote, PixelFont(TextFamily, 15), soft);

  p.fillRect(QRectF(0, 625, 987, 40), QColor(0x0B, 0x22, 0x3D));
  TextAt(p, QPointF(48, 650), text.Footer, PixelFont(TextFamily, 14), QColor(0x8F, 0xB0, 0xD8));
  const QRectF code(905, 633, 34, 24);
  p.setPen(QPen(QColor(0x8F, 0xB0, 0xD8), 1));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(code, 4, 4);
  p.setFont(PixelFont(TextFamily, 12, QFont::Bold));
  p.drawText(code, Qt::AlignCenter, text.Code);
  p.end();
  return image;
}

}  // namespace kv::art
