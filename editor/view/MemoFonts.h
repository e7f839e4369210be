// The code editor's character grid: the cell width and line height of its font, and the font
// variants it draws runs with, each spaced so that every character advances exactly one cell.
#pragma once

#include <QFont>
#include <QRawFont>
#include <array>
#include <cstdint>

#include "platform/classes/Graphics.h"

namespace kv {

class TMemoFonts {
 public:
  // True when "W" and "i" have different widths in the face of font.
  static bool IsProportional(const TFont& font);

  // Measures font: the cell is the width of "W", the line the height of "W_" plus 1.
  void Measure(const TFont& font);
  bool Measured() const { return lineHeight_ > 0; }
  int CellWidth() const { return cellWidth_; }
  int LineHeight() const { return lineHeight_; }
  int Ascent() const { return ascent_; }
  // Bold is dropped from runs when it would widen the characters.
  bool BoldWider() const { return boldWider_; }
  // The font for a run's style (bold already dropped when BoldWider).
  const QFont& Font(TFontStyles style) const;

  // The glyphs of the 256 code-page characters in a style's face, so that runs are drawn
  // without shaping: index 0 marks a character the face lacks (drawn as text instead).
  struct TGlyphTable {
    QRawFont Raw;
    std::array<std::uint32_t, 256> Index{};
  };
  const TGlyphTable& Glyphs(TFontStyles style) const;

 private:
  QFont Variant(const QFont& base, TFontStyles style) const;
  std::array<QFont, 16> variants_;
  std::array<TGlyphTable, 4> glyphs_;  // by bold and italic
  int cellWidth_ = 0, lineHeight_ = 0, ascent_ = 0;
  bool boldWider_ = false;
};

}  // namespace kv
