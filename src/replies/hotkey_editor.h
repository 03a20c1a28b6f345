// The hotkey editor's rules. Its rows stand for the content table's records by
// position; assignments stay in the rows until they are saved.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "replies/reply_row.h"
#include "replies/user_messages.h"
#include "store/record_store.h"

namespace tovanel::replies {

inline constexpr const char* kNoRowToAssign = "请选择要设置快捷键的项目！";
inline constexpr const char* kHotkeyTaken = "快捷键已存在！";
inline constexpr const char* kHotkeysSaved = "保存成功！";

// The 13 items of 组合框功能键: "不使用", then "F1" … "F12".
inline constexpr int kHotkeyChoiceCount = 13;
std::string HotkeyChoiceText(int choice);

class HotkeyEditor {
  public:
    // `refill_main_list` runs after each save, so the main list shows the new keys.
    HotkeyEditor(store::RecordStore& store, UserMessages& messages,
                 std::function<void()> refill_main_list);

    // Reads every record; the rows stay empty when the table cannot be opened.
    void FillHotkeyEditor();
    // Gives row `selected` the key of choice `choice` (0: none). True when the row changed.
    bool AssignHotkey(int selected, int choice);
    // True when any row, the selected one included, has `key` in column 0.
    bool HotkeyInUse(const std::string& key) const;
    // Writes every row's key to the record at its position.
    bool SaveHotkeys();

    const std::vector<ReplyRow>& rows() const { return rows_; }

  private:
    store::RecordStore& store_;
    UserMessages& messages_;
    std::function<void()> refill_main_list_;
    std::vector<ReplyRow> rows_;
};

}  // namespace tovanel::replies
