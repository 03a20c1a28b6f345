// The operating system's services that start-up and shutdown use.
#pragma once

#include <cstdint>
#include <string>

namespace tovanel::app {

// Caption of the program's messages unless one is named.
inline constexpr const char* kMessageCaption = "信息：";

enum class MessageIcon { kNone, kError, kWarning, kInformation };

class OsServices {
  public:
    virtual ~OsServices() = default;
    // The main window's icon in the notification area, tip "Velquin".
    virtual bool AddTrayIcon() = 0;
    virtual bool ModifyTrayIcon() = 0;
    virtual void DeleteTrayIcon() = 0;
    // The reply list as the file drop target 拖放对象1.
    virtual void RegisterDropTarget() = 0;
    virtual void RevokeDropTarget() = 0;
    // One OK button, no owner window, modal for all windows of the program.
    virtual void ShowMessage(const std::string& text, const std::string& caption,
                             MessageIcon icon) = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
    // Retrieves, translates and dispatches what is already queued, once through,
    // stopping early when WM_QUIT is next.
    virtual void PumpPendingMessages() = 0;
    // Runs the process-exit routines and ends the process.
    [[noreturn]] virtual void EndProcess(int exit_code) = 0;
};

}  // namespace tovanel::app
