#include "settings/visibility_switches.h"

#include "ui/dpi_scale.h"

namespace tovanel::settings {

using app::MenuItem;

void VisibilitySwitches::HidePanel() {
    // The timer stops first, so no docking tick shows the panel again.
    panel_.SetTimerPeriod(0);
    panel_.SetWindowVisible(false);
    panel_.SetMenuChecked(MenuItem::kShowTrayIcon, true);
    panel_.SetMenuChecked(MenuItem::kShowHide, false);
    state_.hidden_flag = 1;
    panel_.SetMenuEnabled(MenuItem::kFollowChat, false);
    // The tray icon is the only way back.
    if (state_.tray_flag == 0) {
        state_.tray_flag = 1;
        tray_.ShowTrayIcon();
    }
    writer_.StoreSetting(SettingTrigger::kHidePanel, true);
}

void VisibilitySwitches::ToggleShowHide() {
    if (state_.hidden_flag == 0) {
        HidePanel();
    } else {
        LeaveHideMode();
    }
    writer_.StoreSetting(SettingTrigger::kToggleShowHide, state_.hidden_flag == 1);
}

void VisibilitySwitches::LeaveHideMode() {
    panel_.SetMenuEnabled(MenuItem::kFollowChat, true);
    if (state_.follow_flag == 1) {
        panel_.SetTimerPeriod(app::kDockPeriodMs);
        // A hidden start installed no mouse hook; install it now.
        if (state_.mouse_hook_started == 0) plug_ins_.InstallMouseHook();
    }
    panel_.SetWindowVisible(true);
    state_.hidden_flag = 0;
    panel_.SetMenuChecked(MenuItem::kShowHide, true);
}

void VisibilitySwitches::ToggleFollow() {
    if (state_.follow_flag == 1) {
        StopFollowing();
    } else {
        StartFollowing();
    }
    writer_.StoreSetting(SettingTrigger::kToggleFollow, state_.follow_flag == 1);
}

void VisibilitySwitches::StopFollowing() {
    panel_.SetTimerPeriod(0);
    plug_ins_.RemoveMouseHook();
    state_.follow_flag = 0;
    if (panel_.IsMenuChecked(MenuItem::kShowHide)) {
        panel_.SetWindowVisible(true);
        for (const LayoutStep& step : kFixedLayout) {
            panel_.SetGeometry(step.part, step.property, ui::ScaleToDpi(step.pixels, panel_.Dpi()));
        }
    }
    panel_.SetMenuChecked(MenuItem::kFollowChat, false);
    // The send mode can be changed only while following.
    panel_.SetRadioGroupEnabled(false);
}

void VisibilitySwitches::StartFollowing() {
    state_.follow_flag = 1;
    panel_.SetMenuChecked(MenuItem::kFollowChat, true);
    panel_.SetRadioGroupEnabled(true);
    // The next tick docks the panel; it is not moved here.
    panel_.SetTimerPeriod(app::kDockPeriodMs);
    plug_ins_.InstallMouseHook();
}

void VisibilitySwitches::OpenManual() {
    shell_.OpenDocument(kManualFileName);
}

}  // namespace tovanel::settings
