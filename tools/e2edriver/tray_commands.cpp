// Notification-area icons as Wine shows them. Without an X system tray
// (Xvfb has none) Wine's X11 driver keeps the icons in its own window
// "__winex11_standalone_tray", one child "__winex11_tray_icon" per icon; newer
// Wine versions use "Shell_TrayWnd" with "__wine_tray_icon" children. The tip
// lives in a tooltip of the shell's process and is read through memory the
// driver borrows in that process, since tooltip messages carry pointers.
#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

#include "command_table.h"
#include "text_codec.h"
#include "common/win_handle.h"

namespace e2edriver {

using tovanel::tools::UniqueHandle;
namespace {

const char* const kTrayHosts[] = {"__winex11_standalone_tray", "Shell_TrayWnd"};
const char* const kIconClasses[] = {"__winex11_tray_icon", "__wine_tray_icon"};

bool IsIconClass(const std::string& cls) {
    for (const char* name : kIconClasses)
        if (cls == name) return true;
    return false;
}

// Memory allocated in another process; freed with it.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    char* Address() const { return static_cast<char*>(address_); }

  private:
    HANDLE process_;
    void* address_;
};

struct ToolTip {
    HWND tool;
    std::string text;
};

// Every tool of one tooltip window, with its text.
std::vector<ToolTip> ReadTools(HWND tooltip) {
    std::vector<ToolTip> tools;
    DWORD pid = 0;
    GetWindowThreadProcessId(tooltip, &pid);
    UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process.Valid()) return tools;
    constexpr size_t kTextChars = 256;
    RemoteBuffer remote(process.Get(), sizeof(TTTOOLINFOW) + kTextChars * sizeof(wchar_t));
    if (!remote.Address()) return tools;
    DWORD_PTR count = 0;
    SendMessageTimeoutW(tooltip, TTM_GETTOOLCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count);
    for (DWORD_PTR i = 0; i < count; ++i) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof info;
        info.lpszText = reinterpret_cast<LPWSTR>(remote.Address() + sizeof info);
        wchar_t text[kTextChars] = {};
        DWORD_PTR ok = 0;
        if (!WriteProcessMemory(process.Get(), remote.Address(), &info, sizeof info, nullptr) ||
            !WriteProcessMemory(process.Get(), info.lpszText, text, sizeof text, nullptr) ||
            !SendMessageTimeoutW(tooltip, TTM_ENUMTOOLSW, i,
                                 reinterpret_cast<LPARAM>(remote.Address()), SMTO_ABORTIFHUNG, 1000,
                                 &ok) ||
            !ok)
            continue;
        ReadProcessMemory(process.Get(), remote.Address(), &info, sizeof info, nullptr);
        ReadProcessMemory(process.Get(), remote.Address() + sizeof info, text, sizeof text,
                          nullptr);
        text[kTextChars - 1] = L'\0';
        tools.push_back({info.hwnd, Utf8FromWide(text)});
    }
    return tools;
}

struct TrayScan {
    std::vector<HWND> hosts, icons, tooltips;
};

BOOL CALLBACK CollectIcon(HWND child, LPARAM param) {
    if (IsIconClass(WindowClass(child))) reinterpret_cast<TrayScan*>(param)->icons.push_back(child);
    return TRUE;
}

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    auto* scan = reinterpret_cast<TrayScan*>(param);
    const std::string cls = WindowClass(hwnd);
    for (const char* host : kTrayHosts) {
        if (cls == host) {
            scan->hosts.push_back(hwnd);
            EnumChildWindows(hwnd, CollectIcon, param);
        }
    }
    if (IsIconClass(cls)) scan->icons.push_back(hwnd);  // docked or not yet placed
    if (cls == "tooltips_class32") scan->tooltips.push_back(hwnd);
    return TRUE;
}

// tray: the tray windows and every icon window, visible or not, with its tip.
Reply Tray(const Args&) {
    TrayScan scan;
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&scan));
    std::vector<ToolTip> tips;
    for (HWND tooltip : scan.tooltips)
        for (ToolTip& tool : ReadTools(tooltip)) tips.push_back(std::move(tool));

    JsonArray hosts, icons;
    for (HWND host : scan.hosts) hosts.AddRaw(DescribeWindow(host).Str());
    int visible = 0;
    for (HWND icon : scan.icons) {
        JsonObject info = DescribeWindow(icon);
        for (const ToolTip& tip : tips)
            if (tip.tool == icon) info.Add("tip", tip.text);
        if (IsWindowVisible(icon)) ++visible;
        icons.AddRaw(info.Str());
    }
    return Reply::Ok(JsonObject()
                         .AddRaw("hosts", hosts.Str())
                         .AddRaw("icons", icons.Str())
                         .Add("visible_icons", visible));
}

}  // namespace

void AddTrayCommands(CommandTable& table) {
    table.Add("tray", {"", 0, Tray});
}

}  // namespace e2edriver
