// The chat client's main window as the docking and the delivery see it.
#pragma once

#include <cstdint>
#include <string_view>

#include "app/app_state.h"

namespace tovanel::automation {

// A window handle as a number; 0 is "no window".
using WindowHandle = uintptr_t;

// The chat client's own names, GBK bytes at run time.
inline constexpr const char* kChatWindowClass = "WeChatMainWndForPC";
inline constexpr const char* kChatWindowTitle = "微信";

class ChatWindows {
  public:
    virtual ~ChatWindows() = default;
    // The top-level window of the chat class titled exactly kChatWindowTitle, or 0.
    virtual WindowHandle FindChatWindow() = 0;
    // The outer rectangle as left, top, width, height; all zero when it cannot be read.
    virtual app::ChatWindowRect ReadWindowRect(WindowHandle window) = 0;
    virtual bool IsWindowVisible(WindowHandle window) = 0;
    // The foreground window is a chat main window (IsChatIdentity).
    virtual bool IsChatForeground() = 0;
    // The window belongs to this program's own process (the panel, its menus and boxes).
    virtual bool IsOwnProcessWindow(WindowHandle window) = 0;
    // Returns once the window's program has handled the input sent to it so
    // far, or after a short bounded wait.
    virtual void AwaitInputHandled(WindowHandle window) = 0;
    // The scale at which the window's own 96-DPI layout appears: the DPI of
    // the monitor it is on (120 at 125 %).
    virtual int Dpi(WindowHandle window) = 0;
};

// A foreground window counts as the chat client when its class is exactly the
// chat class and its title, in GBK, contains the chat title anywhere.
bool IsChatIdentity(std::string_view class_name, std::string_view title_gbk);

}  // namespace tovanel::automation
