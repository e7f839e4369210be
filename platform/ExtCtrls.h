// Panels, pictures, bevels, scroll boxes and the timer.
#pragma once

#include <QImage>

#include "platform/Controls.h"
#include "support/HostPath.h"

class QLabel;
class QScrollArea;
class QTimer;

namespace kv {

enum class TBevelCut { bvNone, bvLowered, bvRaised };

class TPanel : public TControl {
  KV_DECLARE_CLASS()
  explicit TPanel(TComponent* owner);
  void SetBevel(TBevelCut outer, TBevelCut inner = TBevelCut::bvNone);
  // Tiles a picture behind the panel's children (the control bar's background).
  void SetBackgroundPicture(const QImage& picture);

 protected:
  void CaptionChanged() override;
  void ColorChanged() override;
};

// A picture. JPEG files are decoded with libjpeg; a missing or broken file raises the
// framework's file error naming the path.
class TImage : public TControl {
  KV_DECLARE_CLASS()
  explicit TImage(TComponent* owner);
  void LoadFromJpegFile(const THostPath& path);
  void LoadFromJpegBytes(const QByteArray& bytes, const std::string& nameForErrors);
  void SetPicture(const QImage& image);
  const QImage& Picture() const { return picture_; }
  bool AutoSize = false;
  bool Stretch = false;
  bool Center = false;

 protected:
  bool TakesClicks() const override { return static_cast<bool>(OnClick); }
  // A picture has no caption: screen readers name it by its hint.
  void HintChanged() override;

 private:
  QLabel* Label() const;
  QImage picture_;
};

enum class TBevelShape { bsBox, bsFrame, bsTopLine, bsBottomLine, bsLeftLine, bsRightLine };

class TBevel : public TControl {
  KV_DECLARE_CLASS()
  explicit TBevel(TComponent* owner);
  void SetShape(TBevelShape shape);
};

class TScrollBox : public TControl {
  KV_DECLARE_CLASS()
  explicit TScrollBox(TComponent* owner);
  QWidget* ClientWidget() const override;

 protected:
  void ColorChanged() override;

 private:
  QScrollArea* Area() const;
  QWidget* content_;
};

// A timer: OnTimer every Interval milliseconds while Enabled.
class TTimer : public TComponent {
  KV_DECLARE_CLASS()
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  int Interval() const { return interval_; }
  void SetInterval(int ms);
  TNotifyEvent OnTimer;

 private:
  void Restart();
  QTimer* timer_;
  bool enabled_ = true;
  int interval_ = 1000;
};

}  // namespace kv
