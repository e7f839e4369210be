#include "resources/tools/Icons.h"

#include <QLinearGradient>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <array>
#include <functional>

#include "resources/tools/ArtKit.h"

namespace kv::art {
namespace {

using TIconPainter = std::function<void(QPainter&)>;

void NewPage(QPainter& p) {
  DrawPage(p, QRectF(3.5, 1.5, 10, 13), false);
  // A small spark: the page is new.
  p.setPen(QPen(Palette::Accent, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(6, 8), QPointF(11, 8));
  p.drawLine(QPointF(8.5, 5.5), QPointF(8.5, 10.5));
}

void OpenFolder(QPainter& p) {
  DrawFolder(p, QRectF(1.5, 3.5, 13, 10));
}

void SaveDisk(QPainter& p) {
  DrawDisk(p, QRectF(1.5, 1.5, 13, 13));
}

void Magnifier(QPainter& p) {
  p.setPen(QPen(Palette::Outline, 1.6));
  QRadialGradient glass(QPointF(5.5, 5.5), 5);
  glass.setColorAt(0, Qt::white);
  glass.setColorAt(1, QColor(0xBF, 0xD8, 0xF5));
  p.setBrush(glass);
  p.drawEllipse(QPointF(6.5, 6.5), 4.5, 4.5);
  p.setPen(QPen(QColor(0x6B, 0x4A, 0x2A), 2.6, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(10.2, 10.2), QPointF(14, 14));
}

void UndoArrow(QPainter& p, const QColor& color) {
  QPainterPath path;
  path.moveTo(13, 13.5);
  path.cubicTo(14.5, 7.5, 10.5, 4.5, 5.5, 5.5);
  p.setPen(QPen(color, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(color);
  p.drawPolygon(QPolygonF{QPointF(1, 5.5), QPointF(6.5, 1), QPointF(6.5, 10)});
}

void Undo(QPainter& p) {
  UndoArrow(p, Palette::Blue);
}

void Redo(QPainter& p) {
  p.translate(16, 0);
  p.scale(-1, 1);
  UndoArrow(p, Palette::Green);
}

void Scissors(QPainter& p) {
  // Blades first, so the handles lie on top where they meet.
  p.setPen(QPen(QColor(0x70, 0x7A, 0x86), 1.7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5.6, 9.5), QPointF(11.5, 1));
  p.drawLine(QPointF(10.4, 9.5), QPointF(4.5, 1));
  p.setPen(QPen(QColor(0xC6, 0x28, 0x28), 1.7));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QPointF(4.3, 11.8), 2.5, 2.5);
  p.drawEllipse(QPointF(11.7, 11.8), 2.5, 2.5);
  p.setPen(Qt::NoPen);
  p.setBrush(Palette::Ink);
  p.drawEllipse(QPointF(8, 6.6), 1, 1);
}

void Copy(QPainter& p) {
  DrawPage(p, QRectF(1.5, 0.5, 8, 10));
  DrawPage(p, QRectF(6.5, 5.5, 8, 10));
}

void Paste(QPainter& p) {
  p.setPen(QPen(QColor(0x7A, 0x52, 0x2C), 1));
  p.setBrush(QColor(0xC4, 0x8A, 0x50));
  p.drawRoundedRect(QRectF(1.5, 2.5, 10, 12), 1.5, 1.5);
  p.setPen(QPen(Palette::Outline, 1));
  p.setBrush(QColor(0xD8, 0xDE, 0xE6));
  p.drawRoundedRect(QRectF(4.5, 1, 4, 3), 1, 1);
  DrawPage(p, QRectF(6.5, 6.5, 8.5, 9));
}

void Bold(QPainter& p) {
  DrawGlyph(p, QRectF(0, 0, 16, 16), "B", PixelFont("DejaVu Sans", 15, QFont::Black), Palette::Ink);
}

void Italic(QPainter& p) {
  DrawGlyph(p, QRectF(0, 0, 16, 16), "I", PixelFont("DejaVu Serif", 15, QFont::Bold, true),
            Palette::Ink);
}

void Underline(QPainter& p) {
  DrawGlyph(p, QRectF(0, 0, 16, 13), "U", PixelFont("DejaVu Sans", 13, QFont::Bold), Palette::Ink);
  p.fillRect(QRectF(3, 14, 10, 1.5), Palette::Blue);
}

// Five text lines; `spans` gives where each line begins and ends.
void TextLines(QPainter& p, const std::array<std::pair<int, int>, 5>& spans) {
  for (int i = 0; i < 5; ++i) {
    p.fillRect(QRect(spans[i].first, 2 + 3 * i, spans[i].second - spans[i].first, 1), Palette::Ink);
  }
}

void AlignLeft(QPainter& p) {
  TextLines(p, {{{1, 15}, {1, 10}, {1, 15}, {1, 10}, {1, 13}}});
}
void AlignCenter(QPainter& p) {
  TextLines(p, {{{1, 15}, {4, 12}, {2, 14}, {4, 12}, {1, 15}}});
}
void AlignRight(QPainter& p) {
  TextLines(p, {{{1, 15}, {6, 15}, {1, 15}, {6, 15}, {3, 15}}});
}
void Justify(QPainter& p) {
  TextLines(p, {{{1, 15}, {1, 15}, {1, 15}, {1, 15}, {1, 9}}});
}

void TextColor(QPainter& p) {
  DrawGlyph(p, QRectF(0, 0, 16, 12), "A", PixelFont("DejaVu Sans", 13, QFont::Bold), Palette::Ink);
  p.fillRect(QRect(1, 12, 14, 4), QColor(0xE0, 0x20, 0x20));
}

void Hyperlink(QPainter& p) {
  // Two chain links crossing the icon diagonally.
  p.translate(8, 8);
  p.rotate(-45);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(Palette::BlueDark, 2.1));
  p.drawRoundedRect(QRectF(-8, -2.6, 9, 5.2), 2.6, 2.6);
  p.setPen(QPen(Palette::BlueLight, 2.1));
  p.drawRoundedRect(QRectF(-1, -2.6, 9, 5.2), 2.6, 2.6);
  // The first link passes over the second at one crossing.
  p.setPen(QPen(Palette::BlueDark, 2.1));
  p.drawLine(QPointF(-0.4, -2.6), QPointF(1.2, -2.6));
}

void Table(QPainter& p) {
  const QRectF r(1.5, 2.5, 13, 11);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(r);
  p.setBrush(Palette::Blue);
  p.drawRect(QRectF(1.5, 2.5, 13, 3));
  p.setPen(QPen(Palette::PageEdge, 1));
  p.drawLine(QPointF(1.5, 9.5), QPointF(14.5, 9.5));
  p.drawLine(QPointF(5.5, 5.5), QPointF(5.5, 13.5));
  p.drawLine(QPointF(10.5, 5.5), QPointF(10.5, 13.5));
  p.setPen(QPen(Palette::BlueDark, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
}

void Picture(QPainter& p) {
  const QRectF r(1.5, 2.5, 13, 11);
  QLinearGradient sky(0, 2.5, 0, 13.5);
  sky.setColorAt(0, QColor(0x8E, 0xC5, 0xF5));
  sky.setColorAt(1, QColor(0xE2, 0xF1, 0xFD));
  p.setPen(Qt::NoPen);
  p.setBrush(sky);
  p.drawRect(r);
  p.setBrush(QColor(0xFF, 0xC8, 0x2E));
  p.drawEllipse(QPointF(11, 5.8), 1.8, 1.8);
  p.setBrush(QColor(0x4C, 0x9A, 0x3A));
  p.drawPolygon(QPolygonF{QPointF(1.5, 13.5), QPointF(5.5, 7), QPointF(8.8, 11.2), QPointF(10.8, 9),
                          QPointF(14.5, 13.5)});
  p.setPen(QPen(Palette::Outline, 1));
  p.setBrush(Qt::NoBrush);
  p.drawRect(r);
}

void MetaTag(QPainter& p) {
  // A label tag with its eyelet, the usual picture for "tags".
  p.translate(8, 8);
  p.rotate(-45);
  const QPolygonF tag{QPointF(-7.5, 0), QPointF(-3.5, -4.2), QPointF(6.5, -4.2), QPointF(6.5, 4.2),
                      QPointF(-3.5, 4.2)};
  QLinearGradient fill(0, -4, 0, 4);
  fill.setColorAt(0, QColor(0xFF, 0xC0, 0x5C));
  fill.setColorAt(1, Palette::Accent);
  p.setPen(QPen(QColor(0xA8, 0x5A, 0x10), 1));
  p.setBrush(fill);
  p.drawPolygon(tag);
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(-3.2, 0), 1.3, 1.3);
  p.setPen(QPen(QColor(0xFF, 0xF4, 0xE0), 1));
  p.drawLine(QPointF(0, -1.5), QPointF(4.5, -1.5));
  p.drawLine(QPointF(0, 1.5), QPointF(4.5, 1.5));
}

void RoundBadge(QPainter& p, const QColor& light, const QColor& dark) {
  QLinearGradient fill(0, 1, 0, 15);
  fill.setColorAt(0, light);
  fill.setColorAt(1, dark);
  p.setPen(QPen(dark.darker(120), 1));
  p.setBrush(fill);
  p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
}

void Help(QPainter& p) {
  RoundBadge(p, Palette::BlueLight, Palette::Blue);
  DrawGlyph(p, QRectF(0, 0.5, 16, 16), "?", PixelFont("DejaVu Sans", 12, QFont::Bold), Qt::white);
}

void Info(QPainter& p) {
  RoundBadge(p, Palette::BlueLight, Palette::Blue);
  DrawGlyph(p, QRectF(0, 0.5, 16, 16), "i", PixelFont("DejaVu Serif", 12, QFont::Bold), Qt::white);
}

void Close(QPainter& p) {
  QLinearGradient fill(0, 1, 0, 15);
  fill.setColorAt(0, QColor(0xE8, 0x5A, 0x5A));
  fill.setColorAt(1, QColor(0xB0, 0x25, 0x25));
  p.setPen(QPen(QColor(0x8A, 0x1C, 0x1C), 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(1.5, 1.5, 13, 13), 3, 3);
  p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(5.5, 5.5), QPointF(10.5, 10.5));
  p.drawLine(QPointF(10.5, 5.5), QPointF(5.5, 10.5));
}

void Pencil(QPainter& p) {
  // A small pencil lying across the lower right corner, for "save as".
  p.save();
  p.translate(11, 11);
  p.rotate(-45);
  p.setPen(QPen(QColor(0x8A, 0x5A, 0x10), 0.8));
  p.setBrush(QColor(0xFF, 0xC8, 0x2E));
  p.drawRect(QRectF(-3, -1.6, 6.5, 3.2));
  p.setBrush(QColor(0xF3, 0xD9, 0xB1));
  p.drawPolygon(QPolygonF{QPointF(-3, -1.6), QPointF(-5.8, 0), QPointF(-3, 1.6)});
  p.restore();
}

void SaveAs(QPainter& p) {
  DrawDisk(p, QRectF(0.5, 0.5, 12, 12));
  Pencil(p);
}

void RecentFile(QPainter& p) {
  DrawPage(p, QRectF(1.5, 0.5, 10, 13));
  p.setPen(QPen(Palette::BlueDark, 1));
  p.setBrush(Qt::white);
  p.drawEllipse(QPointF(11, 11), 4.3, 4.3);
  p.setPen(QPen(Palette::Ink, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(11, 11), QPointF(11, 8.3));
  p.drawLine(QPointF(11, 11), QPointF(13, 11));
}

void HtmlSource(QPainter& p) {
  DrawPage(p, QRectF(1.5, 0.5, 13, 15), false);
  p.setPen(QPen(QColor(0xC2, 0x4E, 0x10), 1.4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPolyline(QPolygonF{QPointF(6, 5.5), QPointF(3.8, 8.3), QPointF(6, 11)});
  p.drawPolyline(QPolygonF{QPointF(10, 5.5), QPointF(12.2, 8.3), QPointF(10, 11)});
  p.setPen(QPen(Palette::Blue, 1.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(9, 5), QPointF(7, 11.5));
}

void Globe(QPainter& p) {
  QRadialGradient sea(QPointF(6, 5), 9);
  sea.setColorAt(0, QColor(0x9F, 0xD0, 0xFF));
  sea.setColorAt(1, Palette::Blue);
  p.setPen(QPen(Palette::BlueDark, 1));
  p.setBrush(sea);
  p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
  p.setPen(QPen(QColor(255, 255, 255, 190), 0.9));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(5, 1.5, 6, 13));
  p.drawLine(QPointF(8, 1.5), QPointF(8, 14.5));
  p.drawLine(QPointF(1.5, 8), QPointF(14.5, 8));
  p.drawLine(QPointF(3, 4.8), QPointF(13, 4.8));
  p.drawLine(QPointF(3, 11.2), QPointF(13, 11.2));
}

void Language(QPainter& p) {
  // Two speech bubbles: the interface speaks another language.
  p.setPen(QPen(Palette::BlueDark, 1));
  p.setBrush(Palette::BlueLight);
  p.drawRoundedRect(QRectF(0.5, 0.5, 10, 7), 2, 2);
  p.drawPolygon(QPolygonF{QPointF(2.5, 7.5), QPointF(2.5, 10), QPointF(5, 7.5)});
  p.setPen(QPen(QColor(0xA8, 0x5A, 0x10), 1));
  p.setBrush(QColor(0xFF, 0xC0, 0x5C));
  p.drawRoundedRect(QRectF(5.5, 6.5, 10, 7), 2, 2);
  p.drawPolygon(QPolygonF{QPointF(13.5, 13.5), QPointF(13.5, 15.5), QPointF(11, 13.5)});
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawRect(QRectF(2.5, 3, 6, 1));
  p.setBrush(QColor(0x7A, 0x40, 0x08));
  p.drawRect(QRectF(7.5, 9.5, 6, 1));
}

void PreviewPage(QPainter& p) {
  DrawPage(p, QRectF(0.5, 0.5, 11, 14));
  p.save();
  p.translate(3, 3);
  p.scale(0.8, 0.8);
  Magnifier(p);
  p.restore();
}

void GermanFlag(QPainter& p) {
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(1, 3, 14, 3), QColor(0x00, 0x00, 0x00));
  p.fillRect(QRect(1, 6, 14, 3), QColor(0xDD, 0x00, 0x00));
  p.fillRect(QRect(1, 9, 14, 3), QColor(0xFF, 0xCE, 0x00));
  p.setPen(QColor(0x50, 0x50, 0x50));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, 2, 15, 10));
}

void BritishFlag(QPainter& p) {
  const QRectF field(1, 3, 14, 9);
  p.save();
  p.setClipRect(field);
  p.fillRect(field, QColor(0x01, 0x21, 0x69));
  p.setPen(QPen(Qt::white, 2.8));
  p.drawLine(field.topLeft(), field.bottomRight());
  p.drawLine(field.bottomLeft(), field.topRight());
  p.setPen(QPen(QColor(0xC8, 0x10, 0x2E), 1));
  p.drawLine(field.topLeft(), field.bottomRight());
  p.drawLine(field.bottomLeft(), field.topRight());
  p.setRenderHint(QPainter::Antialiasing, false);
  p.fillRect(QRect(1, 6, 14, 3), Qt::white);
  p.fillRect(QRect(6, 3, 4, 9), Qt::white);
  p.fillRect(QRect(1, 7, 14, 1), QColor(0xC8, 0x10, 0x2E));
  p.fillRect(QRect(7, 3, 2, 9), QColor(0xC8, 0x10, 0x2E));
  p.restore();
  p.setRenderHint(QPainter::Antialiasing, false);
  p.setPen(QColor(0x50, 0x50, 0x50));
  p.setBrush(Qt::NoBrush);
  p.drawRect(QRect(0, 2, 15, 10));
}

QImage RenderIcon(const TIconPainter& draw) {
  QImage icon(IconSize, IconSize, QImage::Format_ARGB32_Premultiplied);
  icon.fill(Qt::transparent);
  QPainter p(&icon);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::TextAntialiasing);
  draw(p);
  p.end();
  return icon;
}

QImage RenderStrip(const std::vector<TIconPainter>& icons) {
  QImage strip(IconSize * static_cast<int>(icons.size()), IconSize, QImage::Format_ARGB32);
  strip.fill(Qt::transparent);
  QPainter p(&strip);
  for (size_t i = 0; i < icons.size(); ++i) {
    p.drawImage(static_cast<int>(i) * IconSize, 0, RenderIcon(icons[i]));
  }
  p.end();
  return strip;
}

// The toolbar's list, by image number: the main window's buttons refer to these positions.
const std::vector<TIconPainter>& ToolbarPainters() {
  static const std::vector<TIconPainter> icons{
      NewPage, OpenFolder, SaveDisk,  Magnifier, Undo,      Scissors,    Copy,
      Paste,   Bold,       Italic,    Underline, AlignLeft, AlignCenter, AlignRight,
      Justify, TextColor,  Hyperlink, Redo,      Table,     Picture,     MetaTag};
  return icons;
}

// The main menu's list, by image number.
const std::vector<TIconPainter>& MenuPainters() {
  static const std::vector<TIconPainter> icons{
      OpenFolder, SaveDisk, NewPage,  Close,      SaveAs,      RecentFile, Help,      HtmlSource,
      Globe,      Info,     Undo,     Scissors,   Copy,        Paste,      Table,     Picture,
      Hyperlink,  MetaTag,  Language, GermanFlag, BritishFlag, Magnifier,  TextColor, PreviewPage};
  return icons;
}

}  // namespace

QImage ToolbarStrip() {
  return RenderStrip(ToolbarPainters());
}

QImage MenuStrip() {
  return RenderStrip(MenuPainters());
}

std::vector<TNamedIcon> HelpIcons() {
  const auto& tb = ToolbarPainters();
  const auto& mn = MenuPainters();
  const std::vector<std::pair<QString, TIconPainter>> named{
      {"cut", tb[5]},    {"copy", tb[6]},    {"paste", tb[7]},      {"undo", tb[4]},
      {"bold", tb[8]},   {"italic", tb[9]},  {"underline", tb[10]}, {"link", tb[16]},
      {"left", tb[11]},  {"center", tb[12]}, {"right", tb[13]},     {"color", tb[15]},
      {"table", tb[18]}, {"image", tb[19]},  {"metatags", tb[20]},  {"open", mn[0]},
      {"save", mn[1]},   {"new", mn[2]},     {"close", mn[3]},      {"help", mn[6]},
      {"info", mn[9]},   {"german", mn[19]}, {"english", mn[20]}};
  std::vector<TNamedIcon> icons;
  for (const auto& [name, draw] : named) icons.push_back({name, RenderIcon(draw)});
  return icons;
}

}  // namespace kv::art
