// What the reply list's controls and its context menu report; the reply
// library decides what happens.
#pragma once

#include <string>

namespace tovanel::ui {

class ReplyListEvents {
  public:
    virtual ~ReplyListEvents() = default;
    // A left click anywhere in the list: the delivery of the selected row.
    virtual void OnReplyListClick() = 0;
    // "添加" with the edit box's text; true when it was stored and the box empties.
    virtual bool OnAddClicked(const std::string& typed) = 0;
    virtual void OnDeleteCommand() = 0;       // "删除"
    virtual void OnEditHotkeysCommand() = 0;  // "编辑快捷键"
    virtual void OnImportCommand() = 0;       // "导入文本(txt格式)"
    virtual void OnExportCommand() = 0;       // "导出文本(txt格式)"
};

}  // namespace tovanel::ui
