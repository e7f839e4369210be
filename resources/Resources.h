// Pictures compiled into the program (Qt resource system). Call InitResources() once, early in
// main(): the resources live in a static library, whose registration the linker would otherwise
// drop.
//
// Resource paths:
//   :/kavelin/toolbar.png     the toolbar's image list, 21 images of 16 x 16 side by side
//   :/kavelin/menu.png        the main menu's image list, 24 images of 16 x 16 side by side
//   :/kavelin/controlbar.jpg  the control bar's background (64 x 40, tiled sideways)
//   :/kavelin/werbung_de.jpg  the showcase window's German advertisement (987 x 665)
//   :/kavelin/werbung_en.jpg  the showcase window's English advertisement (987 x 665)
// The JPEGs are read as bytes and decoded with kv::DecodeJpeg (platform/Jpeg.h).
#pragma once

#include <QByteArray>
#include <QPixmap>
#include <QString>

namespace kv {

namespace ResourcePath {
inline const QString ToolbarImages = QStringLiteral(":/kavelin/toolbar.png");
inline const QString MenuImages = QStringLiteral(":/kavelin/menu.png");
inline const QString ControlBarBackground = QStringLiteral(":/kavelin/controlbar.jpg");
inline const QString ShowcaseGerman = QStringLiteral(":/kavelin/werbung_de.jpg");
inline const QString ShowcaseEnglish = QStringLiteral(":/kavelin/werbung_en.jpg");
}  // namespace ResourcePath

inline constexpr int ImageListSize = 16;  // width and height of every list image
inline constexpr int ToolbarImageCount = 21;
inline constexpr int MenuImageCount = 24;

// Registers the compiled-in resources; calling it again does nothing.
void InitResources();

// The bytes of a compiled-in resource; empty when there is no such resource.
QByteArray ResourceBytes(const QString& path);

// One image of the toolbar's or the menu's list by its number; a null pixmap for a number
// outside the list. Needs a QGuiApplication, as every QPixmap does.
QPixmap ToolbarImage(int index);
QPixmap MenuImage(int index);

}  // namespace kv
