#include "ui/reply_file_dialog.h"

#include <commdlg.h>

#include <utility>
#include <vector>

#include "replies/win32_attachment_folder.h"

namespace tovanel::ui {

namespace {

// One entry; its pattern lists the text files.
constexpr char kTextFilter[] = "文本文件（*.txt）\0*.txt\0";
constexpr DWORD kPathBuffer = 32768;

}  // namespace

ReplyFileDialog::ReplyFileDialog(std::function<HWND()> owner)
    : owner_(std::move(owner)), program_folder_(replies::ProgramFolder()) {}

std::optional<std::string> ReplyFileDialog::ChooseFileToOpen() {
    return Choose(false);
}

std::optional<std::string> ReplyFileDialog::ChooseFileToSave() {
    return Choose(true);
}

std::optional<std::string> ReplyFileDialog::Choose(bool save) {
    std::vector<char> file(kPathBuffer, '\0');
    last_path_.copy(file.data(), file.size() - 1);
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner_ ? owner_() : nullptr;
    dialog.lpstrFilter = kTextFilter;
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = file.data();
    dialog.nMaxFile = static_cast<DWORD>(file.size());
    dialog.lpstrInitialDir = program_folder_.c_str();
    dialog.lpstrDefExt = "txt";
    // The tables are opened by relative name: the working directory must stay.
    dialog.Flags = OFN_EXPLORER | OFN_HIDEREADONLY | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                   (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    const BOOL chosen = save ? GetSaveFileNameA(&dialog) : GetOpenFileNameA(&dialog);
    if (!chosen) return std::nullopt;
    last_path_ = file.data();
    return last_path_;
}

}  // namespace tovanel::ui
