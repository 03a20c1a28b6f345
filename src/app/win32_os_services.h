// The operating system's services on Win32, for the main window.
#pragma once

#include "app/os_services.h"
#include "ui/main_window.h"

namespace tovanel::app {

class Win32OsServices : public OsServices {
  public:
    explicit Win32OsServices(const ui::MainWindow& window) : window_(window) {}

    bool AddTrayIcon() override;
    bool ModifyTrayIcon() override;
    void DeleteTrayIcon() override;
    void RegisterDropTarget() override;
    void RevokeDropTarget() override;
    void ShowMessage(const std::string& text, const std::string& caption,
                     MessageIcon icon) override;
    void Sleep(uint32_t milliseconds) override;
    void PumpPendingMessages() override;
    [[noreturn]] void EndProcess(int exit_code) override;

  private:
    bool NotifyTray(DWORD action) const;

    const ui::MainWindow& window_;
};

// The user message box: one OK button, no owner, modal for the whole program.
void ShowUserMessage(const std::string& text, const std::string& caption, MessageIcon icon);

}  // namespace tovanel::app
