// The program's icon for the desktop (menus, task bar, file managers): the logo mark of the
// header picture, as PNGs at the sizes of the hicolor theme and as a scalable SVG drawn from the
// same shapes.
#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>
#include <vector>

namespace kv::art {

// The name the icon is installed under (the desktop entry's Icon=).
inline constexpr const char* AppIconName = "com.varento.kavelin";

// The pixel sizes installed as PNG.
std::vector<int> AppIconSizes();

// The icon at size x size pixels; small sizes keep its edges on whole pixels.
QImage AppIconImage(int size);

// The same icon as an SVG document (a 256 x 256 view box).
QByteArray AppIconSvg();

// Writes the PNGs and the SVG below desktopFolder in the theme's layout
// (icons/hicolor/<n>x<n>/apps/, icons/hicolor/scalable/apps/); false when one cannot be written.
bool WriteAppIcons(const QString& desktopFolder);

}  // namespace kv::art
