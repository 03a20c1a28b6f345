// The mouse on Win32, for the click before the tray menu.
#pragma once

#include "settings/tray_ports.h"

namespace tovanel::settings {

class Win32PointerInput final : public PointerInput {
  public:
    ScreenPoint CursorPosition() override;
    void ClickAt(ScreenPoint point) override;
};

}  // namespace tovanel::settings
