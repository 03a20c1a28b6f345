// What the tests of the chat-client automation need beyond a person's clicks:
// the wheel, hiding a window as its program would, and another program
// holding the clipboard for a moment.
#include <windows.h>

#include "command_table.h"

namespace e2edriver {
namespace {

// wheel X Y DELTA: one wheel turn over a screen point (120 is one notch away).
Reply Wheel(const Args& a) {
    SetCursorPos(static_cast<int>(ParseNumber(a[0])), static_cast<int>(ParseNumber(a[1])));
    Sleep(30);
    mouse_event(MOUSEEVENTF_WHEEL, 0, 0, static_cast<DWORD>(ParseNumber(a[2])), 0);
    Sleep(50);
    return Reply::Ok();
}

// show-window HWND 0|1: hides or shows a top-level window without activating it.
Reply ShowWindowCommand(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    ShowWindow(hwnd, a[1] == "1" ? SW_SHOWNA : SW_HIDE);
    return Reply::Ok(JsonObject().Add("visible", IsWindowVisible(hwnd) != FALSE));
}

struct ClipboardHold {
    DWORD ms;
    HANDLE opened;
};

DWORD WINAPI HoldClipboardThread(void* param) {
    auto* hold = static_cast<ClipboardHold*>(param);
    const DWORD ms = hold->ms;
    const bool open = OpenClipboard(nullptr) != FALSE;
    SetEvent(hold->opened);  // `hold` is gone after this
    Sleep(ms);
    if (open) CloseClipboard();
    return 0;
}

// hold-clipboard MS: another thread opens the clipboard and keeps it open for
// MS milliseconds; the answer comes once it is open.
Reply HoldClipboard(const Args& a) {
    ClipboardHold hold{static_cast<DWORD>(ParseNumber(a[0])),
                       CreateEventW(nullptr, TRUE, FALSE, nullptr)};
    HANDLE thread = CreateThread(nullptr, 0, &HoldClipboardThread, &hold, 0, nullptr);
    if (thread == nullptr) {
        CloseHandle(hold.opened);
        return Reply::Fail("CreateThread failed");
    }
    WaitForSingleObject(hold.opened, 5000);
    CloseHandle(thread);
    CloseHandle(hold.opened);
    return Reply::Ok();
}

}  // namespace

void AddAutomationCommands(CommandTable& table) {
    table.Add("wheel", {"X Y DELTA", 3, Wheel});
    table.Add("show-window", {"HWND 0|1", 2, ShowWindowCommand});
    table.Add("hold-clipboard", {"MS", 1, HoldClipboard});
}

}  // namespace e2edriver
