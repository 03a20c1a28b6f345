#include "ui/reply_list_control.h"

#include <utility>

namespace tovanel::ui {

replies::ReplyRow ReplyListControl::Row(int index) const {
    if (index < 0 || index >= RowCount()) return {};
    return rows_[static_cast<size_t>(index)].row;
}

int ReplyListControl::SelectedRow() const {
    if (list_ == nullptr) return -1;
    return static_cast<int>(SendMessageA(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

void ReplyListControl::SetSelectedRow(int index) {
    if (list_ == nullptr) return;
    // Index -1 addresses every item: clearing it clears the whole selection.
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED);
    if (index >= 0 && index < RowCount()) {
        ListView_SetItemState(list_, index, LVIS_SELECTED | LVIS_FOCUSED,
                              LVIS_SELECTED | LVIS_FOCUSED);
    }
}

void ReplyListControl::ReplaceRows(std::vector<replies::ListedRow> rows) {
    rows_ = std::move(rows);
    if (list_ == nullptr) return;
    ListView_SetItemState(list_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_SetItemCountEx(list_, RowCount(), 0);
    InvalidateRect(list_, nullptr, TRUE);
}

void ReplyListControl::AppendRow(replies::ListedRow row) {
    rows_.push_back(std::move(row));
    if (list_ == nullptr) return;
    ListView_SetItemCountEx(list_, RowCount(), LVSICF_NOSCROLL | LVSICF_NOINVALIDATEALL);
}

void ReplyListControl::OnGetDisplayInfo(NMLVDISPINFOA& info) const {
    LVITEMA& item = info.item;
    if (item.iItem < 0 || item.iItem >= RowCount()) return;
    const replies::ListedRow& listed = rows_[static_cast<size_t>(item.iItem)];
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const std::string& text = item.iSubItem == 0 ? listed.row.key : listed.row.text;
        lstrcpynA(item.pszText, text.c_str(), item.cchTextMax);
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
        item.iImage =
            listed.image == replies::RowImage::kNone ? I_IMAGENONE : static_cast<int>(listed.image);
    }
}

}  // namespace tovanel::ui
