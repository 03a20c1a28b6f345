// Mouse actions on the tray icon: a right click opens 托盘菜单.
#pragma once

#include "app/os_services.h"
#include "settings/tray_ports.h"

namespace tovanel::settings {

// Tray mouse actions as the window reports them.
enum TrayAction : int {
    kTrayLeftButtonUp = 1,
    kTrayLeftDoubleClick = 2,
    kTrayRightButtonUp = 3,
};

// The menu's top-right corner lies this far left of and above the cursor.
inline constexpr int32_t kTrayMenuOffset = 5;

// Where the click before the tray menu would go: the cursor's screen
// position taken as an offset from the panel's client origin.
ScreenPoint TrayClickPoint(ScreenPoint client_origin, ScreenPoint cursor);

class TrayMenu {
  public:
    TrayMenu(PointerInput& pointer, TrayMenuHost& host, app::OsServices& os)
        : pointer_(pointer), host_(host), os_(os) {}

    // Handler of the tray icon's mouse actions.
    void OnTrayEvent(int action);

  private:
    PointerInput& pointer_;
    TrayMenuHost& host_;
    app::OsServices& os_;
};

}  // namespace tovanel::settings
