// Types a stored reply into the chat client: a click into its input box, the
// reply on the clipboard, Ctrl+V and, in send mode, a click on Send.
#pragma once

#include <deque>
#include <string>

#include "app/app_state.h"
#include "automation/chat_windows.h"
#include "automation/input_synthesis.h"
#include "replies/reply_list_view.h"
#include "replies/reply_row.h"

namespace tovanel::automation {

// What the delivery reads of the reply list 超级列表框1.
class ReplyRows {
  public:
    virtual ~ReplyRows() = default;
    virtual int RowCount() = 0;
    virtual replies::ReplyRow RowAt(int index) = 0;
    // The selected row's index, −1 when none.
    virtual int SelectedRow() = 0;
    virtual void ClearSelection() = 0;
};

// The reply list's own view, as the delivery reads it.
class ListViewRows final : public ReplyRows {
  public:
    explicit ListViewRows(replies::ReplyListView& list) : list_(list) {}
    int RowCount() override { return list_.RowCount(); }
    replies::ReplyRow RowAt(int index) override { return list_.Row(index); }
    int SelectedRow() override { return list_.SelectedRow(); }
    void ClearSelection() override { list_.SetSelectedRow(-1); }

  private:
    replies::ReplyListView& list_;
};

// Click targets relative to the chat window's client-area origin, from the
// outer width and height of ChatWindowRect. The distances are the chat
// client's own 96-DPI layout, which it scales by its monitor's DPI.
inline constexpr int kInputBoxFromRight = 33;
inline constexpr int kInputBoxFromBottom = 58;
inline constexpr int kSendButtonFromRight = 78;
inline constexpr int kSendButtonFromBottom = 28;
// Longest wait for the chat client to come to the front after the click into
// its input box.
inline constexpr uint32_t kChatActivationWaitMs = 250;
// The pause that lets the chat client take the paste before Send is clicked.
inline constexpr int32_t kSendPauseMs = 10;

struct DeliveryPorts {
    app::AppState& state;
    ChatWindows& windows;
    SyntheticInput& input;
    Clipboard& clipboard;
    MessagePump& pump;
    ReplyRows& rows;
};

class ReplyDelivery {
  public:
    // `attachment_folder` ends with a backslash: the folder "fi" of the program.
    ReplyDelivery(const DeliveryPorts& ports, std::string attachment_folder);

    // A left click on the reply list: the selected row, text or attachment,
    // only while the panel follows the chat client.
    void DeliverSelectedRow();
    // An F-key: the text of every row keyed `key_text`, in list order; into
    // the focused window with no click while the panel does not follow.
    void DeliverHotkey(const std::string& key_text);
    // True while a delivery runs, its own synthetic clicks included.
    bool Running() const { return running_; }

  private:
    struct Request {
        bool selected_row;
        std::string key_text;
    };
    // Deliveries pump messages, so a click or an F-key can arrive in the
    // middle of one; it waits its turn instead of mixing clipboard contents.
    void Run(Request request);
    void SelectedRowNow();
    void HotkeyNow(const std::string& key_text);
    // Click into the input box, clipboard, Ctrl+V and, in send mode, Send.
    // False when the clipboard could not be set: then nothing is pasted.
    bool PasteIntoChat(const replies::ReplyRow& row, bool as_file_list);
    // The chat window clicked, 0 when there is none.
    WindowHandle ClickChat(int from_right, int from_bottom);
    void WaitForChatInFront();
    bool PlaceOnClipboard(const replies::ReplyRow& row, bool as_file_list);

    DeliveryPorts ports_;
    std::string attachment_folder_;
    bool running_ = false;
    std::deque<Request> waiting_;
};

}  // namespace tovanel::automation
