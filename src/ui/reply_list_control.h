// The reply list 超级列表框1 as a virtual (owner-data) list view over its own
// rows: a refill hands over all rows at once and costs one item-count message,
// and reading a row by index is a vector access.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <vector>

#include "replies/reply_list_view.h"

namespace tovanel::ui {

class ReplyListControl : public replies::ReplyListView {
  public:
    // Takes the list view (created with LVS_OWNERDATA) whose rows this holds.
    void Attach(HWND list) { list_ = list; }
    HWND window() const { return list_; }

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    replies::ReplyRow Row(int index) const override;
    int SelectedRow() const override;
    void SetSelectedRow(int index) override;
    void ReplaceRows(std::vector<replies::ListedRow> rows) override;
    void AppendRow(replies::ListedRow row) override;

    // LVN_GETDISPINFO: the control asks for a cell's text or image.
    void OnGetDisplayInfo(NMLVDISPINFOA& info) const;

  private:
    HWND list_ = nullptr;
    std::vector<replies::ListedRow> rows_;
};

}  // namespace tovanel::ui
