// What the refill benchmark times on Win32: RefillReplyList into the real
// panel's list view, shown on screen, up to the painted rows.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "replies/reply_row.h"
#include "store/record_store.h"

namespace tovanel::bench {

class RefillTarget {
  public:
    virtual ~RefillTarget() = default;
    // One refill from the content table and the folder `attachments`, both
    // resolved against the working directory of the moment, painted up to
    // the rows on screen; returns the list's row count.
    virtual int Refill() = 0;
    // The list's share of a refill: these rows handed to the list and painted.
    virtual void Show(const std::vector<replies::ReplyRow>& rows) = 0;
};

// Null where there is no window system (the native build).
std::unique_ptr<RefillTarget> MakeRefillTarget(store::RecordStore& store,
                                               const std::string& attachments);

}  // namespace tovanel::bench
