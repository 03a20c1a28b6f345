// Identifiers and layout of MainWindow's controls and pop-up menus.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/dpi_scale.h"
#include "ui/velquin_version.h"

namespace tovanel::ui {

inline constexpr const char* kMainWindowClass = "TovanelMainWindow";
inline constexpr const char* kMainWindowCaption = "Tovanel";
inline constexpr int kMainWindowWidth = 300;
inline constexpr int kMainWindowHeight = 650;

// Control identifiers carry the controls' names.
enum ControlId : int {
    图片框1 = 1001,
    标签3,
    标签1,
    按钮_隐藏运行,
    按钮1,
    分组框1,
    单选框粘贴,
    单选框发送,
    标签2,
    超级列表框1,
    编辑框1,
    超级按钮1,
    按钮添加,
};

inline constexpr UINT_PTR 时钟1 = 1;

// Menu item identifiers.
enum MenuCommand : int {
    kCmdDelete = 2001,  // "删除"
    kCmdEditHotkeys,    // "编辑快捷键"
    kCmdShowTrayIcon,   // "显示托盘图标"
    kCmdImportText,     // "导入文本(txt格式)"
    kCmdExportText,     // "导出文本(txt格式)"
    kCmdShowHide,       // "显示/隐藏"
    kCmdFollowChat,     // "跟随微信"
    kCmdAutostart,      // "开机启动"
    kCmdExit,           // "退出"
};

// Notifications of the tray icon reach the main window as this message.
inline constexpr UINT kTrayCallbackMessage = WM_APP + 1;
inline constexpr UINT kTrayIconId = 1;

// Every size and position here is in 96-DPI units (100 % scale); the window
// scales them for the monitor it is on.
struct ControlSpec {
    ControlId id;
    const char* window_class;
    DWORD style;
    DWORD ex_style;
    int left, top, width, height;  // client coordinates of the main window
    const char* text;
};

constexpr LayoutRect Rect96(const ControlSpec& spec) {
    return {spec.left, spec.top, spec.width, spec.height};
}

// 分组框1's origin: its radio buttons are placed relative to it.
inline constexpr int kGroupLeft = 10;
inline constexpr int kGroupTop = 62;

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;

// clang-format off
inline constexpr ControlSpec kControls[] = {
    {图片框1, "STATIC", kChild | SS_BITMAP, 0, 25, 11, 50, 50, ""},
    {标签3, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, 97, 17, 56, 16, "版本：" VELQUIN_VERSION},
    {标签1, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, 97, 36, 168, 23, "Tovanel"},
    {按钮_隐藏运行, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 186, 7, 60, 20, "隐藏运行"},
    {按钮1, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 255, 7, 35, 20, "关闭"},
    {分组框1, "BUTTON", kChild | BS_GROUPBOX, 0, kGroupLeft, kGroupTop, 280, 40, ""},
    {单选框粘贴, "BUTTON", kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 0,
     kGroupLeft + 36, kGroupTop + 16, 85, 16, "只是粘贴"},
    {单选框发送, "BUTTON", kChild | BS_AUTORADIOBUTTON, 0,
     kGroupLeft + 162, kGroupTop + 16, 85, 16, "一键发送"},
    {标签2, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, 10, 108, 280, 20, "左键回复内容，右键弹出菜单。"},
    {超级列表框1, WC_LISTVIEWA,
     kChild | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_NOSORTHEADER |
         LVS_SHAREIMAGELISTS | LVS_OWNERDATA,
     WS_EX_CLIENTEDGE, 10, 129, 280, 421, ""},
    {编辑框1, "EDIT", kChild | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 10, 563, 280, 24, ""},
    {超级按钮1, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 9, 595, 80, 24, "查看说明书"},
    {按钮添加, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 199, 595, 90, 24, "添加"},
};
// clang-format on

// 编辑框1's background.
inline constexpr COLORREF kEditBackground = RGB(236, 236, 236);

// The reply list's columns.
inline constexpr const char* kHotkeyColumnTitle = "快 键";
inline constexpr int kHotkeyColumnWidth = 55;
inline constexpr const char* kContentColumnTitle = "内容";
inline constexpr int kContentColumnWidth = 1000;

// The artwork's sizes: the logo in 图片框1 and the reply list's row marks.
inline constexpr int kLogoSize = 50;
inline constexpr int kRowMarkWidth = 16;
inline constexpr int kRowMarkHeight = 15;

// Fonts by their height in pixels: the controls' text and 标签1's title.
inline constexpr int kTextFontHeight = 12;
inline constexpr int kTitleFontHeight = 18;

}  // namespace tovanel::ui
