#include "resources/tools/ArtKit.h"

#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>

namespace kv::art {

QFont PixelFont(const QString& family, int pixelSize, int weight, bool italic) {
  QFont font(family);
  font.setPixelSize(pixelSize);
  font.setWeight(static_cast<QFont::Weight>(weight));
  font.setItalic(italic);
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

void DrawPage(QPainter& p, const QRectF& r, bool lines) {
  const qreal fold = 4;
  const QPolygonF shape{QPointF(r.left(), r.top()), QPointF(r.right() - fold, r.top()),
                        QPointF(r.right(), r.top() + fold), QPointF(r.right(), r.bottom()),
                        QPointF(r.left(), r.bottom())};
  p.setPen(QPen(Palette::PageEdge, 1));
  p.setBrush(Qt::white);
  p.drawPolygon(shape);
  const QPolygonF corner{QPointF(r.right() - fold, r.top()),
                         QPointF(r.right() - fold, r.top() + fold),
                         QPointF(r.right(), r.top() + fold)};
  p.setBrush(Palette::PageFold);
  p.drawPolygon(corner);
  if (!lines) return;
  p.setPen(QPen(Palette::TextLine, 1));
  for (qreal y = r.top() + 4; y < r.bottom() - 1; y += 2) {
    const qreal right = y < r.top() + fold + 1 ? r.right() - fold - 1 : r.right() - 2;
    p.drawLine(QPointF(r.left() + 2, y), QPointF(right, y));
  }
}

void DrawFolder(QPainter& p, const QRectF& r) {
  const qreal l = r.left(), t = r.top(), w = r.width(), h = r.height();
  // The back with its tab, then the open front leaning forward.
  const QPolygonF back{QPointF(l, t),
                       QPointF(l + w * 0.38, t),
                       QPointF(l + w * 0.46, t + 1.5),
                       QPointF(l + w - 1, t + 1.5),
                       QPointF(l + w - 1, t + h),
                       QPointF(l, t + h)};
  p.setPen(QPen(Palette::FolderEdge, 1));
  p.setBrush(Palette::FolderBack);
  p.drawPolygon(back);
  const QPolygonF front{QPointF(l, t + h), QPointF(l + 2.5, t + h * 0.38),
                        QPointF(l + w + 0.5, t + h * 0.38), QPointF(l + w - 2, t + h)};
  QLinearGradient shade(0, t + h * 0.38, 0, t + h);
  shade.setColorAt(0, Palette::FolderFront.lighter(110));
  shade.setColorAt(1, Palette::FolderFront);
  p.setBrush(shade);
  p.drawPolygon(front);
}

void DrawDisk(QPainter& p, const QRectF& r) {
  QLinearGradient body(r.topLeft(), r.bottomRight());
  body.setColorAt(0, Palette::BlueLight);
  body.setColorAt(1, Palette::Blue);
  p.setPen(QPen(Palette::BlueDark, 1));
  p.setBrush(body);
  p.drawRoundedRect(r, 1.5, 1.5);
  // Label at the top, metal shutter at the bottom.
  const qreal w = r.width(), h = r.height();
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(r.left() + 2.5, r.top() + 0.5, w - 5, h * 0.42));
  p.setBrush(Palette::TextLine);
  p.drawRect(QRectF(r.left() + 3.5, r.top() + 2, w - 7, 1));
  p.setBrush(QColor(0xD4, 0xDA, 0xE2));
  p.drawRect(QRectF(r.left() + w * 0.3, r.bottom() - h * 0.36, w * 0.44, h * 0.36));
  p.setBrush(Palette::BlueDark);
  p.drawRect(QRectF(r.left() + w * 0.3 + 2, r.bottom() - h * 0.36 + 1, 1.5, h * 0.36 - 2));
}

void DrawGlyph(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& color) {
  QPainterPath path;
  path.addText(0, 0, font, text);
  const QRectF ink = path.boundingRect();
  const QPointF shift = r.center() - ink.center();
  // Whole-pixel placement keeps vertical stems sharp at 16 x 16.
  p.save();
  p.translate(std::round(shift.x()), std::round(shift.y()));
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPath(path);
  p.restore();
}

void DrawLogoMark(QPainter& p, const QRectF& r) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient body(r.topLeft(), r.bottomLeft());
  body.setColorAt(0, QColor(0x3A, 0x7B, 0xD5));
  body.setColorAt(1, QColor(0x1E, 0x4E, 0x9C));
  p.setPen(Qt::NoPen);
  p.setBrush(body);
  const qreal s = r.width();
  p.drawRoundedRect(r, s * 0.2, s * 0.2);
  // A white page with a folded corner ...
  const QRectF page(r.left() + s * 0.26, r.top() + s * 0.18, s * 0.44, s * 0.62);
  const qreal fold = s * 0.14;
  const QPolygonF sheet{page.topLeft(), QPointF(page.right() - fold, page.top()),
                        QPointF(page.right(), page.top() + fold), page.bottomRight(),
                        page.bottomLeft()};
  p.setBrush(Qt::white);
  p.drawPolygon(sheet);
  p.setBrush(QColor(0xC9, 0xD9, 0xF0));
  p.drawPolygon(QPolygonF{QPointF(page.right() - fold, page.top()),
                          QPointF(page.right() - fold, page.top() + fold),
                          QPointF(page.right(), page.top() + fold)});
  // ... with two text lines and an orange stroke across it: a page being shaped.
  p.setBrush(QColor(0x9F, 0xB8, 0xDC));
  for (int i = 0; i < 2; ++i) {
    p.drawRect(
        QRectF(page.left() + s * 0.07, page.top() + s * (0.2 + 0.1 * i), s * 0.26, s * 0.04));
  }
  QPainterPath stroke;
  stroke.moveTo(page.left() + s * 0.05, page.bottom() - s * 0.12);
  stroke.cubicTo(page.left() + s * 0.2, page.bottom() - s * 0.28, page.right() + s * 0.02,
                 page.bottom() - s * 0.02, page.right() + s * 0.14, page.bottom() - s * 0.3);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Palette::Accent, std::max<qreal>(1.5, s * 0.09), Qt::SolidLine, Qt::RoundCap));
  p.drawPath(stroke);
  p.restore();
}

qreal DrawSpacedText(QPainter& p, QPointF baseline, const QString& text, const QFont& font,
                     const QColor& color, qreal spacing) {
  QFont spaced = font;
  spaced.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
  p.save();
  p.setFont(spaced);
  p.setPen(color);
  p.drawText(baseline, text);
  p.restore();
  return QFontMetricsF(spaced).horizontalAdvance(text);
}

}  // namespace kv::art
