// Export of the text replies to a text file, and import of such a file in
// place of every text reply. The import reads and checks the whole file before
// it changes anything.
#pragma once

#include <string>
#include <vector>

#include "replies/reply_file_ports.h"
#include "replies/reply_library.h"

namespace tovanel::replies {

inline constexpr const char* kImported = "导入成功！";
inline constexpr const char* kImportFailed = "导入失败！";
inline constexpr const char* kCannotReadFile = "无法读取所选的文件，回复没有改动。";
inline constexpr const char* kCannotWriteFile = "导出失败：无法写入所选的文件！";

// "第 n 行没有内容…": the line that refused an import.
std::string LineWithoutContentMessage(size_t line);

class ReplyTransfer {
  public:
    ReplyTransfer(store::RecordStore& store, ReplyListView& list, ReplyLibrary& library,
                  ReplyFileDialog& dialog, TextFiles& files, UserMessages& messages);
    ReplyTransfer(const ReplyTransfer&) = delete;
    ReplyTransfer& operator=(const ReplyTransfer&) = delete;

    void ExportReplies();
    void ImportReplies();

  private:
    void StoreImportedRows(const std::vector<ReplyRow>& rows);

    store::RecordStore& store_;
    ReplyListView& list_;
    ReplyLibrary& library_;
    ReplyFileDialog& dialog_;
    TextFiles& files_;
    UserMessages& messages_;
};

}  // namespace tovanel::replies
