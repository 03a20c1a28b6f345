#include "replies/hotkey_editor.h"

#include <utility>

#include "replies/content_table.h"
#include "replies/reply_library.h"

namespace tovanel::replies {

std::string HotkeyChoiceText(int choice) {
    if (choice <= 0 || choice >= kHotkeyChoiceCount) return "不使用";
    return "F" + std::to_string(choice);
}

HotkeyEditor::HotkeyEditor(store::RecordStore& store, UserMessages& messages,
                           std::function<void()> refill_main_list)
    : store_(store), messages_(messages), refill_main_list_(std::move(refill_main_list)) {}

void HotkeyEditor::FillHotkeyEditor() {
    rows_.clear();
    if (!ReadReplyRecords(store_, &rows_)) messages_.Error(kCannotOpenTable);
}

bool HotkeyEditor::AssignHotkey(int selected, int choice) {
    if (selected < 0 || selected >= static_cast<int>(rows_.size())) {
        messages_.Warning(kNoRowToAssign);
        return false;
    }
    if (choice <= 0 || choice >= kHotkeyChoiceCount) {
        rows_[static_cast<size_t>(selected)].key.clear();
        return true;
    }
    const std::string key = HotkeyChoiceText(choice);
    if (HotkeyInUse(key)) {
        messages_.Warning(kHotkeyTaken);
        return false;
    }
    rows_[static_cast<size_t>(selected)].key = key;
    return true;
}

bool HotkeyEditor::HotkeyInUse(const std::string& key) const {
    for (const ReplyRow& row : rows_) {
        if (row.key == key) return true;
    }
    return false;
}

bool HotkeyEditor::SaveHotkeys() {
    if (!store_.OpenTable(kContentTableName, kContentTablePassword)) {
        messages_.Error(kCannotOpenTable);
        return false;
    }
    store_.GoToFirstRecord();
    // Every row is written, changed or not; only field 1 is given.
    for (const ReplyRow& row : rows_) {
        store_.ModifyRecord({store::Value{row.key}});
        store_.SkipRecords(1);
    }
    store_.CloseTable();
    messages_.Information(kHotkeysSaved);
    if (refill_main_list_) refill_main_list_();
    return true;
}

}  // namespace tovanel::replies
