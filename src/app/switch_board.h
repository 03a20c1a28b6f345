// The switches of the panel, its menus and its tray icon, wired to the
// handlers that flip them.
#pragma once

#include <string>

#include "app/app_state.h"
#include "app/autostart.h"
#include "app/os_services.h"
#include "app/panel_controls.h"
#include "app/panel_switch.h"
#include "app/plug_ins.h"
#include "settings/document_shell.h"
#include "settings/mode_switches.h"
#include "settings/store_setting.h"
#include "settings/tray_icon.h"
#include "settings/tray_menu.h"
#include "settings/tray_ports.h"
#include "settings/visibility_switches.h"
#include "store/record_store.h"

namespace tovanel::app {

// The ports the switches act through.
struct SwitchPorts {
    PanelControls& panel;
    settings::TrayIcon& tray_icon;
    PlugIns& plug_ins;
    OsServices& os;
    store::RecordStore& store;
    settings::DocumentShell& shell;
    settings::PointerInput& pointer;
    settings::TrayMenuHost& tray_menu_host;
    Registry& registry;
};

class SwitchBoard {
  public:
    SwitchBoard(AppState& state, const SwitchPorts& ports, std::string program_folder);
    SwitchBoard(const SwitchBoard&) = delete;
    SwitchBoard& operator=(const SwitchBoard&) = delete;

    void OnSwitch(PanelSwitch which);
    // A mouse action on the tray icon: 1 left up, 2 left double click, 3 right up.
    void OnTrayEvent(int action);

  private:
    settings::SettingsWriter writer_;
    settings::ModeSwitches modes_;
    settings::VisibilitySwitches visibility_;
    settings::TrayMenu tray_menu_;
    Autostart autostart_;
};

}  // namespace tovanel::app
