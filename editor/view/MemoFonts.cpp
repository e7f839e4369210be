#include "editor/view/MemoFonts.h"

#include <QFontMetrics>
#include <QFontMetricsF>

#include "platform/FontMap.h"
#include "support/Cp1252.h"

namespace kv {

bool TMemoFonts::IsProportional(const TFont& font) {
  QFontMetrics m(ToQFont(font));
  return m.horizontalAdvance(QLatin1Char('W')) != m.horizontalAdvance(QLatin1Char('i'));
}

QFont TMemoFonts::Variant(const QFont& base, TFontStyles style) const {
  QFont f = base;
  f.setBold(style & fsBold);
  f.setItalic(style & fsItalic);
  f.setUnderline(style & fsUnderline);
  f.setStrikeOut(style & fsStrikeOut);
  f.setKerning(false);
  // Glyphs sit on whole pixels of the grid: full hinting draws them crisp and spares the
  // per-glyph sub-pixel variants.
  f.setHintingPreference(QFont::PreferFullHinting);
  // Whole runs are drawn as one string; the spacing makes the string advance by exactly the
  // cell width per character, so glyphs stay on the grid however the face rounds.
  f.setLetterSpacing(QFont::AbsoluteSpacing, 0);
  const qreal advance = QFontMetricsF(f).horizontalAdvance(QLatin1Char('W'));
  f.setLetterSpacing(QFont::AbsoluteSpacing, cellWidth_ - advance);
  return f;
}

void TMemoFonts::Measure(const TFont& font) {
  QFont base = ToQFont(font);
  base.setBold(false);
  base.setItalic(false);
  base.setUnderline(false);
  base.setStrikeOut(false);
  base.setKerning(false);
  QFontMetrics m(base);
  cellWidth_ = std::max(1, m.horizontalAdvance(QLatin1Char('W')));
  // A text extent's height is the font's cell height, whatever the characters.
  lineHeight_ = m.height() + 1;
  ascent_ = m.ascent();
  QFont bold = base;
  bold.setBold(true);
  boldWider_ = QFontMetrics(bold).horizontalAdvance(QLatin1Char('W')) > cellWidth_;
  for (unsigned s = 0; s < variants_.size(); ++s) {
    TFontStyles style = s;
    if (boldWider_) style &= ~fsBold;
    variants_[s] = Variant(base, style);
  }
  for (unsigned s = 0; s < glyphs_.size(); ++s) {
    TGlyphTable& table = glyphs_[s];
    QFont f = variants_[s];
    f.setUnderline(false);
    f.setStrikeOut(false);
    table.Raw = QRawFont::fromFont(f);
    table.Index.fill(0);
    if (!table.Raw.isValid()) continue;
    for (int b = 0; b < 256; ++b) {
      char32_t u = Cp1252ToUnicode(static_cast<unsigned char>(b));
      // Control bytes show as a middle dot, one cell wide like every other character.
      if (u < 0x20 || u == 0x7F || (u >= 0x80 && u < 0xA0)) u = 0xB7;
      const QChar ch(static_cast<char16_t>(u));
      quint32 index = 0;
      int count = 1;
      if (table.Raw.glyphIndexesForChars(&ch, 1, &index, &count) && count == 1)
        table.Index[b] = index;
    }
  }
}

const TMemoFonts::TGlyphTable& TMemoFonts::Glyphs(TFontStyles style) const {
  if (boldWider_) style &= ~fsBold;
  return glyphs_[style & 3u];
}

const QFont& TMemoFonts::Font(TFontStyles style) const {
  return variants_[style & 15u];
}

}  // namespace kv
