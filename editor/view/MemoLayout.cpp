#include "editor/view/MemoLayout.h"

#include <algorithm>

namespace kv {

namespace {
// Floor division: pixels left of or above the area give negative cells, not zero.
int FloorDiv(int a, int b) {
  return a >= 0 ? a / b : -((-a + b - 1) / b);
}
}  // namespace

int TMemoLayout::BorderInset() const {
  if (BorderStyle == TBorderStyle::bsNone) return 0;
  return Ctl3D ? 2 : 1;
}

TMemoRect TMemoLayout::TextArea() const {
  // The area starts 2 pixels inside the client, leaves a 2-pixel margin right of the gutter,
  // and takes back what a thinner border leaves free.
  const int grow = 2 - BorderInset();
  TMemoRect r;
  r.Left = (GutterVisible && GutterWidth > 2 ? GutterWidth + 2 : 2) + 2 - grow;
  r.Top = 2 - grow;
  r.Right = ClientWidth - 2 + grow - (VScrollVisible ? VScrollWidth : 0);
  r.Bottom = ClientHeight - 2 + grow - (HScrollVisible ? HScrollHeight : 0);
  r.Right = std::max(r.Right, r.Left);
  r.Bottom = std::max(r.Bottom, r.Top);
  return r;
}

TMemoRect TMemoLayout::GutterRect() const {
  TMemoRect area = TextArea();
  TMemoRect r;
  if (!GutterShown()) return r;
  r.Left = BorderInset();
  r.Top = area.Top;
  r.Right = r.Left + GutterWidth;
  r.Bottom = area.Bottom;
  return r;
}

TMemoRect TMemoLayout::VScrollRect() const {
  const int b = BorderInset();
  TMemoRect r;
  if (!VScrollVisible) return r;
  r.Right = ClientWidth - b;
  r.Left = r.Right - VScrollWidth;
  r.Top = b;
  r.Bottom = ClientHeight - b - (HScrollVisible ? HScrollHeight : 0);
  return r;
}

TMemoRect TMemoLayout::HScrollRect() const {
  const int b = BorderInset();
  TMemoRect r;
  if (!HScrollVisible) return r;
  r.Left = b;
  r.Right = ClientWidth - b - (VScrollVisible ? VScrollWidth : 0);
  r.Bottom = ClientHeight - b;
  r.Top = r.Bottom - HScrollHeight;
  return r;
}

TMemoRect TMemoLayout::CellRect(int viewColumn, int viewRow) const {
  const TMemoRect area = TextArea();
  TMemoRect r;
  r.Left = viewColumn * CellWidth + area.Left;
  r.Right = r.Left + CellWidth;
  r.Top = viewRow * LineHeight + area.Top + 1;
  r.Bottom = r.Top + LineHeight;
  return r;
}

int TMemoLayout::ColumnAt(int x) const {
  if (CellWidth <= 0) return LeftCol;
  return FloorDiv(x + CellWidth / 2 - TextArea().Left, CellWidth) + LeftCol;
}

int TMemoLayout::LineAt(int y) const {
  if (LineHeight <= 0) return TopLine;
  return FloorDiv(y - TextArea().Top, LineHeight) + TopLine;
}

int TMemoLayout::VisibleRows() const {
  return LineHeight > 0 ? std::max(0, TextArea().Height() / LineHeight) : 0;
}

int TMemoLayout::VisibleCols() const {
  return CellWidth > 0 ? std::max(0, TextArea().Width() / CellWidth) : 0;
}

int TMemoLayout::PaintRows() const {
  return LineHeight > 0 ? (TextArea().Height() + LineHeight - 1) / LineHeight : 0;
}

}  // namespace kv
