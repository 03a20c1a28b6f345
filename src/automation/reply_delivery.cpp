#include "automation/reply_delivery.h"

#include <utility>

#include "replies/attachment_name.h"
#include "ui/dpi_scale.h"

namespace tovanel::automation {

ReplyDelivery::ReplyDelivery(const DeliveryPorts& ports, std::string attachment_folder)
    : ports_(ports), attachment_folder_(std::move(attachment_folder)) {}

void ReplyDelivery::DeliverSelectedRow() {
    Run({true, {}});
}

void ReplyDelivery::DeliverHotkey(const std::string& key_text) {
    Run({false, key_text});
}

void ReplyDelivery::Run(Request request) {
    waiting_.push_back(std::move(request));
    if (running_) return;  // the running delivery takes it up when done
    running_ = true;
    while (!waiting_.empty()) {
        const Request next = std::move(waiting_.front());
        waiting_.pop_front();
        if (next.selected_row) {
            SelectedRowNow();
        } else {
            HotkeyNow(next.key_text);
        }
    }
    running_ = false;
}

void ReplyDelivery::SelectedRowNow() {
    const int selected = ports_.rows.SelectedRow();
    if (selected < 0 || selected >= ports_.rows.RowCount()) return;
    if (ports_.state.follow_flag == 0) return;
    const replies::ReplyRow row = ports_.rows.RowAt(selected);
    // An imported name that leaves the attachment folder sends nothing.
    if (row.IsAttachment() && !replies::IsPlainFileName(row.text)) return;
    if (PasteIntoChat(row, row.IsAttachment()) && ports_.state.send_mode == 1) {
        ports_.rows.ClearSelection();
    }
}

void ReplyDelivery::HotkeyNow(const std::string& key_text) {
    const int count = ports_.rows.RowCount();
    for (int i = 0; i < count; ++i) {
        const replies::ReplyRow row = ports_.rows.RowAt(i);
        if (row.key != key_text) continue;
        if (ports_.state.follow_flag == 0) {
            // Not following: the focused window takes the reply, whatever it is.
            if (ports_.clipboard.SetText(row.text)) PressCtrlV(ports_.input);
            continue;
        }
        PasteIntoChat(row, false);
    }
}

bool ReplyDelivery::PasteIntoChat(const replies::ReplyRow& row, bool as_file_list) {
    const WindowHandle chat = ClickChat(kInputBoxFromRight, kInputBoxFromBottom);
    if (chat != 0) WaitForChatInFront();
    // A clipboard held by another program would paste whatever it still
    // holds: an old reply into the wrong chat. Better to paste nothing.
    if (!PlaceOnClipboard(row, as_file_list)) return false;
    PressCtrlV(ports_.input);
    ports_.pump.PumpMessages();
    // The chat client reads the clipboard when it handles the V; the next
    // row must not replace the clipboard before that.
    if (chat != 0) ports_.windows.AwaitInputHandled(chat);
    if (ports_.state.send_mode == 1) {
        WaitPumping(ports_.pump, kSendPauseMs);
        ports_.pump.PumpMessages();
        ClickChat(kSendButtonFromRight, kSendButtonFromBottom);
    }
    return true;
}

WindowHandle ReplyDelivery::ClickChat(int from_right, int from_bottom) {
    // Without a chat window the point would be made of a stale or zero
    // rectangle and press whatever lies there; the paste then goes to the
    // focused window, as when the panel does not follow.
    const WindowHandle chat = ports_.windows.FindChatWindow();
    if (chat == 0) return 0;
    // Read now: a tick dispatched while pumping may have refreshed it.
    const app::ChatWindowRect& rect = *ports_.state.chat_window_rect;
    const int dpi = ports_.windows.Dpi(chat);
    ClickAt(ports_.input, chat, rect.width - ui::ScaleToDpi(from_right, dpi),
            rect.height - ui::ScaleToDpi(from_bottom, dpi), kLeftButton);
    return chat;
}

void ReplyDelivery::WaitForChatInFront() {
    // A click on the panel's row made the panel the active window. Keys go
    // to whichever window is active when the system takes them, and the
    // chat client becomes active only once it has handled the click: Ctrl+V
    // pressed earlier would land in the panel.
    const uint32_t start = ports_.pump.TickCount();
    while (!ports_.windows.IsChatForeground()) {
        if (ports_.pump.TickCount() - start > kChatActivationWaitMs) return;
        ports_.pump.PumpMessages();
    }
}

bool ReplyDelivery::PlaceOnClipboard(const replies::ReplyRow& row, bool as_file_list) {
    if (as_file_list) return ports_.clipboard.SetFileList({attachment_folder_ + row.text});
    return ports_.clipboard.SetText(row.text);
}

}  // namespace tovanel::automation
