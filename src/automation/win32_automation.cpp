#include "automation/win32_automation.h"

#include <cstdlib>

#include "automation/docking.h"
#include "automation/mouse_events.h"
#include "replies/win32_attachment_folder.h"

namespace tovanel::automation {

namespace {

constexpr char kMailboxClass[] = "TovanelHotkeyMailbox";
// wParam: the F-key's number, 1 to 12.
constexpr UINT kHotkeyMessage = WM_APP + 1;

}  // namespace

void ClickAt(HWND window, std::optional<int32_t> x, std::optional<int32_t> y, int32_t button) {
    Win32SyntheticInput input;
    ClickAt(input, reinterpret_cast<WindowHandle>(window), x, y, button);
}

Win32Automation::Win32Automation(app::AppState& state, const ui::MainWindow& panel,
                                 replies::ReplyListView& reply_list)
    : state_(state),
      panel_(panel),
      clipboard_(pump_),
      rows_(reply_list),
      delivery_({state_, windows_, input_, clipboard_, pump_, rows_},
                replies::Win32AttachmentFolder().path()) {}

Win32Automation::~Win32Automation() {
    automation::RemoveMouseHook();
    automation::RemoveKeyboardHook();
}

void Win32Automation::InstallKeyboardHook() {
    if (!mailbox_) CreateMailbox();
    automation::InstallKeyboardHook(*this, state_.modifier_state);
}

void Win32Automation::RemoveKeyboardHook() {
    automation::RemoveKeyboardHook();
}

void Win32Automation::InstallMouseHook() {
    automation::InstallMouseHook(*this);
}

void Win32Automation::RemoveMouseHook() {
    automation::RemoveMouseHook();
}

void Win32Automation::DockTick() {
    automation::DockTick(state_, windows_, panel_);
}

void Win32Automation::DeliverSelectedRow() {
    delivery_.DeliverSelectedRow();
}

void Win32Automation::OnKeyEvent(int32_t modifier_state, int32_t virtual_key, int32_t action) {
    automation::OnKeyEvent(modifier_state, virtual_key, action, *this);
}

void Win32Automation::OnMouseEvent(int32_t button, int32_t action, std::string_view text) {
    // The delivery's own click into the chat client's input box lands on a
    // child window of another process; it must not make the panel blink.
    if (delivery_.Running()) return;
    automation::OnMouseEvent(button, action, text, state_, windows_, panel_);
}

// Inside the hook procedure: the rows are delivered from the message loop
// once the F-key has been passed on. A delivery takes tens of milliseconds
// per row; run inside the hook it would outlast LowLevelHooksTimeout, and
// Windows would silently drop the hook. Its own synthetic keys would also
// wait behind the F-key until the procedure returned.
void Win32Automation::OnHotkey(const char* key_text) {
    const int number = std::atoi(key_text + 1);
    PostMessageA(mailbox_.get(), kHotkeyMessage, static_cast<WPARAM>(number), 0);
}

void Win32Automation::CreateMailbox() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &MailboxProc;
    wc.hInstance = instance;
    wc.lpszClassName = kMailboxClass;
    RegisterClassA(&wc);
    mailbox_.Reset(CreateWindowExA(0, kMailboxClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                   instance, nullptr));
    SetWindowLongPtrA(mailbox_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

LRESULT CALLBACK Win32Automation::MailboxProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32Automation*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (message != kHotkeyMessage || self == nullptr) {
        return DefWindowProcA(window, message, wp, lp);
    }
    if (const char* key_text = HotkeyText(111 + static_cast<int32_t>(wp))) {
        self->delivery_.DeliverHotkey(key_text);
    }
    return 0;
}

}  // namespace tovanel::automation
