// The switches of the panel and its menus, as the window reports them.
#pragma once

namespace tovanel::app {

enum class PanelSwitch {
    kSelectPasteOnly,     // 单选框粘贴 "只是粘贴"
    kSelectPasteAndSend,  // 单选框发送 "一键发送"
    kHidePanel,           // 按钮_隐藏运行 "隐藏运行"
    kOpenManual,          // 超级按钮1 "查看说明书"
    kToggleTrayIcon,      // "显示托盘图标" (右键菜单)
    kToggleShowHide,      // "显示/隐藏" (托盘菜单)
    kToggleFollow,        // "跟随微信" (托盘菜单)
    kToggleAutostart,     // "开机启动" (托盘菜单)
};

}  // namespace tovanel::app
