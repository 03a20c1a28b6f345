// Hide mode and following: the button "隐藏运行", the tray items "显示/隐藏"
// and "跟随微信", and the button that opens the manual.
#pragma once

#include "app/app_state.h"
#include "app/panel_controls.h"
#include "app/plug_ins.h"
#include "settings/document_shell.h"
#include "settings/store_setting.h"
#include "settings/tray_icon.h"

namespace tovanel::settings {

inline constexpr const char* kManualFileName = "使用说明.txt";

// Where the panel stands while it does not follow, applied in this order, in
// 96-DPI units scaled to the panel's DPI. The window keeps its width.
struct LayoutStep {
    app::PanelPart part;
    app::Geometry property;
    int32_t pixels;
};

inline constexpr LayoutStep kFixedLayout[] = {
    {app::PanelPart::kWindow, app::Geometry::kTop, 200},
    {app::PanelPart::kWindow, app::Geometry::kLeft, 1000},
    {app::PanelPart::kWindow, app::Geometry::kHeight, 630},
    {app::PanelPart::kReplyList, app::Geometry::kHeight, 430},
    {app::PanelPart::kNewReplyEdit, app::Geometry::kTop, 563},
    {app::PanelPart::kAddButton, app::Geometry::kTop, 595},
    {app::PanelPart::kManualButton, app::Geometry::kTop, 595},
};

class VisibilitySwitches {
  public:
    VisibilitySwitches(app::AppState& state, app::PanelControls& panel, TrayIcon& tray,
                       app::PlugIns& plug_ins, SettingsWriter& writer, DocumentShell& shell)
        : state_(state),
          panel_(panel),
          tray_(tray),
          plug_ins_(plug_ins),
          writer_(writer),
          shell_(shell) {}

    // 按钮_隐藏运行 "隐藏运行": hide mode, reachable again only from the tray.
    void HidePanel();
    // "显示/隐藏": hides, or leaves hide mode.
    void ToggleShowHide();
    // "跟随微信": follows the chat window, or stands at the fixed place.
    void ToggleFollow();
    // 超级按钮1 "查看说明书".
    void OpenManual();

  private:
    void LeaveHideMode();
    void StopFollowing();
    void StartFollowing();

    app::AppState& state_;
    app::PanelControls& panel_;
    TrayIcon& tray_;
    app::PlugIns& plug_ins_;
    SettingsWriter& writer_;
    DocumentShell& shell_;
};

}  // namespace tovanel::settings
