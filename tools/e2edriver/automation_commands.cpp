// What the tests of the chat-client automation need beyond a person's clicks:
// the wheel, hiding a window as its program would, and another program
// holding the clipboard for a moment.
#include <windows.h>
#include <commctrl.h>

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

// Memory in another process, for list view messages that take a pointer.
class RemoteBuffer {
  public:
    RemoteBuffer(DWORD pid, size_t size)
        : process_(
              OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid)),
          size_(size) {
        if (process_) {
            at_ = VirtualAllocEx(process_, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        }
    }
    ~RemoteBuffer() {
        if (at_) VirtualFreeEx(process_, at_, 0, MEM_RELEASE);
        if (process_) CloseHandle(process_);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    void* Address() const { return at_; }
    bool Write(const void* data, size_t size) {
        return WriteProcessMemory(process_, at_, data, size, nullptr) != FALSE;
    }
    bool Read(void* data, size_t size) {
        return size <= size_ && ReadProcessMemory(process_, at_, data, size, nullptr) != FALSE;
    }

  private:
    HANDLE process_;
    size_t size_;
    void* at_ = nullptr;
};

// list-row HWND INDEX: a list view row's rectangle on the screen (its
// label column), read through the list's own process.
Reply ListRow(const Args& a) {
    HWND list = ParseHwnd(a[0]);
    const int index = static_cast<int>(ParseNumber(a[1]));
    DWORD pid = 0;
    GetWindowThreadProcessId(list, &pid);
    const int count = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    if (index < 0 || index >= count) return Reply::Fail("no such row");
    RemoteBuffer remote(pid, sizeof(RECT));
    RECT rect{};
    rect.left = LVIR_BOUNDS;
    if (!remote.Address() || !remote.Write(&rect, sizeof rect)) return Reply::Fail("remote memory");
    SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(remote.Address()));
    if (!remote.Read(&rect, sizeof rect)) return Reply::Fail("remote memory");
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    const int selected = static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    return Reply::Ok(JsonObject()
                         .AddRaw("rect", RectJson(rect))
                         .Add("count", static_cast<int64_t>(count))
                         .Add("selected", static_cast<int64_t>(selected)));
}

}  // namespace

void AddAutomationCommands(CommandTable& table) {
    table.Add("wheel", {"X Y DELTA", 3, Wheel});
    table.Add("show-window", {"HWND 0|1", 2, ShowWindowCommand});
    table.Add("hold-clipboard", {"MS", 1, HoldClipboard});
    table.Add("list-row", {"HWND INDEX", 2, ListRow});
}

}  // namespace e2edriver
