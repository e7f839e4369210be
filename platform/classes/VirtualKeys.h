// Windows virtual-key codes, shift bits and message numbers: the codes the windows' key
// handlers and the code editor compare with (27 Esc, 113 F2, 70 F ...). No toolkit here.
#pragma once

namespace kv {

using TShiftState = unsigned;
constexpr TShiftState ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32,
                      ssDouble = 64;

enum : int {
  VK_BACK = 8,
  VK_TAB = 9,
  VK_RETURN = 13,
  VK_SHIFT = 16,
  VK_CONTROL = 17,
  VK_MENU = 18,
  VK_ESCAPE = 27,
  VK_SPACE = 32,
  VK_PRIOR = 33,
  VK_NEXT = 34,
  VK_END = 35,
  VK_HOME = 36,
  VK_LEFT = 37,
  VK_UP = 38,
  VK_RIGHT = 39,
  VK_DOWN = 40,
  VK_INSERT = 45,
  VK_DELETE = 46,
  VK_A = 'A',
  VK_C = 'C',
  VK_F = 'F',
  VK_H = 'H',
  VK_V = 'V',
  VK_X = 'X',
  VK_Y = 'Y',
  VK_Z = 'Z',
  VK_F1 = 112,
  VK_F2 = 113,
  VK_F3 = 114,
  VK_F12 = 123
};

constexpr int WM_KEYDOWN = 0x0100;
constexpr int WM_RBUTTONDOWN = 0x0204;
constexpr int WM_RBUTTONUP = 0x0205;

}  // namespace kv
