#include "app/app_frame.h"

#include <cstdlib>

#include "settings/settings_table.h"

namespace tovanel::app {

namespace {

constexpr const char* kNoSettingsTable = "数据库打开失败！";

}  // namespace

AppFrame::AppFrame(AppState& state, PanelControls& panel, OsServices& os, PlugIns& plug_ins,
                   store::RecordStore& store)
    : state_(state), panel_(panel), os_(os), plug_ins_(plug_ins), store_(store) {}

void AppFrame::MainWindowCreated() {
    plug_ins_.SingleInstanceGuard();

    const settings::LoadResult loaded = settings::LoadSettings(store_);
    if (loaded.status == settings::LoadStatus::kCannotOpen) {
        // Living on invisible would leave an unreachable copy that refuses every
        // later start; tell the user and end instead.
        os_.ShowMessage(kNoSettingsTable, kMessageCaption, MessageIcon::kError);
        os_.EndProcess(kExitNoSettingsTable);
    }
    if (loaded.status == settings::LoadStatus::kNotLogical) {
        os_.ShowMessage("设置表的字段“" + loaded.bad_field + "”不是逻辑型，程序无法运行。",
                        kMessageCaption, MessageIcon::kError);
        os_.EndProcess(kExitFatal);
    }
    const settings::StoredSettings& stored = loaded.settings;
    if (stored.paste_and_send) state_.send_mode = 1;
    if (stored.tray_icon) state_.tray_flag = 1;
    if (stored.hidden) state_.hidden_flag = 1;
    if (stored.follow_chat) state_.follow_flag = 1;
    if (stored.autostart) state_.autostart_flag = 1;

    ApplySettings();
    plug_ins_.RefillReplyList();
    plug_ins_.InstallKeyboardHook();
    os_.RegisterDropTarget();
}

void AppFrame::ApplySettings() {
    panel_.CheckRadio(state_.send_mode == 1 ? RadioButton::kSend : RadioButton::kPaste);
    if (state_.tray_flag == 1) {
        panel_.SetMenuChecked(MenuItem::kShowTrayIcon, true);
        ShowTrayIcon();
    }
    ApplyVisibility();
    // Present after start-up whatever the tray flag says.
    ShowTrayIcon();
    ApplyFollowing();
    panel_.SetMenuChecked(MenuItem::kAutostart, state_.autostart_flag == 1);
}

void AppFrame::ApplyVisibility() {
    if (state_.hidden_flag == 1) {
        panel_.SetMenuChecked(MenuItem::kShowTrayIcon, true);
        panel_.SetMenuChecked(MenuItem::kShowHide, false);
        state_.tray_flag = 1;
        panel_.SetWindowVisible(false);
        panel_.SetMenuEnabled(MenuItem::kFollowChat, false);
    } else {
        panel_.SetWindowVisible(true);
        panel_.SetMenuChecked(MenuItem::kShowHide, true);
    }
}

void AppFrame::ApplyFollowing() {
    if (state_.follow_flag == 0) {
        panel_.SetTimerPeriod(0);
        panel_.SetMenuChecked(MenuItem::kFollowChat, false);
        panel_.SetRadioGroupEnabled(false);
        return;
    }
    panel_.SetMenuChecked(MenuItem::kFollowChat, true);
    if (state_.hidden_flag == 0) {
        panel_.SetTimerPeriod(kDockPeriodMs);
        plug_ins_.InstallMouseHook();
        state_.mouse_hook_started = 1;
    } else {
        panel_.SetTimerPeriod(0);
        panel_.SetWindowVisible(false);
    }
}

void AppFrame::MainWindowClosing() {
    plug_ins_.RemoveMouseHook();
    plug_ins_.RemoveKeyboardHook();
    if (state_.tray_flag == 1) RemoveTrayIcon();
    os_.RevokeDropTarget();
    os_.Sleep(10);
    // Lets notifications caused by the removals above be handled first.
    os_.PumpPendingMessages();
    os_.EndProcess(0);
    std::abort();  // an EndProcess that returned
}

void AppFrame::CloseMainWindow() {
    panel_.RequestDestroy();
}

void AppFrame::ShowTrayIcon() {
    // A refresh fails when the shell has lost the icon meanwhile: add it anew.
    if (tray_icon_shown_ && os_.ModifyTrayIcon()) return;
    tray_icon_shown_ = os_.AddTrayIcon();
}

void AppFrame::RemoveTrayIcon() {
    if (!tray_icon_shown_) return;
    os_.DeleteTrayIcon();
    tray_icon_shown_ = false;
}

void AppFrame::OnTaskbarCreated() {
    if (tray_icon_shown_) tray_icon_shown_ = os_.AddTrayIcon();
}

void AppFrame::OnTimer() {
    plug_ins_.DockTick();
}

void AppFrame::OnFileDropped(const std::string& path) {
    plug_ins_.AcceptDroppedFile(path);
}

}  // namespace tovanel::app
