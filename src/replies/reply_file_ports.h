// What import and export need from the system: the file dialog 通用对话框1 and
// whole-file reads and writes.
#pragma once

#include <optional>
#include <string>

namespace tovanel::replies {

class ReplyFileDialog {
  public:
    virtual ~ReplyFileDialog() = default;
    // The chosen file's full path, or nothing when the user cancels. Both
    // offer the path chosen last, in either of them.
    virtual std::optional<std::string> ChooseFileToOpen() = 0;
    virtual std::optional<std::string> ChooseFileToSave() = 0;
};

class TextFiles {
  public:
    virtual ~TextFiles() = default;
    // The file's bytes; false when it cannot be opened or read.
    virtual bool ReadAll(const std::string& path, std::string* bytes) = 0;
    // Creates or empties the file and writes `bytes`; false on any failure.
    virtual bool WriteAll(const std::string& path, const std::string& bytes) = 0;
};

}  // namespace tovanel::replies
