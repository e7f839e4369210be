// Translator test mode: untranslated cells show a distorted copy of the first language so that
// missing translations and too-narrow controls stand out. Off unless a dispatcher enables it.
#pragma once

#include <functional>
#include <string>

#include "platform/classes/Classes.h"

namespace kv {

enum class TTestModeKind { tmkExpandWidth = 0, tmkFlipCase = 1, tmkExpandChars = 2 };

class TTestModeInfo : public TPersistent {
  KV_DECLARE_CLASS()
  bool Active = false;
  TTestModeKind Kind = TTestModeKind::tmkExpandWidth;
  int ExpandWidthPercent = 100;
  int ExpandCharsPercent = 100;
  char PaddingChar = '*';
  void Assign(const TPersistent* source) override;
};

// Width of a text in an 8-point "Tahoma" on the screen. The visual layer installs a measuring
// function; without one an average glyph width stands in.
using TTextWidthFunction = std::function<int(const std::string& text)>;
void SetTextWidthFunction(TTextWidthFunction measure);
int MeasureTestModeText(const std::string& text);

std::string PseudoTranslate(const std::string& text, const TTestModeInfo& info);

}  // namespace kv
