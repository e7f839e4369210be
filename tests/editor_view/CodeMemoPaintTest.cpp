// Offscreen renderings of the control, checked at the pixels that matter.
#include <gtest/gtest.h>

#include <QFontMetrics>
#include <QPainter>
#include <QScrollBar>
#include <cstdlib>
#include <functional>

#include "MemoTestSupport.h"
#include "platform/FontMap.h"

namespace kv {
namespace {

using test::ToRgb;

class MemoPaint : public testing::Test, public test::MemoFixtureBase {
 protected:
  // Whether a pixel of the cell (view column, row) comes close to colour c (glyph edges are
  // smoothed, so strokes reach their colour only nearly).
  bool CellHas(const QImage& img, int col, int row, QRgb c, int tolerance = 48) {
    const TMemoRect r = Memo->Layout().CellRect(col, row);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const QRgb p = img.pixel(x, y);
        if (std::abs(qRed(p) - qRed(c)) <= tolerance &&
            std::abs(qGreen(p) - qGreen(c)) <= tolerance &&
            std::abs(qBlue(p) - qBlue(c)) <= tolerance)
          return true;
      }
    return false;
  }
  // The background of a cell: its bottom pixel row, which glyphs never reach.
  QRgb CellBackground(const QImage& img, int col, int row) {
    const TMemoRect r = Memo->Layout().CellRect(col, row);
    return ColorAt(img, r.Left + 1, r.Bottom - 1);
  }
  // Leftmost x with ink darker than mid-grey in the gutter band of a row.
  int GutterInkLeft(const QImage& img, int row) {
    const TMemoRect g = Memo->Layout().GutterRect();
    const TMemoRect cell = Memo->Layout().CellRect(0, row);
    for (int x = g.Left; x < g.Right - 2; ++x)
      for (int y = cell.Top; y < cell.Bottom; ++y)
        if (qGray(img.pixel(x, y)) < 100) return x;
    return -1;
  }
};

TEST_F(MemoPaint, SelectionIsDrawnInSelColorOnSelBkColor) {
  SetText("abcdef\r\nghij\r\nklmn");
  Memo->Memo().SetSelection({0, 2}, {2, 1});
  ASSERT_TRUE(Focus());  // an unfocused control hides its selection
  Memo->SetHiddenCaret(true);
  const QImage img = Render();
  const QRgb navy = ToRgb(clNavy), white = ToRgb(clWhite), black = ToRgb(clBlack);
  struct Cell {
    int col, row;
    bool selected;
  } cells[] = {{0, 0, false}, {1, 0, false}, {2, 0, true},  {5, 0, true}, {0, 1, true},
               {3, 1, true},  {0, 2, true},  {1, 2, false}, {3, 2, false}};
  for (const Cell& c : cells) {
    EXPECT_EQ(CellBackground(img, c.col, c.row), c.selected ? navy : white)
        << "cell " << c.col << "," << c.row;
    // Selected glyphs are white on navy, never the text's own black.
    if (c.selected) {
      EXPECT_TRUE(CellHas(img, c.col, c.row, white)) << c.col << "," << c.row;
      EXPECT_FALSE(CellHas(img, c.col, c.row, black)) << c.col << "," << c.row;
    } else {
      EXPECT_FALSE(CellHas(img, c.col, c.row, navy, 0)) << c.col << "," << c.row;
    }
  }
  // Past the end of a selected line nothing is highlighted.
  EXPECT_EQ(CellBackground(img, 6, 0), white);
}

TEST_F(MemoPaint, SelectionIsHiddenWithoutFocus) {
  SetText("abcdef");
  Memo->Memo().SetSelection({0, 0}, {0, 3});
  const QImage img = Render();
  EXPECT_EQ(CellBackground(img, 1, 0), ToRgb(clWhite));
}

TEST_F(MemoPaint, LineNumbersAreIndentedByThreeTwoAndOneW) {
  std::string text;
  for (int i = 0; i < 120; ++i) text += "x\r\n";
  SetText(text);
  const int w = QFontMetrics(ToQFont(Memo->Gutter().Font())).horizontalAdvance(QLatin1Char('W'));
  // Rows showing the numbers 1, 10 and 100: all start with the digit 1.
  int ink[3];
  const int tops[3] = {0, 9, 99};
  for (int i = 0; i < 3; ++i) {
    Memo->Memo().SetTopLineRaw(tops[i]);
    ink[i] = GutterInkLeft(Render(), 0);
    ASSERT_GE(ink[i], 0);
  }
  EXPECT_EQ(ink[0] - ink[1], w);
  EXPECT_EQ(ink[1] - ink[2], w);
  // One-digit numbers start three "W" widths from the gutter's start (its glyph's bearing aside).
  EXPECT_GE(ink[0], Memo->Layout().GutterRect().Left + 3 * w);
  EXPECT_LT(ink[0], Memo->Layout().GutterRect().Left + 4 * w);
}

TEST_F(MemoPaint, NoVerticalBarForThreeLinesInTwentyRows) {
  SizeFor(20, 40);
  SetText("a\r\nb\r\nc");
  EXPECT_TRUE(Memo->VertScrollBar()->isHidden());
  EXPECT_EQ(Memo->Memo().TopLine(), 0);
  // The area reaches the right border: the last pixel column inside it is background.
  const QImage img = Render();
  const TMemoRect area = Memo->Layout().TextArea();
  EXPECT_EQ(ColorAt(img, area.Right - 1, area.Top + 5), ToRgb(clWhite));
  EXPECT_EQ(ColorAt(img, img.width() - 1, 5), ToRgb(clGray));  // the flat border

  SetText(std::string(30 * 3, 'x').replace(0, 90, std::string(30, 'x') + "\r\n"));
  std::string many;
  for (int i = 0; i < 30; ++i) many += "l\r\n";
  SetText(many);
  EXPECT_FALSE(Memo->VertScrollBar()->isHidden());
  EXPECT_EQ(Memo->VertScrollBar()->pageStep(), Memo->Layout().VisibleRows());
  EXPECT_EQ(Memo->VertScrollBar()->maximum(), 30 - Memo->Layout().VisibleRows());
}

TEST_F(MemoPaint, HorizontalScrollKeepsTwoColumnsRightOfTheCaret) {
  SizeFor(10, 30);
  SetText(std::string(80, 'a') + "\r\nshort");
  EXPECT_FALSE(Memo->HorzScrollBar()->isHidden());
  ASSERT_TRUE(Focus());
  Memo->Memo().KeyDown(keys::VK_END, 0);
  const TMemoLayout l = Memo->Layout();
  const int cols = l.VisibleCols();
  EXPECT_EQ(Memo->Memo().CaretX(), 80);
  // The caret's cell and two free cells after it are the last visible ones.
  EXPECT_EQ(l.LeftCol + cols - 1 - Memo->Memo().CaretX(), 2);
  EXPECT_EQ(Memo->HorzScrollBar()->value(), l.LeftCol);

  // The caret is drawn, inverted, in its cell; the two cells right of it are empty paper.
  const QImage img = Render();
  const QRect caret = TMemoPainter::CaretRect(l, {0, Memo->Memo().CaretX()});
  ASSERT_FALSE(caret.isEmpty());
  EXPECT_EQ(ColorAt(img, caret.left(), caret.top() + 2), ToRgb(clBlack));
  EXPECT_EQ(caret.width(), 2);
  EXPECT_EQ(caret.height(), Memo->LineHeight() - 2);
  const QPoint free = CellPixel(cols - 1, 0, Memo->CellWidth() / 2, Memo->LineHeight() / 2);
  EXPECT_EQ(ColorAt(img, free.x(), free.y()), ToRgb(clWhite));

  // Home brings the view back and hides the bar only when nothing is longer than the view.
  Memo->Memo().KeyDown(keys::VK_HOME, 0);
  EXPECT_EQ(Memo->Memo().LeftCol(), 0);
}

// A line that grows past the right edge or shrinks back while the caret stays in view: the
// bar follows every typed, tabbed, deleted or backspaced character.
TEST_F(MemoPaint, HorizontalBarFollowsEditsInsideALine) {
  SizeFor(10, 30);
  SetText(std::string(25, 'x') + "\r\nshort");
  const int cols = Memo->Layout().VisibleCols();
  TCustomCodeMemo& m = Memo->Memo();
  m.SetCaret({0, 0});
  auto bar = [&] {
    return Memo->HorzScrollBar()->isHidden() ? -1 : Memo->HorzScrollBar()->maximum();
  };
  EXPECT_EQ(bar(), -1);
  struct Step {
    const char* what;
    std::function<void()> act;
    int longest;
  } steps[] = {
      {"type",
       [&] {
         for (char c : std::string("0123456789")) m.KeyPress(c);
       },
       35},
      {"backspace",
       [&] {
         for (int i = 0; i < 10; ++i) m.KeyDown(keys::VK_BACK, 0);
       },
       25},
      {"tab",
       [&] {
         for (int i = 0; i < 3; ++i) m.KeyDown(keys::VK_TAB, 0);
       },
       37},
      {"delete",
       [&] {
         m.SetCaret({0, 0});
         for (int i = 0; i < 12; ++i) m.KeyDown(keys::VK_DELETE, 0);
       },
       25},
  };
  for (const Step& s : steps) {
    s.act();
    ASSERT_EQ(m.LongestLine(), s.longest) << s.what;
    ASSERT_EQ(m.LeftCol(), 0) << s.what;  // the caret never left the view
    EXPECT_EQ(bar(), s.longest > cols ? s.longest + 3 - cols : -1) << s.what;
  }
}

TEST_F(MemoPaint, CaretOnlyWhileFocused) {
  SetText("abc");
  const QRect caret = TMemoPainter::CaretRect(Memo->Layout(), {0, 0});
  QImage unfocused = Render();
  EXPECT_EQ(ColorAt(unfocused, caret.left(), caret.top() + 3), ToRgb(clWhite));
  ASSERT_TRUE(Focus());
  EXPECT_TRUE(Memo->CaretShown());
  QImage focused = Render();
  // The caret inverts what is under it: the left edge of "a" and its paper.
  bool inverted = false;
  for (int y = caret.top(); y < caret.bottom(); ++y)
    if (ColorAt(focused, caret.left(), y) != ColorAt(unfocused, caret.left(), y)) inverted = true;
  EXPECT_TRUE(inverted);
  Memo->SetHiddenCaret(true);
  EXPECT_FALSE(Memo->CaretShown());
}

TEST_F(MemoPaint, DropPointIsMarkedWhileTextIsDraggedOverIt) {
  SetText("abcdef     ");
  const QPoint over = CellPixel(8, 0, 1, 3);
  Memo->DragOverAt(over.x(), over.y());
  const QRect mark = TMemoPainter::CaretRect(Memo->Layout(), {0, 8});
  EXPECT_EQ(ColorAt(Render(), mark.left(), mark.top() + 2), ToRgb(clBlack));
  Memo->DragOverAt(-1, -1);
  EXPECT_EQ(ColorAt(Render(), mark.left(), mark.top() + 2), ToRgb(clWhite));
}

TEST_F(MemoPaint, DoubleDensityDevicesGetTheSamePictureAtTwiceThePixels) {
  SetText("abcdef\r\nghij");
  ASSERT_TRUE(Focus());
  Memo->SetHiddenCaret(true);
  Memo->Memo().SetSelection({0, 2}, {0, 4});
  const QSize size = Memo->Peer()->size();
  QImage img(size * 2, QImage::Format_RGB32);
  img.setDevicePixelRatio(2);
  img.fill(Qt::magenta);
  {
    QPainter p(&img);
    Memo->PaintTo(p, QRect(QPoint(), size));
  }
  const TMemoRect sel = Memo->Layout().CellRect(3, 0);
  EXPECT_EQ(ColorAt(img, 2 * sel.Left + 1, 2 * sel.Bottom - 1), ToRgb(clNavy));
  const TMemoRect plain = Memo->Layout().CellRect(5, 1);
  EXPECT_EQ(ColorAt(img, 2 * plain.Left + 1, 2 * plain.Bottom - 1), ToRgb(clWhite));
  EXPECT_EQ(ColorAt(img, 2 * size.width() - 6, 2 * size.height() - 6), ToRgb(clWhite));
}

TEST_F(MemoPaint, NothingIsPaintedInsideBeginUpdate) {
  SetText("<html>\r\n<body>");
  auto untouched = [&] {
    const QImage img = Render();  // starts magenta
    for (int y = 0; y < img.height(); y += 3)
      for (int x = 0; x < img.width(); x += 3)
        if (ColorAt(img, x, y) != 0xFF00FFu) return false;
    return true;
  };
  // The line list's own update bracket, and the control's.
  Memo->Lines()->BeginUpdate();
  Memo->Lines()->Add("more");
  EXPECT_TRUE(untouched());
  Memo->Lines()->EndUpdate();
  EXPECT_FALSE(untouched());

  Memo->BeginUpdate();
  Memo->BeginUpdate();
  Memo->Lines()->Add("more");
  Memo->EndUpdate();
  EXPECT_TRUE(untouched());
  Memo->EndUpdate();
  EXPECT_FALSE(untouched());
}

TEST_F(MemoPaint, RunsAreDrawnInTheirStyleColours) {
  SetText("<b> \"q\"");
  const QImage img = Render();
  EXPECT_TRUE(CellHas(img, 0, 0, ToRgb(clTeal)));  // "<" symbol
  EXPECT_TRUE(CellHas(img, 1, 0, ToRgb(clNavy)));  // "b" keyword
  EXPECT_TRUE(CellHas(img, 5, 0, ToRgb(clBlue)));  // inside the double quotes
  EXPECT_FALSE(CellHas(img, 1, 0, ToRgb(clBlack)));
}

TEST_F(MemoPaint, AddressesAreUnderlinedAndNothingElse) {
  SetText("ab http://x.org/ cd");
  const QImage img = Render();
  // The underline runs along the lower part of the address's cells only.
  auto lined = [&](int col) {
    const TMemoRect r = Memo->Layout().CellRect(col, 0);
    for (int y = r.Top + Memo->Fonts().Ascent(); y < r.Bottom; ++y) {
      int blue = 0;
      for (int x = r.Left; x < r.Right; ++x)
        if (qBlue(img.pixel(x, y)) > 150 && qRed(img.pixel(x, y)) < 100) ++blue;
      if (blue == r.Right - r.Left) return true;
    }
    return false;
  };
  EXPECT_FALSE(lined(0));
  EXPECT_FALSE(lined(1));
  for (int col = 3; col < 16; ++col) EXPECT_TRUE(lined(col)) << col;
  EXPECT_FALSE(lined(17));
}

TEST_F(MemoPaint, BandColourOnOddLinesAndPerLineHandler) {
  SetText("a\r\nb\r\nc\r\nd");
  Memo->SetBandColor(clAqua);
  // The line's background, right of its text (the bottom pixel row stays the paper's).
  auto lineBk = [&](const QImage& img, int row) {
    const QPoint p = CellPixel(3, row, 2, 2);
    return ColorAt(img, p.x(), p.y());
  };
  QImage img = Render();
  EXPECT_EQ(lineBk(img, 0), ToRgb(clWhite));
  EXPECT_EQ(lineBk(img, 1), ToRgb(clAqua));
  EXPECT_EQ(CellBackground(img, 3, 1), ToRgb(clWhite));
  Memo->OnLineBkColor = [](TObject*, int line, TColor& c) {
    if (line == 2) c = clYellow;
  };
  img = Render();
  EXPECT_EQ(lineBk(img, 2), ToRgb(clYellow));
  EXPECT_EQ(lineBk(img, 3), ToRgb(clAqua));
}

TEST_F(MemoPaint, GutterHasGradientBorderAndModifiedBars) {
  SetText("a\r\nb");
  Memo->Gutter().SetShowModified(true);
  Memo->Memo().SetModified(1);
  const QImage img = Render();
  const TMemoRect g = Memo->Layout().GutterRect();
  const int y = CellPixel(0, 0, 0, 2).y();
  // The gradient runs from the face colour at the left to white at the right.
  const QRgb left = img.pixel(g.Left, y), right = img.pixel(g.Right - 3, y);
  EXPECT_NEAR(qBlue(left), GetBValue(ColorToRGB(clBtnFace)), 3);
  EXPECT_GT(qBlue(right), qBlue(left));
  EXPECT_GE(qRed(right), 250);
  EXPECT_EQ(ColorAt(img, g.Right - 1, y), ToRgb(clGray));   // border line
  EXPECT_EQ(ColorAt(img, g.Right - 2, y), ToRgb(clWhite));  // and the white line left of it
  const int y2 = CellPixel(0, 1, 0, 2).y();
  EXPECT_EQ(ColorAt(img, g.Right - 4, y2), ToRgb(clYellow));  // line 1 modified since load
  EXPECT_NE(ColorAt(img, g.Right - 4, y), ToRgb(clYellow));
}

TEST_F(MemoPaint, LongLinesAndControlBytesStayOnTheGrid) {
  std::string binary(200, 'x');
  binary[5] = '\x01';
  binary[6] = '\0';
  Memo->Lines()->Clear();
  Memo->Lines()->Add(binary);
  Memo->Lines()->Add(std::string(1 << 20, 'x'));
  Memo->RefreshScrollBars();
  const QImage img = Render();
  auto ink = [&](int col, int row) {
    const TMemoRect r = Memo->Layout().CellRect(col, row);
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x)
        if (qGray(img.pixel(x, y)) < 160) return true;
    return false;
  };
  // Control bytes take one cell each, so every later "x" is still in its own cell.
  const int last = Memo->Layout().VisibleCols() - 1;
  for (int col : {5, 6, 7, last}) EXPECT_TRUE(ink(col, 0)) << col;
  EXPECT_TRUE(ink(last, 1));
  EXPECT_FALSE(Memo->HorzScrollBar()->isHidden());
}

}  // namespace
}  // namespace kv
