#include "replies/reply_transfer.h"

#include <optional>
#include <utility>
#include <vector>

#include "replies/content_table.h"
#include "replies/reply_text.h"

namespace tovanel::replies {

std::string LineWithoutContentMessage(size_t line) {
    return "第 " + std::to_string(line) +
           " 行没有内容（每行应为“[快捷键]内容”），整个文件未导入，回复没有改动。";
}

ReplyTransfer::ReplyTransfer(store::RecordStore& store, ReplyListView& list, ReplyLibrary& library,
                             ReplyFileDialog& dialog, TextFiles& files, UserMessages& messages)
    : store_(store),
      list_(list),
      library_(library),
      dialog_(dialog),
      files_(files),
      messages_(messages) {}

void ReplyTransfer::ExportReplies() {
    const std::optional<std::string> path = dialog_.ChooseFileToSave();
    if (!path) return;
    std::vector<ReplyRow> rows;
    const int count = list_.RowCount();
    rows.reserve(static_cast<size_t>(count));
    for (int i = 0; i < count; ++i) rows.push_back(list_.Row(i));
    if (!files_.WriteAll(*path, ExportText(rows))) messages_.Warning(kCannotWriteFile);
}

void ReplyTransfer::ImportReplies() {
    const std::optional<std::string> path = dialog_.ChooseFileToOpen();
    if (!path) return;
    std::string bytes;
    if (!files_.ReadAll(*path, &bytes)) {
        messages_.Warning(kCannotReadFile);
        return;
    }
    ParsedReplies parsed = ParseReplyText(bytes);
    if (parsed.bad_line != 0) {
        messages_.Warning(LineWithoutContentMessage(parsed.bad_line));
        return;
    }
    // The list shows the imported rows, without images, while they are stored.
    std::vector<ListedRow> listed;
    listed.reserve(parsed.rows.size());
    for (const ReplyRow& row : parsed.rows) listed.push_back({row, RowImage::kNone});
    list_.ReplaceRows(std::move(listed));
    StoreImportedRows(parsed.rows);
}

// The rows come from the file, not from the list: the message boxes run their
// own loops, in which the list could change.
void ReplyTransfer::StoreImportedRows(const std::vector<ReplyRow>& rows) {
    if (!store_.OpenTable(kContentTableName, kContentTablePassword)) {
        messages_.Error(kCannotOpenTable);
        return;
    }
    store_.ClearTable();
    // One box per row, each answered before the next record is added.
    for (const ReplyRow& row : rows) {
        const bool added = store_.AddRecord({store::Value{row.key}, store::Value{row.text}});
        messages_.Warning(added ? kImported : kImportFailed);
    }
    store_.CloseTable();
    library_.RefillReplyList();
}

}  // namespace tovanel::replies
