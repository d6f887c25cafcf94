#pragma once

#include <Qt>

// Keys, shift states and mouse buttons in the numbers the window handlers
// compare with: key codes 13 Enter, 27 Escape, 37–40 the arrows, 46 Delete,
// 48–57 digits, 65–90 letters, 112–123 F1–F12; shift state 1 Shift, 2 Ctrl,
// 4 Alt; buttons 1 left, 2 right, 4 middle.
namespace VbInput {

constexpr int KeyBack = 8;
constexpr int KeyTab = 9;
constexpr int KeyReturn = 13;
constexpr int KeyEscape = 27;
constexpr int KeyLeft = 37;
constexpr int KeyUp = 38;
constexpr int KeyRight = 39;
constexpr int KeyDown = 40;
constexpr int KeyDelete = 46;
constexpr int KeyF2 = 113;

constexpr int ShiftMask = 1;
constexpr int CtrlMask = 2;
constexpr int AltMask = 4;

constexpr int LeftButton = 1;
constexpr int RightButton = 2;
constexpr int MiddleButton = 4;

// 0 for a key that has no code of its own.
int KeyCode(int qtKey);
int ShiftState(Qt::KeyboardModifiers modifiers);
int Button(Qt::MouseButtons buttons);

} // namespace VbInput
