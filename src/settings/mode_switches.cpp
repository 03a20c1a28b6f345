#include "settings/mode_switches.h"

namespace tovanel::settings {

using app::MenuItem;
using app::RadioButton;

void ModeSwitches::SelectPasteOnly() {
    if (panel_.IsRadioChecked(RadioButton::kPaste)) state_.send_mode = 0;
    // The stored value is the button's, whatever the check mark said.
    writer_.StoreSendMode(SettingTrigger::kSelectPasteOnly, false);
}

void ModeSwitches::SelectPasteAndSend() {
    if (panel_.IsRadioChecked(RadioButton::kSend)) state_.send_mode = 1;
    writer_.StoreSendMode(SettingTrigger::kSelectPasteAndSend, true);
}

void ModeSwitches::ToggleTrayIcon() {
    const bool show = !panel_.IsMenuChecked(MenuItem::kShowTrayIcon);
    panel_.SetMenuChecked(MenuItem::kShowTrayIcon, show);
    state_.tray_flag = show ? 1 : 0;
    if (show) {
        tray_.ShowTrayIcon();
    } else {
        tray_.RemoveTrayIcon();
    }
    writer_.StoreSetting(SettingTrigger::kToggleTrayIcon, show);
}

}  // namespace tovanel::settings
