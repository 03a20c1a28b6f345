// What start-up and the switches change on the panel: its controls, menus,
// visibility and timer. The Win32 main window implements it; tests fake it.
#pragma once

#include <cstdint>

namespace tovanel::app {

enum class RadioButton { kPaste, kSend };  // 单选框粘贴 "只是粘贴", 单选框发送 "一键发送"

// Items of the two pop-up menus whose state the program sets.
enum class MenuItem {
    kShowTrayIcon,  // "显示托盘图标" (右键菜单)
    kShowHide,      // "显示/隐藏" (托盘菜单)
    kFollowChat,    // "跟随微信" (托盘菜单)
    kAutostart,     // "开机启动" (托盘菜单)
};

class PanelControls {
  public:
    virtual ~PanelControls() = default;
    // Checks one radio button of 分组框1 and unchecks the other.
    virtual void CheckRadio(RadioButton which) = 0;
    virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    // 分组框1 together with the radio buttons it holds.
    virtual void SetRadioGroupEnabled(bool enabled) = 0;
    virtual void SetWindowVisible(bool visible) = 0;
    // Period of 时钟1 in milliseconds; 0 stops it.
    virtual void SetTimerPeriod(uint32_t milliseconds) = 0;
    // Asks for the window's destruction once the current handler has returned.
    virtual void RequestDestroy() = 0;
};

}  // namespace tovanel::app
