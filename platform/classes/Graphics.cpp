#include "platform/classes/Graphics.h"

#include <cmath>

namespace kv {

TColor ColorToRGB(TColor color) {
  if ((static_cast<std::uint32_t>(color) & 0xFF000000u) != 0xFF000000u) return color;
  // The classic (Windows 2000) scheme: the colours the program was designed against.
  static const TColor kSystem[] = {
      RGB(212, 208, 200), RGB(58, 110, 165),  RGB(10, 36, 106),   RGB(128, 128, 128),
      RGB(212, 208, 200), RGB(255, 255, 255), RGB(0, 0, 0),       RGB(0, 0, 0),
      RGB(0, 0, 0),       RGB(255, 255, 255), RGB(212, 208, 200), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(10, 36, 106),   RGB(255, 255, 255), RGB(212, 208, 200),
      RGB(128, 128, 128), RGB(128, 128, 128), RGB(0, 0, 0),       RGB(212, 208, 200),
      RGB(255, 255, 255), RGB(64, 64, 64),    RGB(212, 208, 200), RGB(0, 0, 0),
      RGB(255, 255, 225)};
  unsigned index = static_cast<std::uint32_t>(color) & 0xFFu;
  if (index < sizeof kSystem / sizeof kSystem[0]) return kSystem[index];
  return clBlack;
}

KV_DEFINE_CLASS(TFont, TPersistent,
                {prop::Integer<TFont>("Charset", &TFont::Charset, &TFont::SetCharset),
                 prop::Integer<TFont>("Color", &TFont::Color, &TFont::SetColor),
                 prop::Integer<TFont>("Height", &TFont::Height, &TFont::SetHeight),
                 prop::String<TFont>("Name", &TFont::Name, &TFont::SetName),
                 prop::Ordinal<TFont>("Pitch", tkEnumeration, &TFont::Pitch, &TFont::SetPitch),
                 prop::Integer<TFont>("Size", &TFont::Size, &TFont::SetSize),
                 prop::Ordinal<TFont>("Style", tkSet, &TFont::Style, &TFont::SetStyle)})

void TFont::Changed() {
  if (OnChange) OnChange(this);
}

void TFont::SetName(const std::string& name) {
  if (name.empty() || name == name_) return;
  name_ = name;
  Changed();
}

void TFont::SetHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

int TFont::Size() const {
  return -static_cast<int>(std::lround(height_ * 72.0 / kPixelsPerInch));
}

void TFont::SetSize(int size) {
  SetHeight(-static_cast<int>(std::lround(size * kPixelsPerInch / 72.0)));
}

void TFont::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TFont::SetStyle(TFontStyles style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TFont::SetCharset(TFontCharset charset) {
  if (charset == charset_) return;
  charset_ = charset;
  Changed();
}

void TFont::SetPitch(TFontPitch pitch) {
  if (pitch == pitch_) return;
  pitch_ = pitch;
  Changed();
}

bool TFont::SameAs(const TFont& o) const {
  return name_ == o.name_ && height_ == o.height_ && color_ == o.color_ && style_ == o.style_ &&
         charset_ == o.charset_ && pitch_ == o.pitch_;
}

void TFont::Assign(const TPersistent* source) {
  if (auto* f = dynamic_cast<const TFont*>(source)) {
    if (f == this) return;
    name_ = f->name_;
    height_ = f->height_;
    color_ = f->color_;
    style_ = f->style_;
    charset_ = f->charset_;
    pitch_ = f->pitch_;
    // Assigning always notifies: the owner re-applies the font, as the framework does.
    Changed();
    return;
  }
  TPersistent::Assign(source);
}

}  // namespace kv
