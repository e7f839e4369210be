// Colours, character sets and fonts as plain data. Colours are 0x00BBGGRR; clNone stands for
// a control's background; system colours are 0xFF000000 + the system colour index. The Qt
// layer maps face names to installed fonts when it applies a TFont to a widget.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "platform/classes/Classes.h"
#include "platform/classes/Strings.h"

namespace kv {

using TColor = std::int32_t;

constexpr TColor clBlack = 0x000000, clMaroon = 0x000080, clGreen = 0x008000, clOlive = 0x008080,
                 clNavy = 0x800000, clPurple = 0x800080, clTeal = 0x808000, clGray = 0x808080,
                 clSilver = 0xC0C0C0, clRed = 0x0000FF, clLime = 0x00FF00, clYellow = 0x00FFFF,
                 clBlue = 0xFF0000, clFuchsia = 0xFF00FF, clAqua = 0xFFFF00, clWhite = 0xFFFFFF;
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;
constexpr TColor SystemColor(int index) {
  return static_cast<TColor>(0xFF000000u | static_cast<unsigned>(index));
}
constexpr TColor clScrollBar = SystemColor(0), clBackground = SystemColor(1),
                 clActiveCaption = SystemColor(2), clWindow = SystemColor(5),
                 clWindowFrame = SystemColor(6), clWindowText = SystemColor(8),
                 clHighlight = SystemColor(13), clHighlightText = SystemColor(14),
                 clBtnFace = SystemColor(15), clBtnShadow = SystemColor(16),
                 clGrayText = SystemColor(17), clBtnText = SystemColor(18),
                 clBtnHighlight = SystemColor(20), clInfoBk = SystemColor(24);

// Resolves system colours to the RGB values of the classic Windows scheme; others unchanged.
TColor ColorToRGB(TColor color);
constexpr int GetRValue(TColor c) {
  return c & 0xFF;
}
constexpr int GetGValue(TColor c) {
  return (c >> 8) & 0xFF;
}
constexpr int GetBValue(TColor c) {
  return (c >> 16) & 0xFF;
}
constexpr TColor RGB(int r, int g, int b) {
  return (r & 0xFF) | ((g & 0xFF) << 8) | ((b & 0xFF) << 16);
}

using TFontCharset = std::uint8_t;
constexpr TFontCharset ANSI_CHARSET = 0, DEFAULT_CHARSET = 1, SYMBOL_CHARSET = 2, OEM_CHARSET = 255;

enum TFontStyle : unsigned { fsBold = 1, fsItalic = 2, fsUnderline = 4, fsStrikeOut = 8 };
using TFontStyles = unsigned;
enum class TFontPitch { fpDefault, fpVariable, fpFixed };

// Screen density the program lays out for; Size and Height convert through it.
constexpr int kPixelsPerInch = 96;

class TFont : public TPersistent {
  KV_DECLARE_CLASS()
  TFont() = default;

  const std::string& Name() const { return name_; }
  void SetName(const std::string& name);
  int Height() const { return height_; }  // negative: character height in pixels
  void SetHeight(int height);
  int Size() const;  // points
  void SetSize(int size);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles style);
  TFontCharset Charset() const { return charset_; }
  void SetCharset(TFontCharset charset);
  TFontPitch Pitch() const { return pitch_; }
  void SetPitch(TFontPitch pitch);

  void Assign(const TPersistent* source) override;
  bool SameAs(const TFont& other) const;

  TNotifyEvent OnChange;

 private:
  void Changed();
  std::string name_ = "MS Sans Serif";
  int height_ = -11;
  TColor color_ = clWindowText;
  TFontStyles style_ = 0;
  TFontCharset charset_ = DEFAULT_CHARSET;
  TFontPitch pitch_ = TFontPitch::fpDefault;
};

}  // namespace kv
