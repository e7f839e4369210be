#include "tools/Gradient.h"

#include <QPaintEvent>
#include <QPainter>
#include <QWidget>

#include "platform/FontMap.h"
#include "tools/core/Gradient.h"

namespace kv {

namespace {

class TGradientPeer : public QWidget {
 public:
  void SetControl(TGradient* control) { control_ = control; }

 protected:
  void paintEvent(QPaintEvent* e) override {
    if (!control_) return;
    const QImage& picture = control_->Picture();
    if (picture.isNull()) return;
    QPainter p(this);
    p.drawImage(e->rect(), picture, e->rect());
  }

 private:
  TGradient* control_ = nullptr;
};

}  // namespace

KV_DEFINE_CLASS(
    TGradient, TControl,
    {prop::Integer<TGradient>("BeginColor", &TGradient::BeginColor, &TGradient::SetBeginColor),
     prop::Integer<TGradient>("EndColor", &TGradient::EndColor, &TGradient::SetEndColor),
     prop::Integer<TGradient>("NumberOfColors", &TGradient::NumberOfColors,
                              &TGradient::SetNumberOfColors)})

TGradient::TGradient(TComponent* owner) : TControl(owner, new TGradientPeer) {
  auto* peer = static_cast<TGradientPeer*>(Peer());
  peer->SetControl(this);
  peer->setAttribute(Qt::WA_OpaquePaintEvent);
  peer->setFocusPolicy(Qt::NoFocus);
}

void TGradient::SetBeginColor(TColor color) {
  if (color == beginColor_) return;
  beginColor_ = color;
  Changed();
}

void TGradient::SetEndColor(TColor color) {
  if (color == endColor_) return;
  endColor_ = color;
  Changed();
}

void TGradient::SetStyle(TGradientStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TGradient::SetNumberOfColors(int count) {
  if (count == numberOfColors_) return;
  numberOfColors_ = count;
  Changed();
}

void TGradient::Changed() {
  stale_ = true;
  Peer()->update();
}

const QImage& TGradient::Picture() {
  const QSize size = Peer()->size();
  if (!stale_ && picture_.size() == size) return picture_;
  stale_ = false;
  if (size.isEmpty()) {
    picture_ = QImage();
    return picture_;
  }
  ++renderCount_;
  picture_ = QImage(size, QImage::Format_RGB32);
  QPainter p(&picture_);
  const bool vertical = style_ == TGradientStyle::gsVertical;
  const int length = vertical ? size.height() : size.width();
  for (const TGradientBand& band :
       GradientBands(length, ColorToRGB(beginColor_), ColorToRGB(endColor_), numberOfColors_)) {
    const int extent = band.Bottom - band.Top;
    const QRect r = vertical ? QRect(0, band.Top, size.width(), extent)
                             : QRect(band.Top, 0, extent, size.height());
    p.fillRect(r, ToQColor(band.Color));
  }
  return picture_;
}

}  // namespace kv
