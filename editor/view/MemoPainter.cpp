#include "editor/view/MemoPainter.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPainter>
#include <QtMath>
#include <algorithm>
#include <climits>

#include "editor/core/CodeMemo.h"
#include "platform/FontMap.h"
#include "platform/QtText.h"

namespace kv {

namespace {

QRect ToQRect(const TMemoRect& r) {
  return QRect(r.Left, r.Top, r.Width(), r.Height());
}

// Characters without a glyph of their own (control bytes of pasted binary text) would draw
// with no width and push the rest of the run off the grid; they show as a middle dot.
QString GridText(std::string_view text) {
  QString s = ToQ(std::string(text));
  for (QChar& c : s)
    if (c.unicode() < 0x20 || c.unicode() == 0x7F) c = QChar(0x00B7);
  return s;
}

// An off-screen image of w x h logical pixels at the density of the painter's device, reused
// while neither changes.
QImage Sized(QImage image, int w, int h, const QPainter& p) {
  const qreal dpr = p.device() ? p.device()->devicePixelRatioF() : 1.0;
  const int pw = std::max(1, qCeil(w * dpr)), ph = std::max(1, qCeil(h * dpr));
  if (image.width() != pw || image.height() != ph || image.devicePixelRatio() != dpr) {
    image = QImage(pw, ph, QImage::Format_RGB32);
    image.setDevicePixelRatio(dpr);
  }
  return image;
}

}  // namespace

QRect TMemoPainter::CaretRect(const TMemoLayout& layout, TTextPos pos) {
  const int viewCol = pos.Col - layout.LeftCol, viewRow = pos.Line - layout.TopLine;
  if (viewCol < 0 || viewRow < 0 || viewRow >= layout.PaintRows()) return QRect();
  const TMemoRect cell = layout.CellRect(viewCol, viewRow);
  const TMemoRect area = layout.TextArea();
  if (cell.Left >= area.Right) return QRect();
  return QRect(cell.Left, cell.Top + 1, 2, std::max(1, layout.LineHeight - 2));
}

void TMemoPainter::DrawPart(QPainter& lp, int x, std::string_view text, TColor textColor,
                            TColor bkColor, TFontStyles style, bool selected) {
  const int cw = fonts_.CellWidth();
  const int n = static_cast<int>(text.size());
  // The line image starts in the background colour; only other backgrounds are filled.
  if (selected)
    lp.fillRect(x, 0, n * cw, fonts_.LineHeight(), ToQColor(bkColor));
  else if (bkColor != memo_.BkColor)
    lp.fillRect(x, 0, n * cw, fonts_.LineHeight() - 1, ToQColor(bkColor));
  // Glyphs are placed on the grid directly: no shaping and no measuring while painting.
  const TMemoFonts::TGlyphTable& table = fonts_.Glyphs(style);
  bool complete = table.Raw.isValid();
  for (int i = 0; i < n && complete; ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (table.Index[b] == 0 && b != ' ') complete = false;
  }
  if (!complete) {
    // A character the face has no glyph for: the font machinery finds one elsewhere.
    lp.setPen(ToQColor(textColor));
    lp.setFont(fonts_.Font(style));
    lp.drawText(x, fonts_.Ascent(), GridText(text));
    return;
  }
  const TFontStyles key = style & (fsBold | fsItalic | fsUnderline | fsStrikeOut);
  const qreal baseline = fonts_.Ascent();
  if (key & (fsUnderline | fsStrikeOut)) {
    // A line under the glyphs spans its whole run: lined parts are drawn at once, blanks
    // included, and never share a batch with another part.
    TGlyphBatch lined{textColor, key, {}, {}};
    for (int i = 0; i < n; ++i) {
      lined.Indexes.append(table.Index[static_cast<unsigned char>(text[i])]);
      lined.Positions.append(QPointF(i * cw, baseline));
    }
    // The line is drawn from the run's origin, so the origin is the part's own start.
    DrawBatch(lp, lined, x);
    return;
  }
  TGlyphBatch* batch = nullptr;
  for (int i = 0; i < batchCount_ && !batch; ++i)
    if (batches_[i].Color == textColor && batches_[i].Style == key) batch = &batches_[i];
  if (!batch) {
    if (batchCount_ == static_cast<int>(batches_.size())) batches_.emplace_back();
    batch = &batches_[batchCount_++];
    batch->Color = textColor;
    batch->Style = key;
    batch->Indexes.clear();
    batch->Positions.clear();
  }
  for (int i = 0; i < n; ++i) {
    const unsigned char b = static_cast<unsigned char>(text[i]);
    if (b == ' ') continue;  // blanks leave only their cell
    batch->Indexes.append(table.Index[b]);
    batch->Positions.append(QPointF(x + i * cw, baseline));
  }
}

void TMemoPainter::DrawBatch(QPainter& lp, const TGlyphBatch& batch, int originX) {
  if (batch.Indexes.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(fonts_.Glyphs(batch.Style).Raw);
  run.setGlyphIndexes(batch.Indexes);
  run.setPositions(batch.Positions);
  run.setUnderline(batch.Style & fsUnderline);
  run.setStrikeOut(batch.Style & fsStrikeOut);
  lp.setPen(ToQColor(batch.Color));
  lp.drawGlyphRun(QPointF(originX, 0), run);
}

void TMemoPainter::FlushGlyphs(QPainter& lp) {
  for (int i = 0; i < batchCount_; ++i) DrawBatch(lp, batches_[i], 0);
  batchCount_ = 0;
}

void TMemoPainter::PaintLine(QPainter& p, const TMemoLayout& layout,
                             const TMemoPaintOptions& options, int line, int row,
                             TTokenState& state) {
  const TMemoRect area = layout.TextArea();
  const int cw = fonts_.CellWidth(), lh = fonts_.LineHeight();
  lineImage_ = Sized(std::move(lineImage_), area.Width(), lh, p);
  lineImage_.fill(ToQColor(memo_.BkColor));

  TColor band = options.BandColor != clNone && (line % 2) == 1 ? options.BandColor : clNone;
  if (options.OnLineBkColor) options.OnLineBkColor(line, band);

  // Selected columns of this line, half-open.
  int selFrom = 0, selTo = 0;
  if (!memo_.SelectionEmpty() && (options.Focused || !memo_.HideSelection)) {
    const TTextRange sel = memo_.Selection();
    if (line >= sel.Start.Line && line <= sel.End.Line) {
      selFrom = line == sel.Start.Line ? sel.Start.Col : 0;
      selTo = line == sel.End.Line ? sel.End.Col : INT_MAX;
    }
  }
  // Only the columns in view are drawn; the runs left and right of them are not even handed
  // over (the tokenizer walks a changed line whole once, for the state at its end).
  const int viewFrom = layout.LeftCol;
  const int viewTo = layout.LeftCol + area.Width() / std::max(1, cw) + 1;
  const int originX = -layout.LeftCol * cw;
  const int textEnd = memo_.LineLength(line);

  QPainter lp(&lineImage_);
  memo_.PaintRuns(line, state, viewFrom, viewTo, [&](const TTokenRun& run) {
    const int runFrom = run.Start, runTo = run.Start + static_cast<int>(run.Text.size());
    const int from = std::max(runFrom, viewFrom), to = std::min(runTo, viewTo);
    if (from >= to) return;
    TColor text = run.Colors.TextColor, bk = run.Colors.BkColor;
    if (band != clNone) bk = band;
    auto part = [&](int a, int b, bool selected) {
      if (a >= b) return;
      std::string_view piece = run.Text.substr(a - runFrom, b - a);
      DrawPart(lp, originX + a * cw, piece, selected ? memo_.SelColor : text,
               selected ? memo_.SelBkColor : bk, run.Colors.Style, selected);
    };
    const int s0 = std::clamp(selFrom, from, to), s1 = std::clamp(selTo, from, to);
    part(from, s0, false);
    part(s0, s1, true);
    part(s1, to, false);
  });
  if (band != clNone) {
    const int x = std::max(0, originX + textEnd * cw);
    if (x < area.Width()) lp.fillRect(x, 0, area.Width() - x, lh - 1, ToQColor(band));
  }
  FlushGlyphs(lp);
  lp.end();

  const TMemoRect cell = layout.CellRect(0, row);
  const int visibleHeight = std::min(lh, area.Bottom - cell.Top);
  if (visibleHeight > 0)
    p.drawImage(QRectF(area.Left, cell.Top, area.Width(), visibleHeight), lineImage_,
                QRectF(0, 0, area.Width() * lineImage_.devicePixelRatio(),
                       visibleHeight * lineImage_.devicePixelRatio()));
}

void TMemoPainter::PaintGutter(QPainter& p, const TMemoLayout& layout, int firstRow, int lastRow) {
  const TMemoRect g = layout.GutterRect();
  if (g.Width() <= 1 || g.Height() <= 0) return;
  gutterImage_ = Sized(std::move(gutterImage_), g.Width(), g.Height(), p);
  QPainter gp(&gutterImage_);
  const int w = g.Width(), h = g.Height();
  const TColor from = ColorToRGB(gutter_.GutterColor());
  if (gutter_.GutterColorTo() == clNone) {
    gp.fillRect(0, 0, w, h, ToQColor(from));
  } else {
    const TColor to = ColorToRGB(gutter_.GutterColorTo());
    constexpr int kBands = 48;
    for (int i = 0; i < kBands; ++i) {
      auto mix = [&](int a, int b) { return a + (b - a) * i / (kBands - 1); };
      const int x0 = i * w / kBands, x1 = (i + 1) * w / kBands;
      gp.fillRect(x0, 0, x1 - x0, h,
                  QColor(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
                         mix(GetBValue(from), GetBValue(to))));
    }
  }
  gp.fillRect(w - 1, 0, 1, h, ToQColor(gutter_.BorderColor()));
  gp.fillRect(w - 2, 0, 1, h, Qt::white);

  const int lh = fonts_.LineHeight();
  const QFont numberFont = ToQFont(gutter_.Font());
  const QFontMetrics nm(numberFont);
  const int wWidth = nm.horizontalAdvance(QLatin1Char('W'));
  gp.setFont(numberFont);
  gp.setPen(ToQColor(gutter_.LineNumberTextColor()));
  for (int row = firstRow; row <= lastRow; ++row) {
    const int line = layout.TopLine + row;
    if (line >= memo_.LineCount()) break;
    const int top = row * lh + 1;
    if (gutter_.ShowLineNumbers()) {
      const std::string digits = gutter_.DigitsText(line);
      const int x = gutter_.GutterWidth() - gutter_.GutterMargin() +
                    TMemoGutter::IndentCells(digits) * wWidth;
      gp.drawText(x, top + nm.ascent(), ToQ(digits + gutter_.NumberSuffix()));
    }
    if (gutter_.ShowModified()) {
      const int state = memo_.ModifiedState(line);
      if (state == 1 || state == 2)
        gp.fillRect(w - 2 - 4, top, 4, lh,
                    ToQColor(state == 1 ? gutter_.ModifiedColor() : gutter_.ModifiedColorBkg()));
    }
  }
  gp.end();
  p.drawImage(QPoint(g.Left, g.Top), gutterImage_);
}

void TMemoPainter::Paint(QPainter& p, const TMemoLayout& layout, const TMemoPaintOptions& options,
                         const QRect& dirty) {
  const TMemoRect area = layout.TextArea();
  const int lh = fonts_.LineHeight();
  const int inset = layout.BorderInset();
  const QColor bk = ToQColor(memo_.BkColor);
  const int w = layout.ClientWidth, h = layout.ClientHeight;

  // Margin strips around the text area (the gutter and the bars paint over their parts).
  p.fillRect(QRect(inset, inset, w - 2 * inset, area.Top - inset), bk);
  p.fillRect(QRect(inset, area.Bottom, w - 2 * inset, h - inset - area.Bottom), bk);
  p.fillRect(QRect(inset, area.Top, area.Left - inset, area.Height()), bk);
  p.fillRect(QRect(area.Right, area.Top, w - inset - area.Right, area.Height()), bk);

  int firstRow = 0, lastRow = -1;
  const int paintRows = layout.PaintRows();
  if (lh > 0 && paintRows > 0) {
    firstRow = std::clamp((dirty.top() - area.Top - 1) / lh, 0, paintRows - 1);
    lastRow = std::clamp((dirty.bottom() - area.Top - 1) / lh, 0, paintRows - 1);
  }
  if (layout.GutterShown() && dirty.intersects(ToQRect(layout.GutterRect())))
    PaintGutter(p, layout, 0, paintRows - 1);

  if (lastRow >= firstRow && dirty.intersects(ToQRect(area))) {
    const int count = memo_.LineCount();
    const int top = layout.TopLine;
    TTokenState state = memo_.LineStartState(std::min(top, count));
    for (int row = 0; row < firstRow && top + row < count; ++row)
      memo_.AdvanceLine(top + row, state);
    for (int row = firstRow; row <= lastRow; ++row) {
      const int line = top + row;
      if (line < count) {
        PaintLine(p, layout, options, line, row, state);
      } else {
        const int y = layout.CellRect(0, row).Top;
        p.fillRect(QRect(area.Left, y, area.Width(), area.Bottom - y), bk);
        break;
      }
    }
    // The pixel row between the area's top and the first cell.
    p.fillRect(QRect(area.Left, area.Top, area.Width(), 1), bk);
  }

  // Frames of the scroll bars, in the bars' colour (the bars paint themselves over them).
  const QColor barColor = ToQColor(clScrollBar);
  if (layout.VScrollVisible)
    p.fillRect(ToQRect(layout.VScrollRect()).adjusted(-1, -1, 1, 1), barColor);
  if (layout.HScrollVisible)
    p.fillRect(ToQRect(layout.HScrollRect()).adjusted(-1, -1, 1, 1), barColor);
  if (layout.VScrollVisible && layout.HScrollVisible) {
    const TMemoRect v = layout.VScrollRect(), hs = layout.HScrollRect();
    p.fillRect(QRect(v.Left, hs.Top, v.Width(), hs.Height()), barColor);
  }

  if (options.ShowRightMargin && options.RightMargin > 0) {
    QFontMetrics m(fonts_.Font(0));
    const int x =
        area.Left + m.horizontalAdvance(QLatin1Char('w')) * (options.RightMargin - layout.LeftCol);
    if (x >= area.Left && x < area.Right)
      p.fillRect(QRect(x - 1, area.Top, 2, area.Height()), ToQColor(options.RightMarginColor));
  }

  if (inset == 1) {
    p.setPen(ToQColor(options.BorderColor));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(0, 0, w - 1, h - 1));
  } else if (inset == 2) {
    // A sunken frame: dark above and left, light below and right.
    p.fillRect(QRect(0, 0, w, 1), ToQColor(clBtnShadow));
    p.fillRect(QRect(0, 0, 1, h), ToQColor(clBtnShadow));
    p.fillRect(QRect(1, 1, w - 2, 1), ToQColor(clWindowFrame));
    p.fillRect(QRect(1, 1, 1, h - 2), ToQColor(clWindowFrame));
    p.fillRect(QRect(0, h - 1, w, 1), ToQColor(clBtnHighlight));
    p.fillRect(QRect(w - 1, 0, 1, h), ToQColor(clBtnHighlight));
    p.fillRect(QRect(1, h - 2, w - 2, 1), ToQColor(clBtnFace));
    p.fillRect(QRect(w - 2, 1, 1, h - 2), ToQColor(clBtnFace));
  }

  if (options.Drop.Line >= 0) {
    QRect mark = CaretRect(layout, options.Drop).intersected(ToQRect(area));
    if (!mark.isEmpty()) p.fillRect(mark, ToQColor(memo_.Font().Color()));
  }
  if (options.Focused && options.CaretOn) {
    QRect caret = CaretRect(layout, memo_.Caret()).intersected(ToQRect(area));
    if (!caret.isEmpty()) {
      p.setCompositionMode(QPainter::RasterOp_NotDestination);
      p.fillRect(caret, Qt::black);
      p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    }
  }
}

}  // namespace kv
