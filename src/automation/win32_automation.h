// The chat-client automation of the running program: docking on 时钟1, the
// two hooks, and the delivery of rows by a list click or an F-key.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "app/app_state.h"
#include "automation/key_events.h"
#include "automation/reply_delivery.h"
#include "automation/win32_hooks.h"
#include "automation/win32_ports.h"
#include "ui/win_handles.h"

namespace tovanel::automation {

class Win32Automation final : private KeyEventHandler,
                              private MouseEventHandler,
                              private HotkeySink {
  public:
    // The panel's windows are looked up when used: they are made later.
    Win32Automation(app::AppState& state, const ui::MainWindow& panel,
                    replies::ReplyListView& reply_list);
    ~Win32Automation() override;
    Win32Automation(const Win32Automation&) = delete;
    Win32Automation& operator=(const Win32Automation&) = delete;

    void InstallKeyboardHook();
    void RemoveKeyboardHook();
    void InstallMouseHook();
    void RemoveMouseHook();
    void DockTick();
    // A left click on the reply list.
    void DeliverSelectedRow();

  private:
    void OnKeyEvent(int32_t modifier_state, int32_t virtual_key, int32_t action) override;
    void OnMouseEvent(int32_t button, int32_t action, std::string_view text) override;
    void OnHotkey(const char* key_text) override;
    static LRESULT CALLBACK MailboxProc(HWND window, UINT message, WPARAM wp, LPARAM lp);
    void CreateMailbox();

    app::AppState& state_;
    Win32ChatWindows windows_;
    Win32DockedPanel panel_;
    Win32SyntheticInput input_;
    Win32MessagePump pump_;
    Win32Clipboard clipboard_;
    ListViewRows rows_;
    ReplyDelivery delivery_;
    // A message-only window that takes the F-keys the hook posts.
    ui::UniqueWindow mailbox_;
};

// ClickAt on the real desktop, for whoever needs a synthetic click.
void ClickAt(HWND window, std::optional<int32_t> x, std::optional<int32_t> y, int32_t button = 0);

}  // namespace tovanel::automation
