// The attachment folder on Win32: "<program folder>\fi\".
#pragma once

#include <string>
#include <vector>

#include "replies/attachment_folder.h"

namespace tovanel::replies {

// The folder of the running executable, without a trailing backslash.
std::string ProgramFolder();

class Win32AttachmentFolder : public AttachmentFolder {
  public:
    // The folder of the running executable followed by "\fi\".
    Win32AttachmentFolder();
    explicit Win32AttachmentFolder(std::string folder_path);

    std::vector<std::string> ListFolderFiles() override;
    bool IsFolder(const std::string& path) override;
    bool CopyIn(const std::string& source, const std::string& name) override;
    bool Remove(const std::string& name) override;

    const std::string& path() const { return path_; }

  private:
    std::string path_;  // ends with a backslash
};

}  // namespace tovanel::replies
