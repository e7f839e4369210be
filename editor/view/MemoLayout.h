// Where things are in the code editor: the text area inside border, gutter and scroll bars,
// and the fixed character grid that maps pixels to (line, column) and back. No toolkit here,
// so the arithmetic is tested by itself.
#pragma once

namespace kv {

enum class TBorderStyle { bsNone, bsSingle };

struct TMemoRect {
  int Left = 0, Top = 0, Right = 0, Bottom = 0;
  int Width() const { return Right - Left; }
  int Height() const { return Bottom - Top; }
  bool Contains(int x, int y) const { return x >= Left && x < Right && y >= Top && y < Bottom; }
};

struct TMemoLayout {
  // Inputs.
  int ClientWidth = 0, ClientHeight = 0;
  bool GutterVisible = true;
  int GutterWidth = 45;
  TBorderStyle BorderStyle = TBorderStyle::bsSingle;
  bool Ctl3D = false;
  bool VScrollVisible = false, HScrollVisible = false;
  int VScrollWidth = 16, HScrollHeight = 16;
  int CellWidth = 8, LineHeight = 16;
  int LeftCol = 0, TopLine = 0;

  // How far the border reaches into the control: 2 pixels with a 3D frame, 1 with a flat one.
  int BorderInset() const;
  TMemoRect TextArea() const;
  // The gutter band (left 1, top 1, its width, the text area's height) when shown.
  bool GutterShown() const { return GutterVisible && GutterWidth > 1; }
  TMemoRect GutterRect() const;
  // The vertical bar along the right edge and the horizontal one along the bottom, inside the
  // border.
  TMemoRect VScrollRect() const;
  TMemoRect HScrollRect() const;

  // The cell of a column and row counted from the view's left column and top line.
  TMemoRect CellRect(int viewColumn, int viewRow) const;
  // Pixel to absolute (line, column): columns round to the nearer cell boundary, rows down.
  int ColumnAt(int x) const;
  int LineAt(int y) const;
  // Whole rows and columns that fit the text area.
  int VisibleRows() const;
  int VisibleCols() const;
  // Rows touched by the text area, the last partial one included.
  int PaintRows() const;
};

}  // namespace kv
