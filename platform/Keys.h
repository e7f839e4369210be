// Qt's keys turned into the Windows virtual-key codes and shift state the handlers compare with.
#pragma once

#include <Qt>

#include "platform/classes/VirtualKeys.h"

namespace kv {

// 0 for keys without a virtual-key code of interest.
int VirtualKeyFromQt(int qtKey);
TShiftState ShiftFromQt(Qt::KeyboardModifiers modifiers);

}  // namespace kv
