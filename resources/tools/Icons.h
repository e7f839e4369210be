// The 16 x 16 icons of the toolbar and of the main menu, drawn as image strips (all images of a
// list side by side, in list order).
#pragma once

#include <QImage>
#include <QString>
#include <vector>

namespace kv::art {

inline constexpr int IconSize = 16;
inline constexpr int ToolbarIconCount = 21;
inline constexpr int MenuIconCount = 24;

QImage ToolbarStrip();
QImage MenuStrip();

// Single icons for the help page, named after what they stand for.
struct TNamedIcon {
  QString Name;
  QImage Image;
};
std::vector<TNamedIcon> HelpIcons();

}  // namespace kv::art
