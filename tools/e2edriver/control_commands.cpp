// Whether another program's thread tracks a pop-up menu: a menu window shows
// before its tracking loop runs, and a click that comes earlier is lost.
#include <windows.h>

#include "command_table.h"

namespace e2edriver {
namespace {

// menu-mode HWND TIMEOUT_MS: waits until the thread of HWND tracks a menu.
Reply MenuMode(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    const bool tracking = WaitUntil(ParseNumber(a[1]), [&] {
        return GetGUIThreadInfo(thread, &info) && (info.flags & GUI_INMENUMODE) != 0;
    });
    return Reply::Ok(
        JsonObject().Add("tracking", tracking).Add("flags", static_cast<int64_t>(info.flags)));
}

}  // namespace

void AddControlCommands(CommandTable& table) {
    table.Add("menu-mode", {"HWND TIMEOUT_MS", 2, MenuMode});
}

}  // namespace e2edriver
