#include "settings/win32_pointer_input.h"

#include <windows.h>

#include "automation/win32_automation.h"

namespace tovanel::settings {

ScreenPoint Win32PointerInput::CursorPosition() {
    POINT cursor{};
    GetCursorPos(&cursor);
    return {cursor.x, cursor.y};
}

// No window: the point is on the screen, and the cursor goes back afterwards.
void Win32PointerInput::ClickAt(ScreenPoint point) {
    automation::ClickAt(nullptr, point.x, point.y);
}

}  // namespace tovanel::settings
