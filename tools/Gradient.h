// The gradient background of the source window and the showcase window's header: full-width
// bands from a start colour to an end colour. The picture is computed off-screen only when the
// size, the colours, the style or the step count changed, and copied on every paint.
#pragma once

#include <QImage>

#include "platform/Controls.h"

namespace kv {

enum class TGradientStyle { gsVertical, gsHorizontal };

class TGradient : public TControl {
  KV_DECLARE_CLASS()
  explicit TGradient(TComponent* owner);

  TColor BeginColor() const { return beginColor_; }
  void SetBeginColor(TColor color);
  TColor EndColor() const { return endColor_; }
  void SetEndColor(TColor color);
  TGradientStyle Style() const { return style_; }
  void SetStyle(TGradientStyle style);
  // The most bands (fewer when the control is smaller than this many pixels).
  int NumberOfColors() const { return numberOfColors_; }
  void SetNumberOfColors(int count);

  // The picture for the control's size as it is now, computed when something changed.
  const QImage& Picture();
  // How often the picture was computed (tests watch the cache through it).
  int RenderCount() const { return renderCount_; }

 private:
  void Changed();
  TColor beginColor_ = clWhite;
  TColor endColor_ = clBlack;
  TGradientStyle style_ = TGradientStyle::gsVertical;
  int numberOfColors_ = 100;
  QImage picture_;
  bool stale_ = true;
  int renderCount_ = 0;
};

}  // namespace kv
