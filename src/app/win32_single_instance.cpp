#include "app/win32_single_instance.h"

#include <windows.h>
#include <tlhelp32.h>

#include "ui/message_loop.h"

namespace tovanel::app {

namespace {

HWND AsHwnd(WindowHandle window) {
    return reinterpret_cast<HWND>(window);
}

// The file-name part of a path, stepping over double-byte characters whose
// trail byte may look like a backslash.
std::string FileNamePart(const char* path) {
    const char* name = path;
    for (const char* p = path; *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/') name = p + 1;
    }
    return name;
}

}  // namespace

bool Win32InstanceMarker::MarkPresence() {
    event_.Reset(CreateEventA(nullptr, FALSE, FALSE, kInstanceMarkerName));
    // Read at once: nothing may overwrite the error code in between.
    return event_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

std::vector<ProcessEntry> Win32ProcessList::Snapshot() {
    std::vector<ProcessEntry> entries;
    ui::UniqueKernelHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return entries;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        entry.szExeFile[MAX_PATH - 1] = '\0';
        entries.push_back({entry.th32ProcessID, FileNamePart(entry.szExeFile)});
    }
    return entries;
}

uint32_t Win32ProcessList::OwnProcessId() {
    return GetCurrentProcessId();
}

std::string Win32ProcessList::OwnExeFile() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return FileNamePart(path);
}

WindowHandle Win32TopLevelWindows::NextAfter(WindowHandle previous) {
    return reinterpret_cast<WindowHandle>(
        FindWindowExA(nullptr, AsHwnd(previous), nullptr, nullptr));
}

bool Win32TopLevelWindows::IsVisible(WindowHandle window) {
    return IsWindowVisible(AsHwnd(window)) != FALSE;
}

uint32_t Win32TopLevelWindows::ProcessOf(WindowHandle window) {
    DWORD pid = 0;
    GetWindowThreadProcessId(AsHwnd(window), &pid);
    return pid;
}

bool Win32TopLevelWindows::HasParent(WindowHandle window) {
    return GetParent(AsHwnd(window)) != nullptr;
}

uint32_t Win32TopLevelWindows::TickCount() {
    return GetTickCount();
}

void Win32TopLevelWindows::PumpMessages() {
    ui::DispatchPendingMessages();
}

void Win32TopLevelWindows::RestoreAndActivate(WindowHandle window) {
    HWND hwnd = AsHwnd(window);
    if (IsIconic(hwnd)) OpenIcon(hwnd);
    // SetActiveWindow acts on the caller's input queue only, so this thread
    // joins the other copy's queue for the moment; joined that way round, the
    // activation stays with that queue when this one leaves and ends. Having
    // just had the user's click on the message box, this copy may also hand
    // over the foreground.
    const DWORD own_thread = GetCurrentThreadId();
    const DWORD window_thread = GetWindowThreadProcessId(hwnd, nullptr);
    AttachThreadInput(own_thread, window_thread, TRUE);
    SetActiveWindow(hwnd);
    SetForegroundWindow(hwnd);
    AttachThreadInput(own_thread, window_thread, FALSE);
}

}  // namespace tovanel::app
