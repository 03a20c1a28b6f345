// What start-up and the switches change on the panel: its controls, menus,
// visibility and timer. The Win32 main window implements it; tests fake it.
#pragma once

#include <cstdint>

namespace tovanel::app {

// 时钟1's period while the panel follows the chat window.
inline constexpr uint32_t kDockPeriodMs = 30;

enum class RadioButton { kPaste, kSend };  // 单选框粘贴 "只是粘贴", 单选框发送 "一键发送"

// Items of the two pop-up menus whose state the program sets.
enum class MenuItem {
    kShowTrayIcon,  // "显示托盘图标" (右键菜单)
    kShowHide,      // "显示/隐藏" (托盘菜单)
    kFollowChat,    // "跟随微信" (托盘菜单)
    kAutostart,     // "开机启动" (托盘菜单)
};

// The window and the controls whose place the fixed layout sets.
enum class PanelPart {
    kWindow,        // MainWindow, in screen pixels
    kReplyList,     // 超级列表框1, in the window's client pixels
    kNewReplyEdit,  // 编辑框1
    kAddButton,     // 按钮添加
    kManualButton,  // 超级按钮1 "查看说明书"
};
enum class Geometry { kLeft, kTop, kHeight };

class PanelControls {
  public:
    virtual ~PanelControls() = default;
    // Checks one radio button of 分组框1 and unchecks the other.
    virtual void CheckRadio(RadioButton which) = 0;
    virtual bool IsRadioChecked(RadioButton which) const = 0;
    virtual void SetMenuChecked(MenuItem item, bool checked) = 0;
    virtual bool IsMenuChecked(MenuItem item) const = 0;
    virtual void SetMenuEnabled(MenuItem item, bool enabled) = 0;
    // 分组框1 together with the radio buttons it holds.
    virtual void SetRadioGroupEnabled(bool enabled) = 0;
    virtual void SetWindowVisible(bool visible) = 0;
    // Moves or stretches one part, leaving its other edges where they are.
    virtual void SetGeometry(PanelPart part, Geometry property, int32_t pixels) = 0;
    // The DPI the panel is laid out at, its monitor's: a layout's 96-DPI
    // values are scaled by it into pixels.
    virtual int Dpi() const = 0;
    // Period of 时钟1 in milliseconds; 0 stops it.
    virtual void SetTimerPeriod(uint32_t milliseconds) = 0;
    // Asks for the window's destruction once the current handler has returned.
    virtual void RequestDestroy() = 0;
};

}  // namespace tovanel::app
