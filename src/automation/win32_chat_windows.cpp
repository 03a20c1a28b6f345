#include <string>

#include "automation/win32_ports.h"
#include "ui/win32_dpi.h"

namespace tovanel::automation {

namespace {

constexpr int kInputRoundTrips = 6;
constexpr UINT kInputRoundTripMs = 100;

HWND AsHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

std::string TitleInGbk(HWND window) {
    const int length = GetWindowTextLengthW(window);
    if (length <= 0) return {};
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(GetWindowTextW(window, wide.data(), length + 1)));
    const int size = WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()),
                                         nullptr, 0, nullptr, nullptr);
    std::string gbk(static_cast<size_t>(size > 0 ? size : 0), '\0');
    WideCharToMultiByte(936, 0, wide.data(), static_cast<int>(wide.size()), gbk.data(), size,
                        nullptr, nullptr);
    return gbk;
}

}  // namespace

WindowHandle Win32ChatWindows::FindChatWindow() {
    last_found_ = reinterpret_cast<WindowHandle>(
        FindWindowExA(nullptr, nullptr, kChatWindowClass, kChatWindowTitle));
    return last_found_;
}

app::ChatWindowRect Win32ChatWindows::ReadWindowRect(WindowHandle window) {
    RECT r;
    if (!GetWindowRect(AsHwnd(window), &r)) return {};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

bool Win32ChatWindows::IsWindowVisible(WindowHandle window) {
    return ::IsWindowVisible(AsHwnd(window)) == TRUE;
}

bool Win32ChatWindows::IsChatForeground() {
    HWND foreground = GetForegroundWindow();
    if (foreground == nullptr) return false;
    // Found by its exact class and title a moment ago: no need to read them.
    if (last_found_ != 0 && foreground == AsHwnd(last_found_)) return true;
    char class_name[260];
    const int length = GetClassNameA(foreground, class_name, sizeof class_name);
    // The class decides before any title is read.
    if (std::string_view(class_name, length > 0 ? length : 0) != kChatWindowClass) return false;
    return IsChatIdentity(kChatWindowClass, TitleInGbk(foreground));
}

int Win32ChatWindows::Dpi(WindowHandle window) {
    return ui::MonitorDpi(AsHwnd(window));
}

bool Win32ChatWindows::IsOwnProcessWindow(WindowHandle window) {
    DWORD process = 0;
    GetWindowThreadProcessId(AsHwnd(window), &process);
    return process != 0 && process == GetCurrentProcessId();
}

void Win32ChatWindows::AwaitInputHandled(WindowHandle window) {
    // A sent message is handled at the window's next message retrieval, ahead
    // of its queued input; one round trip per queued key (Ctrl, V, their
    // characters and releases) brings it past the V. The system keeps our
    // own hooks served while it waits.
    DWORD_PTR ignored = 0;
    for (int i = 0; i < kInputRoundTrips; ++i) {
        if (!SendMessageTimeoutA(AsHwnd(window), WM_NULL, 0, 0, SMTO_NORMAL | SMTO_ABORTIFHUNG,
                                 kInputRoundTripMs, &ignored)) {
            return;
        }
    }
}

}  // namespace tovanel::automation
