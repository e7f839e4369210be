#include "resources/tools/AppIcon.h"

#include <QDir>
#include <QFile>
#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kv::art {

namespace {

// All shapes are given on a 256 x 256 canvas; Scale maps them to the target.
constexpr qreal kCanvas = 256;

struct TStroke {
  QPointF From, Control1, Control2, To;
  qreal Width;
};

// The shapes of the mark, from back to front.
struct TMark {
  QRectF Body;
  qreal Radius;
  QColor BodyTop{0x3A, 0x7B, 0xD5}, BodyBottom{0x1E, 0x4E, 0x9C};
  QPolygonF Page, Fold;
  QColor PageColor = Qt::white, FoldColor{0xC9, 0xD9, 0xF0}, LineColor{0x9F, 0xB8, 0xDC};
  std::vector<QRectF> Lines;
  TStroke Pen;
  QColor PenColor{0xF0, 0x8A, 0x24};
};

// snap: put edges on whole pixels of a size-pixel icon (for the smallest sizes, where a half
// covered pixel reads as blur).
TMark Mark(int size, bool snap) {
  const qreal k = size / kCanvas;
  auto px = [&](qreal v) { return snap ? std::round(v * k) / k : v; };
  // Rows must stay at least one pixel high when snapped.
  auto rowHeight = [&](qreal v) { return snap ? std::max<qreal>(1, std::round(v * k)) / k : v; };

  TMark m;
  m.Body = QRectF(QPointF(px(14), px(14)), QPointF(px(242), px(242)));
  const qreal s = m.Body.width();
  m.Radius = s * 0.2;
  const qreal left = px(m.Body.left() + s * 0.26), top = px(m.Body.top() + s * 0.17);
  const qreal right = px(m.Body.left() + s * 0.72), bottom = px(m.Body.top() + s * 0.81);
  const qreal fold = std::max(px(s * 0.15), snap ? 2 / k : 0);
  m.Page = QPolygonF{QPointF(left, top), QPointF(right - fold, top), QPointF(right, top + fold),
                     QPointF(right, bottom), QPointF(left, bottom)};
  m.Fold = QPolygonF{QPointF(right - fold, top), QPointF(right - fold, top + fold),
                     QPointF(right, top + fold)};
  const qreal lineLeft = px(left + s * 0.07), lineHeight = rowHeight(s * 0.045);
  // At 16 pixels three lines would run together.
  const int lines = size <= 16 ? 2 : 3;
  for (int i = 0; i < lines; ++i) {
    const qreal y = px(top + s * 0.2 + i * std::max(s * 0.1, snap ? 2 / k : 0));
    const qreal w = px(s * (i == 2 ? 0.18 : 0.3));
    // (The third line is shorter: the end of a paragraph.)
    m.Lines.push_back(QRectF(lineLeft, y, w, lineHeight));
  }
  // An orange pen stroke sweeping up across the page's foot: a page being shaped.
  m.Pen = {QPointF(left + s * 0.04, bottom - s * 0.1), QPointF(left + s * 0.2, bottom - s * 0.3),
           QPointF(right + s * 0.0, bottom - s * 0.0), QPointF(right + s * 0.13, bottom - s * 0.3),
           std::max(s * 0.095, 1.6 / k)};
  return m;
}

void Paint(QPainter& p, const TMark& m) {
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  QLinearGradient body(m.Body.topLeft(), m.Body.bottomLeft());
  body.setColorAt(0, m.BodyTop);
  body.setColorAt(1, m.BodyBottom);
  p.setBrush(body);
  p.drawRoundedRect(m.Body, m.Radius, m.Radius);
  p.setBrush(m.PageColor);
  p.drawPolygon(m.Page);
  p.setBrush(m.FoldColor);
  p.drawPolygon(m.Fold);
  p.setBrush(m.LineColor);
  for (const QRectF& r : m.Lines) p.drawRect(r);
  QPainterPath stroke(m.Pen.From);
  stroke.cubicTo(m.Pen.Control1, m.Pen.Control2, m.Pen.To);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(m.PenColor, m.Pen.Width, Qt::SolidLine, Qt::RoundCap));
  p.drawPath(stroke);
}

QString Num(qreal v) {
  return QString::number(std::round(v * 100) / 100, 'g', 6);
}

QString Points(const QPolygonF& polygon) {
  QStringList parts;
  for (const QPointF& pt : polygon) parts << Num(pt.x()) + "," + Num(pt.y());
  return parts.join(' ');
}

}  // namespace

std::vector<int> AppIconSizes() {
  return {16, 32, 48, 64, 128, 256};
}

QImage AppIconImage(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.scale(size / kCanvas, size / kCanvas);
  Paint(p, Mark(size, size <= 48));
  p.end();
  return image;
}

QByteArray AppIconSvg() {
  const TMark m = Mark(static_cast<int>(kCanvas), false);
  QString svg;
  svg += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  svg +=
      "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" "
      "viewBox=\"0 0 256 256\">\n";
  svg += "  <defs>\n    <linearGradient id=\"body\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n";
  svg += "      <stop offset=\"0\" stop-color=\"" + m.BodyTop.name() + "\"/>\n";
  svg += "      <stop offset=\"1\" stop-color=\"" + m.BodyBottom.name() + "\"/>\n";
  svg += "    </linearGradient>\n  </defs>\n";
  svg += "  <rect x=\"" + Num(m.Body.x()) + "\" y=\"" + Num(m.Body.y()) + "\" width=\"" +
         Num(m.Body.width()) + "\" height=\"" + Num(m.Body.height()) + "\" rx=\"" + Num(m.Radius) +
         "\" fill=\"url(#body)\"/>\n";
  svg += "  <polygon points=\"" + Points(m.Page) + "\" fill=\"" + m.PageColor.name() + "\"/>\n";
  svg += "  <polygon points=\"" + Points(m.Fold) + "\" fill=\"" + m.FoldColor.name() + "\"/>\n";
  for (const QRectF& r : m.Lines)
    svg += "  <rect x=\"" + Num(r.x()) + "\" y=\"" + Num(r.y()) + "\" width=\"" + Num(r.width()) +
           "\" height=\"" + Num(r.height()) + "\" fill=\"" + m.LineColor.name() + "\"/>\n";
  svg += "  <path d=\"M " + Num(m.Pen.From.x()) + "," + Num(m.Pen.From.y()) + " C " +
         Num(m.Pen.Control1.x()) + "," + Num(m.Pen.Control1.y()) + " " + Num(m.Pen.Control2.x()) +
         "," + Num(m.Pen.Control2.y()) + " " + Num(m.Pen.To.x()) + "," + Num(m.Pen.To.y()) +
         "\" fill=\"none\" stroke=\"" + m.PenColor.name() + "\" stroke-width=\"" +
         Num(m.Pen.Width) + "\" stroke-linecap=\"round\"/>\n";
  svg += "</svg>\n";
  return svg.toUtf8();
}

bool WriteAppIcons(const QString& desktopFolder) {
  const QString theme = desktopFolder + "/icons/hicolor/";
  for (int size : AppIconSizes()) {
    const QString dir = theme + QString("%1x%1/apps/").arg(size);
    QDir().mkpath(dir);
    QImageWriter writer(dir + AppIconName + ".png");
    if (!writer.write(AppIconImage(size))) {
      std::fprintf(stderr, "cannot write %s\n", qPrintable(writer.fileName()));
      return false;
    }
  }
  QDir().mkpath(theme + "scalable/apps");
  QFile svg(theme + "scalable/apps/" + AppIconName + ".svg");
  if (!svg.open(QIODevice::WriteOnly) || svg.write(AppIconSvg()) < 0) {
    std::fprintf(stderr, "cannot write %s\n", qPrintable(svg.fileName()));
    return false;
  }
  return true;
}

}  // namespace kv::art
