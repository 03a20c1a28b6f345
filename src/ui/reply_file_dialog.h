// 通用对话框1: the open and save dialog of import and export. It lists text
// files, starts in the program's folder, offers the path chosen last, and
// leaves the working directory where it was.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "replies/reply_file_ports.h"

namespace tovanel::ui {

class ReplyFileDialog : public replies::ReplyFileDialog {
  public:
    // `owner` is asked for the owning window at each use.
    explicit ReplyFileDialog(std::function<HWND()> owner);

    std::optional<std::string> ChooseFileToOpen() override;
    std::optional<std::string> ChooseFileToSave() override;

  private:
    std::optional<std::string> Choose(bool save);

    std::function<HWND()> owner_;
    std::string program_folder_;
    std::string last_path_;  // empty until a file has been chosen
};

}  // namespace tovanel::ui
