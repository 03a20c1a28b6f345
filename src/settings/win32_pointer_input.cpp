#include "settings/win32_pointer_input.h"

#include <windows.h>

namespace tovanel::settings {

ScreenPoint Win32PointerInput::CursorPosition() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

void Win32PointerInput::ClickAt(ScreenPoint point) {
    POINT saved{};
    GetCursorPos(&saved);
    SetCursorPos(point.x, point.y);
    // Press and release where the cursor now stands, then put it back.
    mouse_event(MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    SetCursorPos(saved.x, saved.y);
}

}  // namespace tovanel::settings
