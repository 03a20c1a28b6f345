// The attachment folder "fi" beside the program: the files sent as replies.
// Every name handed in is a plain file name (see attachment_name.h).
#pragma once

#include <string>
#include <vector>

namespace tovanel::replies {

class AttachmentFolder {
  public:
    virtual ~AttachmentFolder() = default;
    // Full paths of the folder's files (not its subfolders) in the order the
    // system enumerates them; empty for a missing folder.
    virtual std::vector<std::string> ListFolderFiles() = 0;
    // True when `path` names a folder (a drop of one is refused).
    virtual bool IsFolder(const std::string& path) = 0;
    // Copies the file at `source` in as `name`, replacing a file of that name.
    virtual bool CopyIn(const std::string& source, const std::string& name) = 0;
    virtual bool Remove(const std::string& name) = 0;
};

}  // namespace tovanel::replies
