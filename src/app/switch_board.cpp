#include "app/switch_board.h"

namespace tovanel::app {

SwitchBoard::SwitchBoard(AppState& state, const SwitchPorts& ports, std::string program_folder)
    : writer_(ports.store, ports.os),
      modes_(state, ports.panel, ports.tray_icon, writer_),
      visibility_(state, ports.panel, ports.tray_icon, ports.plug_ins, writer_, ports.shell),
      tray_menu_(ports.pointer, ports.tray_menu_host, ports.os),
      autostart_(state, ports.panel, ports.registry, writer_, std::move(program_folder)) {}

void SwitchBoard::OnSwitch(PanelSwitch which) {
    switch (which) {
        case PanelSwitch::kSelectPasteOnly:
            return modes_.SelectPasteOnly();
        case PanelSwitch::kSelectPasteAndSend:
            return modes_.SelectPasteAndSend();
        case PanelSwitch::kHidePanel:
            return visibility_.HidePanel();
        case PanelSwitch::kOpenManual:
            return visibility_.OpenManual();
        case PanelSwitch::kToggleTrayIcon:
            return modes_.ToggleTrayIcon();
        case PanelSwitch::kToggleShowHide:
            return visibility_.ToggleShowHide();
        case PanelSwitch::kToggleFollow:
            return visibility_.ToggleFollow();
        case PanelSwitch::kToggleAutostart:
            return autostart_.ToggleAutostart();
    }
}

void SwitchBoard::OnTrayEvent(int action) {
    tray_menu_.OnTrayEvent(action);
}

}  // namespace tovanel::app
