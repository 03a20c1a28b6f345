#include "store/lock_set.h"

#include "store/error_codes.h"

namespace tovanel::store {

namespace {

bool IsContention(int code) {
    return code == err::kLockViolation || code == err::kSharingViolation;
}

}  // namespace

int LockSet::LockWithWait(int64_t offset, int64_t length, uint32_t wait_ms) {
    const uint32_t start = fs_.TickCount();
    for (;;) {
        const int code = file_.Lock(offset, length);
        if (code == 0 || !IsContention(code)) return code;
        if (fs_.TickCount() - start >= wait_ms) return code;
        fs_.Sleep(20 + fs_.TickCount() % 20);
    }
}

int LockSet::LockByte(int64_t offset, uint32_t wait_ms) {
    if (whole_depth_ > 0) return 0;
    auto it = bytes_.find(offset);
    if (it != bytes_.end()) {
        ++it->second;
        return 0;
    }
    const int code = LockWithWait(offset, 1, wait_ms);
    if (code == 0) bytes_.emplace(offset, 1);
    return code;
}

int LockSet::UnlockByte(int64_t offset) {
    if (whole_depth_ > 0) return 0;
    auto it = bytes_.find(offset);
    if (it == bytes_.end()) return err::kNotLocked;
    if (--it->second > 0) return 0;
    bytes_.erase(it);
    return file_.Unlock(offset, 1);
}

int LockSet::LockWhole() {
    if (whole_depth_ > 0) {
        ++whole_depth_;
        return 0;
    }
    // The bytes this file already holds stay locked on their own; the whole
    // range is taken around them, since a handle's locks must not overlap.
    std::vector<std::pair<int64_t, int64_t>> ranges;
    int64_t from = 0;
    for (const auto& [byte, count] : bytes_) {
        if (byte >= kWholeLength) break;
        if (byte > from) ranges.emplace_back(from, byte - from);
        from = byte + 1;
    }
    if (from < kWholeLength) ranges.emplace_back(from, kWholeLength - from);

    for (size_t i = 0; i < ranges.size(); ++i) {
        const int code = LockWithWait(ranges[i].first, ranges[i].second, 0);
        if (code != 0) {
            while (i-- > 0) file_.Unlock(ranges[i].first, ranges[i].second);
            return code;
        }
    }
    whole_ranges_ = std::move(ranges);
    whole_depth_ = 1;
    return 0;
}

int LockSet::UnlockWhole() {
    if (whole_depth_ == 0) return err::kNotLocked;
    if (--whole_depth_ > 0) return 0;
    int result = 0;
    for (const auto& [offset, length] : whole_ranges_) {
        const int code = file_.Unlock(offset, length);
        if (result == 0) result = code;
    }
    whole_ranges_.clear();
    return result;
}

void LockSet::ReleaseAll() {
    if (whole_depth_ > 0) {
        whole_depth_ = 1;
        UnlockWhole();
    }
    for (const auto& entry : bytes_) file_.Unlock(entry.first, 1);
    bytes_.clear();
}

}  // namespace tovanel::store
