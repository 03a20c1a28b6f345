// One row of the reply list: a text reply or an attachment file.
#pragma once

#include <string>

namespace tovanel::replies {

// Column 0 of an attachment row. A row is an attachment exactly when its
// column 0 holds these bytes; the row's image is only for the eye.
inline constexpr const char* kAttachmentMarker = "文件";

struct ReplyRow {
    std::string key;   // column 0: "", "F1" … "F12", or kAttachmentMarker
    std::string text;  // column 1: the reply, or the attachment's file name

    bool IsAttachment() const { return key == kAttachmentMarker; }
};

}  // namespace tovanel::replies
