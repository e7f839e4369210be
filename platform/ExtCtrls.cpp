#include "platform/ExtCtrls.h"

#include <QFrame>
#include <QLabel>
#include <QScrollArea>
#include <QTimer>

#include "platform/FontMap.h"
#include "platform/Jpeg.h"
#include "platform/QtText.h"
#include "platform/classes/Exception.h"

namespace kv {

// ---- TPanel -----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TPanel, TControl, {})

TPanel::TPanel(TComponent* owner) : TControl(owner, new QFrame) {
  Peer()->setAutoFillBackground(true);
  SetBevel(TBevelCut::bvRaised);
}

void TPanel::SetBevel(TBevelCut outer, TBevelCut inner) {
  auto* f = static_cast<QFrame*>(Peer());
  TBevelCut cut = outer != TBevelCut::bvNone ? outer : inner;
  f->setFrameShape(cut == TBevelCut::bvNone ? QFrame::NoFrame : QFrame::Panel);
  f->setFrameShadow(cut == TBevelCut::bvLowered ? QFrame::Sunken : QFrame::Raised);
  f->setLineWidth(1);
}

void TPanel::SetBackgroundPicture(const QImage& picture) {
  if (picture.isNull()) return;
  QPalette p = Peer()->palette();
  p.setBrush(QPalette::Window, QBrush(QPixmap::fromImage(picture)));
  Peer()->setPalette(p);
}

void TPanel::CaptionChanged() {
  Peer()->setAccessibleName(ToQ(Caption()));
}

void TPanel::ColorChanged() {
  QPalette p = Peer()->palette();
  p.setColor(QPalette::Window, ToQColor(Color()));
  Peer()->setPalette(p);
}

// ---- TImage -----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TImage, TControl, {})

TImage::TImage(TComponent* owner) : TControl(owner, new QLabel) {
  Label()->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

QLabel* TImage::Label() const {
  return static_cast<QLabel*>(Peer());
}

void TImage::HintChanged() {
  Peer()->setAccessibleName(ToQ(Hint()));
}

void TImage::LoadFromJpegFile(const THostPath& path) {
  QString error;
  QImage image = LoadJpegFile(path, &error);
  if (image.isNull()) {
    // The decoder's message already names the file (the framework's file-open text when it is
    // missing).
    throw EFOpenError(error.isEmpty() ? FrameworkText::FileOpenError(path) : FromQ(error));
  }
  SetPicture(image);
}

void TImage::LoadFromJpegBytes(const QByteArray& bytes, const std::string& nameForErrors) {
  QString error;
  QImage image = DecodeJpeg(bytes, &error);
  if (image.isNull()) throw EConvertError(nameForErrors + ": " + FromQ(error));
  SetPicture(image);
}

void TImage::SetPicture(const QImage& image) {
  picture_ = image;
  QPixmap pm = QPixmap::fromImage(image);
  Label()->setScaledContents(Stretch);
  Label()->setAlignment(Center ? Qt::AlignCenter : (Qt::AlignLeft | Qt::AlignTop));
  Label()->setPixmap(pm);
  if (AutoSize) SetBounds(Left(), Top(), image.width(), image.height());
}

// ---- TBevel -----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TBevel, TControl, {})

TBevel::TBevel(TComponent* owner) : TControl(owner, new QFrame) {
  SetShape(TBevelShape::bsBox);
}

void TBevel::SetShape(TBevelShape shape) {
  auto* f = static_cast<QFrame*>(Peer());
  switch (shape) {
    case TBevelShape::bsTopLine:
    case TBevelShape::bsBottomLine:
      f->setFrameShape(QFrame::HLine);
      break;
    case TBevelShape::bsLeftLine:
    case TBevelShape::bsRightLine:
      f->setFrameShape(QFrame::VLine);
      break;
    default:
      f->setFrameShape(QFrame::Box);
      break;
  }
  f->setFrameShadow(QFrame::Sunken);
}

// ---- TScrollBox -------------------------------------------------------------------------------

KV_DEFINE_CLASS(TScrollBox, TControl, {})

TScrollBox::TScrollBox(TComponent* owner)
    : TControl(owner, new QScrollArea), content_(new QWidget) {
  Area()->setWidget(content_);
  Area()->setWidgetResizable(true);
  Area()->setFrameShape(QFrame::NoFrame);
  WatchWidget(content_);
}

QScrollArea* TScrollBox::Area() const {
  return static_cast<QScrollArea*>(Peer());
}
QWidget* TScrollBox::ClientWidget() const {
  return content_;
}

void TScrollBox::ColorChanged() {
  QPalette p = content_->palette();
  p.setColor(QPalette::Window, ToQColor(Color()));
  content_->setPalette(p);
  content_->setAutoFillBackground(true);
}

// ---- TTimer -----------------------------------------------------------------------------------

KV_DEFINE_CLASS(TTimer, TComponent,
                {prop::Boolean<TTimer>("Enabled", &TTimer::Enabled, &TTimer::SetEnabled),
                 prop::Integer<TTimer>("Interval", &TTimer::Interval, &TTimer::SetInterval)})

TTimer::TTimer(TComponent* owner) : TComponent(owner), timer_(new QTimer) {
  QObject::connect(timer_, &QTimer::timeout, timer_, [this] {
    if (OnTimer) SafeCall([this] { OnTimer(this); });
  });
  Restart();
}

TTimer::~TTimer() {
  delete timer_;
}

void TTimer::SetEnabled(bool enabled) {
  enabled_ = enabled;
  Restart();
}

void TTimer::SetInterval(int ms) {
  interval_ = ms;
  Restart();
}

void TTimer::Restart() {
  timer_->stop();
  if (enabled_ && interval_ > 0) timer_->start(interval_);
}

}  // namespace kv
