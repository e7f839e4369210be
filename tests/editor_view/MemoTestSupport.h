// Shared pieces of the editor control's tests: the application object, a control configured as
// the HTML source window configures it, and rendering it into an image.
#pragma once

#include <QImage>
#include <memory>
#include <string>

#include "editor/core/MemoStyler.h"
#include "editor/view/CodeMemo.h"

namespace kv::test {

// A control with the HTML styler, the gutter and colours of the source window, sized to show
// rows lines of cols characters.
class MemoFixtureBase {
 public:
  MemoFixtureBase();
  virtual ~MemoFixtureBase();

  void SetText(const std::string& text);
  // Client size for the given number of whole rows and columns (no scroll bars).
  void SizeFor(int rows, int cols);
  // The control painted into an image, its scroll bars included.
  QImage Render();
  // Shows the control in a window of its own and gives it the focus.
  bool Focus();
  QRgb ColorAt(const QImage& img, int x, int y) const { return img.pixel(x, y) & 0xFFFFFF; }
  // Pixel of a cell (view column, view row), dx/dy pixels into it.
  QPoint CellPixel(int viewCol, int viewRow, int dx = 0, int dy = 0) const;

  THTMLMemoStyler Styler{nullptr};
  std::unique_ptr<TCodeMemo> Memo;
};

QRgb ToRgb(TColor color);

}  // namespace kv::test
