// Start-up, settings application and shutdown of the main window, written
// against the panel, the OS and the plug-in interfaces so that the decisions
// run natively in tests.
#pragma once

#include "app/app_state.h"
#include "app/os_services.h"
#include "app/panel_controls.h"
#include "app/plug_ins.h"
#include "settings/tray_icon.h"
#include "store/record_store.h"

namespace tovanel::app {

// Exit code of a start-up that found no usable settings table.
inline constexpr int kExitNoSettingsTable = 1;
// Exit code of a fatal error (the store's own convention).
inline constexpr int kExitFatal = -1;

class AppFrame : public settings::TrayIcon {
  public:
    AppFrame(AppState& state, PanelControls& panel, OsServices& os, PlugIns& plug_ins,
             store::RecordStore& store);
    AppFrame(const AppFrame&) = delete;
    AppFrame& operator=(const AppFrame&) = delete;

    // Handler of the main window's creation, before it can first be shown.
    void MainWindowCreated();
    // Turns AppState into the window's controls, menus, timer, tray icon and mouse hook.
    void ApplySettings();
    // Handler of the main window's coming destruction; ends the process.
    [[noreturn]] void MainWindowClosing();
    // Handler of "关闭", "退出" and Esc.
    void CloseMainWindow();
    // Shows the tray icon, or refreshes it when it is already there.
    void ShowTrayIcon() override;
    // Removes the tray icon if one is shown.
    void RemoveTrayIcon() override;

    // The shell restarted and lost every tray icon: bring ours back.
    void OnTaskbarCreated();
    void OnTimer();
    void OnFileDropped(const std::string& path);

    bool TrayIconShown() const { return tray_icon_shown_; }

  private:
    void ApplyVisibility();
    void ApplyFollowing();

    AppState& state_;
    PanelControls& panel_;
    OsServices& os_;
    PlugIns& plug_ins_;
    store::RecordStore& store_;
    bool tray_icon_shown_ = false;
};

}  // namespace tovanel::app
