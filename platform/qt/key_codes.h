#pragma once

#include <Qt>

namespace humo::qt {

// The window system's virtual key code for a Qt key (F1 is 112, A is 65); 0 for keys the
// program has no code for.
int virtual_key_code(int qt_key);
// The shift state as the program sees it: Shift 1, Ctrl 2, Alt 4, added together.
int shift_state(Qt::KeyboardModifiers modifiers);
// The mouse button as the program sees it: left 1, right 2, middle 4.
int mouse_button_code(Qt::MouseButton button);

}  // namespace humo::qt
