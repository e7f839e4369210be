// Turns the editor model into pixels: margins, gutter, the visible lines (each composed in a
// one-line off-screen image and copied in one block), the caret, the scroll bar frames and the
// border. Only the rows that intersect the dirty rectangle are drawn.
#pragma once

#include <QImage>
#include <QList>
#include <QPointF>
#include <QRect>
#include <functional>
#include <vector>

#include "editor/core/TextPos.h"
#include "editor/view/MemoFonts.h"
#include "editor/view/MemoGutter.h"
#include "editor/view/MemoLayout.h"
#include "platform/classes/Graphics.h"

class QPainter;

namespace kv {

class TCustomCodeMemo;
struct TTokenRun;

struct TMemoPaintOptions {
  bool Focused = false;
  bool CaretOn = false;     // the caret is shown and in its visible blink phase
  TColor Color = clWindow;  // the control's Color: a run on it is drawn transparently
  TColor BandColor = clNone;
  bool ShowRightMargin = false;
  int RightMargin = 80;
  TColor RightMarginColor = 0xE2E2E2;
  TColor BorderColor = clGray;
  std::function<void(int line, TColor& color)> OnLineBkColor;
  // Where dragged text would land, marked like a caret; line -1: no drag.
  TTextPos Drop{-1, 0};
};

class TMemoPainter {
 public:
  TMemoPainter(TCustomCodeMemo& memo, const TMemoGutter& gutter, const TMemoFonts& fonts)
      : memo_(memo), gutter_(gutter), fonts_(fonts) {}

  void Paint(QPainter& p, const TMemoLayout& layout, const TMemoPaintOptions& options,
             const QRect& dirty);
  // The caret's rectangle in the control (2 pixels wide), or an empty one when out of view.
  static QRect CaretRect(const TMemoLayout& layout, TTextPos pos);

 private:
  void PaintGutter(QPainter& p, const TMemoLayout& layout, int firstRow, int lastRow);
  void PaintLine(QPainter& p, const TMemoLayout& layout, const TMemoPaintOptions& options, int line,
                 int row, struct TTokenState& state);
  void DrawPart(QPainter& lp, int x, std::string_view text, TColor textColor, TColor bkColor,
                TFontStyles style, bool selected);
  struct TGlyphBatch;
  void DrawBatch(QPainter& lp, const TGlyphBatch& batch, int originX);
  void FlushGlyphs(QPainter& lp);

  TCustomCodeMemo& memo_;
  const TMemoGutter& gutter_;
  const TMemoFonts& fonts_;
  QImage lineImage_;
  QImage gutterImage_;
  // Glyphs of one line, gathered by colour and style and drawn in one go per batch.
  struct TGlyphBatch {
    TColor Color;
    TFontStyles Style;
    QList<quint32> Indexes;
    QList<QPointF> Positions;
  };
  std::vector<TGlyphBatch> batches_;
  int batchCount_ = 0;
};

}  // namespace kv
