#include "replies/reply_library.h"

#include <utility>
#include <variant>

#include "replies/attachment_name.h"
#include "replies/content_table.h"
#include "replies/gbk_text.h"

namespace tovanel::replies {

namespace {

std::string TextOf(const store::Value& value) {
    const std::string* text = std::get_if<std::string>(&value);
    return text != nullptr ? *text : std::string();
}

// Nothing but ASCII spaces and full-width spaces (GBK A1 A1).
bool IsOnlySpaces(const std::string& text) {
    for (size_t at = 0; at < text.size(); at += CharLengthAt(text, at)) {
        if (text[at] == ' ') continue;
        if (text.compare(at, 2, "\xA1\xA1") == 0) continue;
        return false;
    }
    return true;
}

}  // namespace

bool ReadReplyRecords(store::RecordStore& store, std::vector<ReplyRow>* rows) {
    if (!store.OpenTable(kContentTableName, kContentTablePassword)) return false;
    store.GoToFirstRecord();
    const int32_t count = store.GetRecordCount();
    rows->reserve(rows->size() + static_cast<size_t>(count));
    for (int32_t i = 0; i < count; ++i) {
        ReplyRow row;
        row.key = TextOf(store.ReadField(kHotkeyField));
        row.text = TextOf(store.ReadField(kContentField));
        rows->push_back(std::move(row));
        store.SkipRecords(1);
    }
    store.CloseTable();
    return true;
}

ReplyLibrary::ReplyLibrary(store::RecordStore& store, ReplyListView& list, AttachmentFolder& folder,
                           UserMessages& messages)
    : store_(store), list_(list), folder_(folder), messages_(messages) {}

void ReplyLibrary::RefillReplyList() {
    std::vector<ReplyRow> records;
    if (!ReadReplyRecords(store_, &records)) messages_.Error(kCannotOpenTable);
    const std::vector<std::string> files = folder_.ListFolderFiles();

    std::vector<ListedRow> rows;
    rows.reserve(records.size() + files.size());
    for (ReplyRow& record : records) rows.push_back({std::move(record), RowImage::kText});
    for (const std::string& path : files) {
        rows.push_back({{kAttachmentMarker, FileNameOfPath(path)}, RowImage::kAttachment});
    }
    // Shown in one go: the hooks and clicks never see a half-filled list.
    list_.ReplaceRows(std::move(rows));
}

bool ReplyLibrary::IsListed(const std::string& text) const {
    const int count = list_.RowCount();
    for (int i = 0; i < count; ++i) {
        if (list_.Row(i).text == text) return true;
    }
    return false;
}

bool ReplyLibrary::AddReply(const std::string& typed) {
    if (IsOnlySpaces(typed)) {
        messages_.Warning(kNothingTyped);
        return false;
    }
    // Attachment rows take part: a text equal to a listed file name is refused too.
    if (IsListed(typed)) {
        messages_.Warning(kAlreadyListed);
        return false;
    }
    if (!store_.OpenTable(kContentTableName, kContentTablePassword)) {
        messages_.Error(kCannotOpenTable);
        return false;
    }
    const bool added = store_.AddRecord({std::nullopt, store::Value{typed}});
    if (!added) messages_.Warning(kAddFailed);
    store_.CloseTable();
    RefillReplyList();
    return added;
}

void ReplyLibrary::DeleteSelectedReply() {
    const int selected = list_.SelectedRow();
    if (selected < 0) {
        messages_.Warning(kNothingSelected);
        return;
    }
    const ReplyRow row = list_.Row(selected);
    if (row.IsAttachment()) {
        // An attachment row never touches the table. A name that is no plain
        // file name (an imported row) would reach outside the folder: it deletes nothing.
        if (IsPlainFileName(row.text)) folder_.Remove(row.text);
        RefillReplyList();
        return;
    }
    if (!store_.OpenTable(kContentTableName, kContentTablePassword)) {
        messages_.Error(kCannotOpenTable);
        return;
    }
    DeleteRecordByContent(row.text);
    store_.CloseTable();
    RefillReplyList();
}

// The first record in table order with this content, whatever its hotkey.
void ReplyLibrary::DeleteRecordByContent(const std::string& content) {
    store_.GoToFirstRecord();
    const int32_t count = store_.GetRecordCount();
    for (int32_t i = 0; i < count; ++i) {
        if (TextOf(store_.ReadField(kContentField)) == content) {
            store_.DeleteRecord();
            store_.PurgeDeleted();
            return;
        }
        store_.SkipRecords(1);
    }
}

void ReplyLibrary::AcceptDroppedFile(const std::string& path) {
    // A folder cannot be sent as one attachment file.
    if (folder_.IsFolder(path)) return;
    const std::string name = FileNameOfPath(path);
    if (!IsPlainFileName(name)) return;
    // A failed copy is not reported: the row is there until the next refill.
    folder_.CopyIn(path, name);
    list_.AppendRow({{kAttachmentMarker, name}, RowImage::kAttachment});
}

}  // namespace tovanel::replies
