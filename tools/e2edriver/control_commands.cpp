// Controls of another program as their owner sees them: the text an edit box
// or a drop-down list holds (which GetWindowText does not ask the control
// for), and whether the thread tracks a pop-up menu (a menu window shows
// before its tracking loop runs, and a click that comes earlier is lost).
#include <windows.h>

#include <vector>

#include "command_table.h"
#include "text_codec.h"

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

// control-text HWND: the control's own text, asked with WM_GETTEXT.
Reply ControlText(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kStateTimeoutMs, &length)) {
        return Reply::Fail("the control does not answer");
    }
    std::vector<wchar_t> text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kStateTimeoutMs, &copied);
    return Reply::Ok(JsonObject().Add("text", Utf8FromWide(std::wstring(text.data(), copied))));
}

}  // namespace

void AddControlCommands(CommandTable& table) {
    table.Add("menu-mode", {"HWND TIMEOUT_MS", 2, MenuMode});
    table.Add("control-text", {"HWND", 1, ControlText});
}

}  // namespace e2edriver
