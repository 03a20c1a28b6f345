// The reply list as the reply operations and the delivery see it: rows read by
// index and column, the selection, and whole refills. The Win32 list view
// implements it over its own rows; tests fake it.
#pragma once

#include <vector>

#include "replies/reply_row.h"

namespace tovanel::replies {

// The small image shown in column 0; an imported row has none until the refill.
enum class RowImage { kNone = -1, kAttachment = 0, kText = 1 };

struct ListedRow {
    ReplyRow row;
    RowImage image = RowImage::kNone;
};

class ReplyListView {
  public:
    virtual ~ReplyListView() = default;
    virtual int RowCount() const = 0;
    // An empty row for an index outside 0 … RowCount() - 1.
    virtual ReplyRow Row(int index) const = 0;
    // The first selected row, or -1.
    virtual int SelectedRow() const = 0;
    // -1 clears the selection.
    virtual void SetSelectedRow(int index) = 0;
    // Shows exactly these rows, all at once, with no row selected.
    virtual void ReplaceRows(std::vector<ListedRow> rows) = 0;
    virtual void AppendRow(ListedRow row) = 0;
};

}  // namespace tovanel::replies
