// What the paint benchmarks share: markup to fill the editor with, and the control configured
// as the HTML source window configures it, sized to show a number of rows and columns.
#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <string>

#include "editor/core/MemoStyler.h"
#include "editor/view/CodeMemo.h"

namespace kv::bench {

// A line of table markup with attributes, strings, numbers, an address and a comment, at least
// 200 characters long, varied by n.
std::string HtmlLine(int n);
// count such lines, each ending in CR LF.
std::string HtmlLines(int count);

class TBenchMemo {
 public:
  TBenchMemo(const std::string& text, int rows, int cols);
  ~TBenchMemo();
  TCodeMemo& Control() { return memo_; }
  TCustomCodeMemo& Model() { return memo_.Memo(); }
  QFont Font();
  QSize Size() const { return image_.size(); }
  // What a paint event does for the whole window (the scroll bars paint themselves apart).
  void Paint();
  // The widget rendered as a paint event of the window system would draw it, bars included.
  void Render();
  const QImage& Image() const { return image_; }

 private:
  THTMLMemoStyler styler_{nullptr};
  TCodeMemo memo_;
  QImage image_;
};

}  // namespace kv::bench
