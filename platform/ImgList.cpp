#include "platform/ImgList.h"

namespace kv {

KV_DEFINE_CLASS(TImageList, TComponent, {})

TImageList::TImageList(TComponent* owner, int width, int height)
    : TComponent(owner), width_(width), height_(height) {}

void TImageList::AddStrip(const QPixmap& strip) {
  for (int x = 0; x + width_ <= strip.width(); x += width_)
    images_.push_back(strip.copy(x, 0, width_, height_));
}

QPixmap TImageList::Image(int index) const {
  if (index < 0 || index >= Count()) return QPixmap();
  return images_[index];
}

}  // namespace kv
