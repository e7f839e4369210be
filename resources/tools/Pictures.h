// The larger pictures: the header strip and the about picture beside the program, the control
// bar background and the two showcase advertisements stored with the windows.
#pragma once

#include <QImage>

namespace kv::art {

enum class TAdLanguage { German, English };

QImage HeaderPicture();                        // 1600 x 40
QImage AboutPicture();                         // 234 x 105
QImage ControlBarPicture();                    // 64 x 40, tiled sideways
QImage ShowcasePicture(TAdLanguage language);  // 987 x 665

}  // namespace kv::art
