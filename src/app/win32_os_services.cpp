#include "app/win32_os_services.h"

#include <shellapi.h>

#include <cstdlib>
#include <cstring>

#include "ui/main_window_layout.h"
#include "ui/message_loop.h"

namespace tovanel::app {

namespace {

constexpr const char* kTrayTip = "Velquin";

UINT IconFlag(MessageIcon icon) {
    switch (icon) {
        case MessageIcon::kError:
            return MB_ICONERROR;
        case MessageIcon::kWarning:
            return MB_ICONWARNING;
        case MessageIcon::kInformation:
            return MB_ICONINFORMATION;
        case MessageIcon::kNone:
            break;
    }
    return 0;
}

}  // namespace

void ShowUserMessage(const std::string& text, const std::string& caption, MessageIcon icon) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), MB_OK | MB_TASKMODAL | IconFlag(icon));
}

bool Win32OsServices::NotifyTray(DWORD action) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = window_.window();
    data.uID = ui::kTrayIconId;
    if (action != NIM_DELETE) {
        data.uFlags = NIF_ICON | NIF_MESSAGE | NIF_TIP;
        data.uCallbackMessage = ui::kTrayCallbackMessage;
        data.hIcon = window_.small_icon();
        std::strncpy(data.szTip, kTrayTip, sizeof data.szTip - 1);
    }
    return Shell_NotifyIconA(action, &data) != FALSE;
}

bool Win32OsServices::AddTrayIcon() {
    return NotifyTray(NIM_ADD);
}

bool Win32OsServices::ModifyTrayIcon() {
    return NotifyTray(NIM_MODIFY);
}

void Win32OsServices::DeleteTrayIcon() {
    NotifyTray(NIM_DELETE);
}

// Files dropped on the list arrive as WM_DROPFILES; registering twice is harmless.
void Win32OsServices::RegisterDropTarget() {
    DragAcceptFiles(window_.reply_list(), TRUE);
}

void Win32OsServices::RevokeDropTarget() {
    DragAcceptFiles(window_.reply_list(), FALSE);
}

void Win32OsServices::ShowMessage(const std::string& text, const std::string& caption,
                                  MessageIcon icon) {
    ShowUserMessage(text, caption, icon);
}

void Win32OsServices::Sleep(uint32_t milliseconds) {
    ::Sleep(milliseconds);
}

void Win32OsServices::PumpPendingMessages() {
    ui::DispatchPendingMessages();
}

void Win32OsServices::EndProcess(int exit_code) {
    // exit, not ExitProcess: the process-exit routines must run.
    std::exit(exit_code);
}

}  // namespace tovanel::app
