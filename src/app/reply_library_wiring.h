// The reply library in the running program: its operations over the real
// list view, attachment folder, file dialog, text files and message boxes,
// and the handlers of the list's clicks, "添加" and the reply menu.
#pragma once

#include <windows.h>

#include <string>

#include "replies/reply_library.h"
#include "replies/reply_transfer.h"
#include "replies/user_messages.h"
#include "replies/win32_attachment_folder.h"
#include "replies/win32_text_files.h"
#include "store/record_store.h"
#include "ui/main_window.h"
#include "ui/reply_file_dialog.h"
#include "ui/reply_list_events.h"

namespace tovanel::app {

// The program's message box, with the reply library's icons.
class ReplyMessageBoxes : public replies::UserMessages {
  public:
    void Error(const std::string& text) override;
    void Warning(const std::string& text) override;
    void Information(const std::string& text) override;
};

class ReplyLibraryWiring : public ui::ReplyListEvents {
  public:
    ReplyLibraryWiring(HINSTANCE instance, ui::MainWindow& window, store::RecordStore& store);
    ReplyLibraryWiring(const ReplyLibraryWiring&) = delete;
    ReplyLibraryWiring& operator=(const ReplyLibraryWiring&) = delete;

    replies::ReplyLibrary& library() { return library_; }

    // ui::ReplyListEvents
    void OnReplyListClick() override;
    bool OnAddClicked(const std::string& typed) override;
    void OnDeleteCommand() override;
    void OnEditHotkeysCommand() override;
    void OnImportCommand() override;
    void OnExportCommand() override;

  private:
    HINSTANCE instance_;
    ui::MainWindow& window_;
    store::RecordStore& store_;
    ReplyMessageBoxes messages_;
    replies::Win32AttachmentFolder folder_;
    replies::Win32TextFiles files_;
    ui::ReplyFileDialog dialog_;
    replies::ReplyLibrary library_;
    replies::ReplyTransfer transfer_;
};

}  // namespace tovanel::app
