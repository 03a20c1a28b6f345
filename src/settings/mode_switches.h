// The switches that live in the panel itself: the send-mode radio buttons
// and the menu item "显示托盘图标".
#pragma once

#include "app/app_state.h"
#include "app/panel_controls.h"
#include "settings/store_setting.h"
#include "settings/tray_icon.h"

namespace tovanel::settings {

class ModeSwitches {
  public:
    ModeSwitches(app::AppState& state, app::PanelControls& panel, TrayIcon& tray,
                 SettingsWriter& writer)
        : state_(state), panel_(panel), tray_(tray), writer_(writer) {}

    // Click on 单选框粘贴 "只是粘贴".
    void SelectPasteOnly();
    // Click on 单选框发送 "一键发送".
    void SelectPasteAndSend();
    // "显示托盘图标" in 右键菜单.
    void ToggleTrayIcon();

  private:
    app::AppState& state_;
    app::PanelControls& panel_;
    TrayIcon& tray_;
    SettingsWriter& writer_;
};

}  // namespace tovanel::settings
