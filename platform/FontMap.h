// Windows face names as the windows and translation tables use them, mapped to installed fonts
// in one place, and a TFont turned into a QFont.
#pragma once

#include <QColor>
#include <QFont>
#include <string>

#include "platform/classes/Graphics.h"

namespace kv {

// The installed family that stands for a Windows face name ("Microsoft Sans Serif" ->
// "Liberation Sans", "FixedSys" -> "DejaVu Sans Mono", ...); an unknown name passes through.
QString MapFaceName(const std::string& windowsFace);
QFont ToQFont(const TFont& font);
// True when the face lays out every character in the same width (measured, not by name).
bool IsFixedPitchFace(const std::string& windowsFace);
QColor ToQColor(TColor color);
TColor FromQColor(const QColor& color);

}  // namespace kv
