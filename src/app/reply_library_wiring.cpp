#include "app/reply_library_wiring.h"

#include "app/win32_os_services.h"
#include "replies/hotkey_editor.h"
#include "ui/hotkey_editor_window.h"

namespace tovanel::app {

void ReplyMessageBoxes::Error(const std::string& text) {
    ShowUserMessage(text, replies::kMessageCaption, MessageIcon::kError);
}

void ReplyMessageBoxes::Warning(const std::string& text) {
    ShowUserMessage(text, replies::kMessageCaption, MessageIcon::kWarning);
}

void ReplyMessageBoxes::Information(const std::string& text) {
    ShowUserMessage(text, replies::kMessageCaption, MessageIcon::kInformation);
}

ReplyLibraryWiring::ReplyLibraryWiring(HINSTANCE instance, ui::MainWindow& window,
                                       store::RecordStore& store)
    : instance_(instance),
      window_(window),
      store_(store),
      dialog_([&window] { return window.window(); }),
      library_(store, window.reply_rows(), folder_, messages_),
      transfer_(store, window.reply_rows(), library_, dialog_, files_, messages_) {}

// The delivery of the selected row takes over here.
void ReplyLibraryWiring::OnReplyListClick() {}

bool ReplyLibraryWiring::OnAddClicked(const std::string& typed) {
    return library_.AddReply(typed);
}

void ReplyLibraryWiring::OnDeleteCommand() {
    library_.DeleteSelectedReply();
}

void ReplyLibraryWiring::OnEditHotkeysCommand() {
    replies::HotkeyEditor editor(store_, messages_, [this] { library_.RefillReplyList(); });
    ui::HotkeyEditorWindow editor_window(instance_, editor);
    editor_window.RunModal(window_.window(), window_.ui_font());
}

void ReplyLibraryWiring::OnImportCommand() {
    transfer_.ImportReplies();
}

void ReplyLibraryWiring::OnExportCommand() {
    transfer_.ExportReplies();
}

}  // namespace tovanel::app
