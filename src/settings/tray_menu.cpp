#include "settings/tray_menu.h"

namespace tovanel::settings {

ScreenPoint TrayClickPoint(ScreenPoint client_origin, ScreenPoint cursor) {
    return {client_origin.x + cursor.x, client_origin.y + cursor.y};
}

void TrayMenu::OnTrayEvent(int action) {
    if (action != kTrayRightButtonUp) return;
    const ScreenPoint cursor = pointer_.CursorPosition();
    // For an icon at the screen's bottom right the point lies off the screen,
    // and a click clamped to the corner would hit the taskbar's "Show
    // desktop": click only where the panel itself receives it.
    const ScreenPoint click = TrayClickPoint(host_.ClientOrigin(), cursor);
    if (host_.ReceivesClickAt(click)) {
        pointer_.ClickAt(click);
        // The click waits in this thread's own queue; handled now, it cannot
        // close the menu that follows as a click outside it.
        os_.PumpPendingMessages();
    }
    host_.PopUpTrayMenu({cursor.x - kTrayMenuOffset, cursor.y - kTrayMenuOffset});
}

}  // namespace tovanel::settings
