// What a right click on the tray icon needs: the mouse, and the panel as the
// host of the tray menu.
#pragma once

#include <cstdint>

namespace tovanel::settings {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
};

inline bool operator==(ScreenPoint a, ScreenPoint b) {
    return a.x == b.x && a.y == b.y;
}

class PointerInput {
  public:
    virtual ~PointerInput() = default;
    virtual ScreenPoint CursorPosition() = 0;
    // A left click at `point`; the cursor then returns to where it was.
    virtual void ClickAt(ScreenPoint point) = 0;
};

class TrayMenuHost {
  public:
    virtual ~TrayMenuHost() = default;
    // The screen position of the panel's client-area origin.
    virtual ScreenPoint ClientOrigin() const = 0;
    // True when a click at `point` would reach the panel's own background:
    // the panel is shown there, on a screen, and neither another window nor
    // one of its controls lies at that point.
    virtual bool ReceivesClickAt(ScreenPoint point) const = 0;
    // Brings the panel to the foreground, shows 托盘菜单 right-aligned at
    // `anchor` and, once it has closed, posts the panel a null message.
    virtual void PopUpTrayMenu(ScreenPoint anchor) = 0;
};

}  // namespace tovanel::settings
