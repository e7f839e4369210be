// Drawing pieces shared by the icons and the pictures: one palette and a few shapes, so that
// every picture of the program looks like it belongs to the same family.
#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

namespace kv::art {

namespace Palette {
inline const QColor Outline{0x4A, 0x55, 0x63};
inline const QColor PageEdge{0x7A, 0x86, 0x94};
inline const QColor PageFold{0xDD, 0xE3, 0xEA};
inline const QColor TextLine{0x9A, 0xA6, 0xB4};
inline const QColor Ink{0x26, 0x2E, 0x38};
inline const QColor Blue{0x2F, 0x6F, 0xC0};
inline const QColor BlueLight{0x6E, 0xA2, 0xE6};
inline const QColor BlueDark{0x1D, 0x4E, 0x8F};
inline const QColor Brand{0x1E, 0x3F, 0x6E};   // the wordmark
inline const QColor Accent{0xF0, 0x8A, 0x24};  // orange, used sparingly
inline const QColor Red{0xD2, 0x3B, 0x3B};
inline const QColor Green{0x3F, 0xA3, 0x4D};
inline const QColor FolderFront{0xF6, 0xCF, 0x62};
inline const QColor FolderBack{0xD9, 0xA4, 0x38};
inline const QColor FolderEdge{0xA8, 0x7A, 0x22};
}  // namespace Palette

// A font by family and pixel size; families are those of the build machine (DejaVu, Liberation,
// URW), with Qt's fallback when one is missing.
QFont PixelFont(const QString& family, int pixelSize, int weight = QFont::Normal,
                bool italic = false);

// A page with a folded top-right corner; `lines` draws grey text lines on it.
void DrawPage(QPainter& p, const QRectF& r, bool lines = true);
void DrawFolder(QPainter& p, const QRectF& r);
void DrawDisk(QPainter& p, const QRectF& r);
// A glyph centred in r (the glyph's ink box, not its line box, is centred).
void DrawGlyph(QPainter& p, const QRectF& r, const QString& text, const QFont& font,
               const QColor& color);
// The program's mark: a rounded blue square with a white page and an orange pen stroke.
void DrawLogoMark(QPainter& p, const QRectF& r);
// Letter-spaced wordmark text; returns the advance so that following text can be placed.
qreal DrawSpacedText(QPainter& p, QPointF baseline, const QString& text, const QFont& font,
                     const QColor& color, qreal spacing);

}  // namespace kv::art
