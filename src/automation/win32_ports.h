// The automation's ports on Win32: the chat window, the docked panel, the
// synthetic input, the clipboard, the message queue and the reply list view.
#pragma once

#include <windows.h>

#include <optional>

#include "automation/chat_windows.h"
#include "automation/docking.h"
#include "automation/input_synthesis.h"
#include "automation/reply_delivery.h"
#include "ui/main_window.h"

namespace tovanel::automation {

class Win32ChatWindows final : public ChatWindows {
  public:
    WindowHandle FindChatWindow() override;
    app::ChatWindowRect ReadWindowRect(WindowHandle window) override;
    bool IsWindowVisible(WindowHandle window) override;
    bool IsChatForeground() override;
    bool IsOwnProcessWindow(WindowHandle window) override;
    int Dpi(WindowHandle window) override;
    void AwaitInputHandled(WindowHandle window) override;

  private:
    // The last window FindChatWindow found: when it is the foreground
    // window, its class and title need not be read again.
    WindowHandle last_found_ = 0;
};

// MainWindow as the docking moves it; its controls by their identifiers.
class Win32DockedPanel final : public DockedPanel {
  public:
    explicit Win32DockedPanel(const ui::MainWindow& panel) : panel_(panel) {}
    void Hide() override;
    void ShowWithoutActivating() override;
    void SetTopmost(bool topmost) override;
    void Dock(int left, int top, int height) override;
    int Width() override;
    int Height() override;
    int Dpi() override;
    void ApplyLayout(const DockLayout& layout) override;

  private:
    HWND Window() const { return panel_.window(); }
    const ui::MainWindow& panel_;
    // What ApplyLayout last placed, so that a still panel costs one read.
    std::optional<DockLayout> applied_;
};

class Win32SyntheticInput final : public SyntheticInput {
  public:
    ScreenPoint CursorPos() override;
    ScreenPoint ClientOrigin(WindowHandle window) override;
    void SetCursorPos(ScreenPoint at) override;
    void MouseButtons(uint32_t flags) override;
    void Key(uint8_t virtual_key, bool up) override;
};

class Win32MessagePump final : public MessagePump {
  public:
    void PumpMessages() override;
    uint32_t TickCount() override;
};

// Opens the clipboard with no owner window. Another program may hold it for a
// moment: the open is retried for a short while, dispatching messages (and so
// the hooks' calls) in between.
class Win32Clipboard final : public Clipboard {
  public:
    explicit Win32Clipboard(MessagePump& pump) : pump_(pump) {}
    bool SetText(const std::string& text) override;
    bool SetFileList(const std::vector<std::string>& paths) override;

  private:
    bool Open();
    MessagePump& pump_;
};

// Longest wait for a clipboard another program holds open.
inline constexpr uint32_t kClipboardWaitMs = 100;

}  // namespace tovanel::automation
