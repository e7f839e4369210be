// An image list: equally sized pictures cut from one strip, addressed by index.
#pragma once

#include <QPixmap>
#include <vector>

#include "platform/classes/Classes.h"

namespace kv {

class TImageList : public TComponent {
  KV_DECLARE_CLASS()
  explicit TImageList(TComponent* owner, int width = 16, int height = 16);
  int Width() const { return width_; }
  int Height() const { return height_; }
  int Count() const { return static_cast<int>(images_.size()); }
  // Cuts the strip into images of Width x Height, left to right.
  void AddStrip(const QPixmap& strip);
  void AddImage(const QPixmap& image) { images_.push_back(image); }
  // An empty pixmap for an index without a picture.
  QPixmap Image(int index) const;

 private:
  int width_, height_;
  std::vector<QPixmap> images_;
};

}  // namespace kv
