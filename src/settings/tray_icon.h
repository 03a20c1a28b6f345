// The notification-area icon as the switches use it; the frame owns it.
#pragma once

namespace tovanel::settings {

class TrayIcon {
  public:
    virtual ~TrayIcon() = default;
    // Shows the icon, or refreshes it when it is already there.
    virtual void ShowTrayIcon() = 0;
    // Removes the icon if one is shown.
    virtual void RemoveTrayIcon() = 0;
};

}  // namespace tovanel::settings
