// The reply list's operations: the refill from the content table and the
// attachment folder, add, delete and the file drop. Each opens the table,
// works and closes it again within the one call.
#pragma once

#include <string>
#include <vector>

#include "replies/attachment_folder.h"
#include "replies/reply_list_view.h"
#include "replies/user_messages.h"
#include "store/record_store.h"

namespace tovanel::replies {

// Messages of the reply list.
inline constexpr const char* kCannotOpenTable = "数据库打开失败！";
inline constexpr const char* kNothingTyped = "请填写内容！";
inline constexpr const char* kAlreadyListed = "添加的内容已存在！";
inline constexpr const char* kAddFailed = "添加失败！";
inline constexpr const char* kNothingSelected = "请选择要删除的项目！";

// The records of the content table in table order, or nothing when it cannot be opened.
bool ReadReplyRecords(store::RecordStore& store, std::vector<ReplyRow>* rows);

class ReplyLibrary {
  public:
    ReplyLibrary(store::RecordStore& store, ReplyListView& list, AttachmentFolder& folder,
                 UserMessages& messages);
    ReplyLibrary(const ReplyLibrary&) = delete;
    ReplyLibrary& operator=(const ReplyLibrary&) = delete;

    // The records in table order, then one row per attachment file.
    void RefillReplyList();
    // `typed` is the edit box's text; true when it was stored (the box empties).
    bool AddReply(const std::string& typed);
    void DeleteSelectedReply();
    // One dropped file, by full path: copied in, and one row appended.
    void AcceptDroppedFile(const std::string& path);

  private:
    bool IsListed(const std::string& text) const;
    void DeleteRecordByContent(const std::string& content);

    store::RecordStore& store_;
    ReplyListView& list_;
    AttachmentFolder& folder_;
    UserMessages& messages_;
};

}  // namespace tovanel::replies
