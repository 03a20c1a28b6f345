// Byte-range locks of one open file, counted the way the store needs them:
// single bytes nest by count, the whole-table range nests by depth, and while
// the whole range is held single-byte requests succeed without further effect.
#pragma once

#include <cstdint>
#include <map>
#include <utility>
#include <vector>

#include "store/file_port.h"

namespace tovanel::store {

class LockSet {
  public:
    // The whole-table range: 2147483647 bytes from offset 0.
    static constexpr int64_t kWholeLength = 2147483647;

    LockSet(File& file, FileSystem& fs) : file_(file), fs_(fs) {}
    ~LockSet() { ReleaseAll(); }
    LockSet(const LockSet&) = delete;
    LockSet& operator=(const LockSet&) = delete;

    // Retries sharing and lock violations for up to `wait_ms`, pausing
    // 20 + (tick mod 20) ms between tries; any other failure is final.
    int LockByte(int64_t offset, uint32_t wait_ms = 0);
    int UnlockByte(int64_t offset);  // -29 when the byte is not held
    int LockWhole();
    int UnlockWhole();
    void ReleaseAll();

  private:
    int LockWithWait(int64_t offset, int64_t length, uint32_t wait_ms);

    File& file_;
    FileSystem& fs_;
    std::map<int64_t, int> bytes_;  // held byte -> nesting count
    int whole_depth_ = 0;
    std::vector<std::pair<int64_t, int64_t>> whole_ranges_;  // as locked
};

// Holds one byte lock for a scope; `code()` tells whether it was granted.
class ByteLock {
  public:
    ByteLock(LockSet& locks, int64_t offset, uint32_t wait_ms = 0)
        : locks_(locks), offset_(offset), code_(locks.LockByte(offset, wait_ms)) {}
    ~ByteLock() {
        if (code_ == 0) locks_.UnlockByte(offset_);
    }
    ByteLock(const ByteLock&) = delete;
    ByteLock& operator=(const ByteLock&) = delete;
    int code() const { return code_; }

  private:
    LockSet& locks_;
    int64_t offset_;
    int code_;
};

// Holds the whole-table lock for a scope.
class WholeLock {
  public:
    explicit WholeLock(LockSet& locks) : locks_(locks), code_(locks.LockWhole()) {}
    ~WholeLock() {
        if (code_ == 0) locks_.UnlockWhole();
    }
    WholeLock(const WholeLock&) = delete;
    WholeLock& operator=(const WholeLock&) = delete;
    int code() const { return code_; }

  private:
    LockSet& locks_;
    int code_;
};

}  // namespace tovanel::store
