#include "store/long_text.h"

#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "store/error_codes.h"
#include "store/table_format.h"

namespace tovanel::store {

using namespace format;

namespace {

struct Block {
    int32_t prev = 0;
    int32_t next = 0;
    int32_t length = 0;
    uint8_t data[kBlockData] = {};
};

int64_t BlockOffset(int32_t n) {
    return int64_t(n) * kBlockSize;
}

}  // namespace

// One read or write of the long-text file: the block-0 header read on first
// need and kept under its lock, and every block lock taken, until the end.
class LongTextFile::Session {
  public:
    // Writers bound block numbers by the file's size; a reader need not ask
    // for it, since a block past the end gives a short read anyway.
    enum class Bound { kFileSize, kShortRead };
    explicit Session(StoreFile& file, Bound bound = Bound::kFileSize) : file_(file) {
        if (bound == Bound::kShortRead) {
            file_blocks_ = INT32_MAX;
        } else {
            MeasureFile();
        }
    }
    ~Session() {
        for (int32_t n : locked_) file_.locks().UnlockByte(BlockOffset(n));
        if (header_locked_) file_.locks().UnlockByte(0);
    }
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    int32_t limit() const { return header_loaded_ ? block_count_ : file_blocks_; }
    bool Valid(int32_t n) const { return n >= 1 && n < limit(); }

    int LoadHeader() {
        if (header_loaded_) return 0;
        if (int code = file_.locks().LockByte(0); code != 0) return code;
        header_locked_ = true;
        // Another process may have added blocks since the session began; only
        // a size taken under the header lock tells which blocks are free to add.
        if (int code = MeasureFile(); code != 0) return code;
        uint8_t bytes[kLongHeaderSize];
        if (int code = file_.ReadExact(0, bytes, kLongHeaderSize, err::kBlockIo); code != 0)
            return code;
        std::memcpy(header_, bytes, kLongHeaderSize);
        block_count_ = GetI32(bytes + 16);
        free_count_ = GetI32(bytes + 20);
        first_free_ = GetI32(bytes + 24);
        if (block_count_ < 1) return err::kBlockIo;
        // New blocks go at the block count: never past the end of the file.
        block_count_ = std::min(block_count_, std::max<int32_t>(file_blocks_, 1));
        header_loaded_ = true;
        return 0;
    }

    int WriteHeader() {
        PutI32(header_ + 16, block_count_);
        PutI32(header_ + 20, free_count_);
        PutI32(header_ + 24, first_free_);
        return file_.Write(0, header_, kLongHeaderSize) == 0 ? 0 : err::kBlockIo;
    }

    int Lock(int32_t n) {
        if (std::find(locked_.begin(), locked_.end(), n) != locked_.end()) return 0;
        if (int code = file_.locks().LockByte(BlockOffset(n)); code != 0) return code;
        locked_.push_back(n);
        return 0;
    }

    void Unlock(int32_t n) {
        auto it = std::find(locked_.begin(), locked_.end(), n);
        if (it == locked_.end()) return;
        locked_.erase(it);
        file_.locks().UnlockByte(BlockOffset(n));
    }

    int ReadBlock(int32_t n, Block* block) {
        if (!Valid(n)) return err::kBlockIo;
        if (int code = Lock(n); code != 0) return code;
        uint8_t bytes[kBlockSize];
        if (int code = file_.ReadExact(BlockOffset(n), bytes, kBlockSize, err::kBlockIo); code != 0)
            return code;
        block->prev = GetI32(bytes);
        block->next = GetI32(bytes + 4);
        block->length = GetI32(bytes + 8);
        std::memcpy(block->data, bytes + kBlockHeaderSize, kBlockData);
        return 0;
    }

    int WriteBlock(int32_t n, const Block& block) {
        if (int code = Lock(n); code != 0) return code;
        uint8_t bytes[kBlockSize];
        PutI32(bytes, block.prev);
        PutI32(bytes + 4, block.next);
        PutI32(bytes + 8, block.length);
        std::memcpy(bytes + kBlockHeaderSize, block.data, kBlockData);
        const int code = file_.Write(BlockOffset(n), bytes, kBlockSize);
        return code == 0 ? 0 : err::kBlockIo;
    }

    // Rewrites one link of a free block. A block in use is never touched: in
    // a damaged file the free list may point into live values.
    int SetFreeLink(int32_t n, int32_t Block::*link, int32_t value) {
        Block block;
        if (int code = ReadBlock(n, &block); code != 0) return code;
        if (block.length != 0) return 0;
        block.*link = value;
        return WriteBlock(n, block);
    }

    // Follows a chain from `first`, as far as it is sound: each block in
    // range, in use, seen once, and pointing back at its predecessor.
    int WalkChain(int32_t first, std::set<int32_t>* seen, std::vector<int32_t>* chain) {
        int32_t prev = 0;
        for (int32_t n = first; n > 0;) {
            Block block;
            if (!Valid(n) || seen->count(n) != 0) break;
            if (int code = ReadBlock(n, &block); code != 0) return code;
            if (block.length <= 0 || block.prev != prev) break;
            seen->insert(n);
            chain->push_back(n);
            prev = n;
            n = block.next;
        }
        return 0;
    }

    // Drops a free list whose head is not a free block.
    int CheckFreeList() {
        if (first_free_ == 0) return 0;
        Block block;
        if (Valid(first_free_)) {
            if (int code = ReadBlock(first_free_, &block); code != 0) return code;
            if (block.length == 0) return 0;
        }
        first_free_ = 0;
        free_count_ = 0;
        return 0;
    }

    int TakeFreeBlock(int32_t* n);
    int FreeChain(const std::vector<int32_t>& blocks);
    int TrimTail();
    int Finish(int code) {
        if (code == 0 && header_loaded_) code = WriteHeader();
        return code;
    }

    bool header_loaded() const { return header_loaded_; }
    int32_t block_count_ = 0;
    int32_t free_count_ = 0;
    int32_t first_free_ = 0;

  private:
    int MeasureFile() {
        int64_t size = 0;
        if (int code = file_.Size(&size); code != 0) return code;
        file_blocks_ = static_cast<int32_t>(std::min<int64_t>(size / kBlockSize, INT32_MAX));
        return 0;
    }

    StoreFile& file_;
    int32_t file_blocks_ = 0;
    bool header_locked_ = false;
    bool header_loaded_ = false;
    uint8_t header_[kLongHeaderSize] = {};
    std::vector<int32_t> locked_;
};

int LongTextFile::Session::TakeFreeBlock(int32_t* n) {
    *n = 0;
    if (int code = LoadHeader(); code != 0) return code;
    if (int code = CheckFreeList(); code != 0) return code;
    if (first_free_ == 0) return 0;
    Block block;
    if (int code = ReadBlock(first_free_, &block); code != 0) return code;
    *n = first_free_;
    first_free_ = Valid(block.next) ? block.next : 0;
    free_count_ = std::max(0, free_count_ - 1);
    return 0;
}

int LongTextFile::Session::FreeChain(const std::vector<int32_t>& blocks) {
    if (blocks.empty()) return 0;
    if (int code = LoadHeader(); code != 0) return code;
    if (int code = CheckFreeList(); code != 0) return code;
    const int32_t former_first = first_free_;
    for (size_t i = 0; i < blocks.size(); ++i) {
        Block block;
        if (int code = ReadBlock(blocks[i], &block); code != 0) return code;
        Block freed;
        freed.prev = i == 0 ? 0 : blocks[i - 1];
        freed.next = i + 1 < blocks.size() ? blocks[i + 1] : former_first;
        if (int code = WriteBlock(blocks[i], freed); code != 0) return code;
    }
    if (former_first != 0) {
        if (int code = SetFreeLink(former_first, &Block::prev, blocks.back()); code != 0)
            return code;
    }
    first_free_ = blocks.front();
    free_count_ += static_cast<int32_t>(blocks.size());
    const bool freed_last =
        std::find(blocks.begin(), blocks.end(), block_count_ - 1) != blocks.end();
    return freed_last ? TrimTail() : 0;
}

int LongTextFile::Session::TrimTail() {
    int32_t last = block_count_ - 1;
    while (last > 0) {
        Block block;
        if (int code = ReadBlock(last, &block); code != 0) return code;
        if (block.length != 0) break;
        const int32_t prev = Valid(block.prev) ? block.prev : 0;
        const int32_t next = Valid(block.next) ? block.next : 0;
        if (first_free_ == last) {
            first_free_ = next;
            if (next != 0) {
                if (int code = SetFreeLink(next, &Block::prev, 0); code != 0) return code;
            }
        } else {
            if (prev != 0) {
                if (int code = SetFreeLink(prev, &Block::next, next); code != 0) return code;
            }
            if (next != 0) {
                if (int code = SetFreeLink(next, &Block::prev, prev); code != 0) return code;
            }
        }
        free_count_ = std::max(0, free_count_ - 1);
        Unlock(last);
        --last;
    }
    block_count_ = last + 1;
    return file_.SetSize(BlockOffset(block_count_));
}

int LongTextFile::Read(int32_t first, std::string* value) {
    value->clear();
    if (first < 0) return err::kBlockIo;
    Session session(file_, Session::Bound::kShortRead);
    std::set<int32_t> seen;
    int32_t previous = 0;
    for (int32_t n = first; n != 0;) {
        // A block appears in a chain once and points back at its predecessor;
        // anything else is damage, which must end the walk, not loop it.
        if (!session.Valid(n) || !seen.insert(n).second) return err::kBlockIo;
        Block block;
        if (int code = session.ReadBlock(n, &block); code != 0) return code;
        if (block.length < 0 || block.length > kBlockData || block.prev != previous)
            return err::kBlockIo;
        value->append(reinterpret_cast<const char*>(block.data), block.length);
        if (previous != 0) session.Unlock(previous);
        previous = n;
        n = block.next;
    }
    return 0;
}

int LongTextFile::Write(int32_t old_first, const std::string& bytes, int32_t* first) {
    *first = old_first;
    Session session(file_);
    std::set<int32_t> seen;
    std::vector<int32_t> old_chain;
    if (int code = session.WalkChain(old_first, &seen, &old_chain); code != 0) return code;
    const size_t chunks = (bytes.size() + kBlockData - 1) / kBlockData;
    std::vector<int32_t> chain(old_chain.begin(),
                               old_chain.begin() + std::min(chunks, old_chain.size()));
    // A chain that grows or shrinks needs the header: taken before any block
    // is written, a refused lock leaves the old value whole and no block cut
    // off its chain without reaching the free list.
    int code = chunks == old_chain.size() ? 0 : session.LoadHeader();
    while (chain.size() < chunks && code == 0) {
        int32_t n = 0;
        if ((code = session.TakeFreeBlock(&n)) != 0) break;
        if (n == 0) n = session.block_count_++;  // TakeFreeBlock loaded the header
        chain.push_back(n);
    }
    // Crash order: the header first (a kill then only leaks the blocks taken,
    // and a file not yet grown is cut back on open), then the blocks from the
    // last to the first, so the record's chain switches over only at the end.
    if (code == 0 && session.header_loaded()) code = session.WriteHeader();
    for (size_t i = chain.size(); i-- > 0 && code == 0;) {
        Block block;
        block.prev = i == 0 ? 0 : chain[i - 1];
        block.next = i + 1 < chain.size() ? chain[i + 1] : 0;
        const size_t from = i * kBlockData;
        block.length = static_cast<int32_t>(std::min<size_t>(kBlockData, bytes.size() - from));
        std::memcpy(block.data, bytes.data() + from, block.length);
        code = session.WriteBlock(chain[i], block);
    }
    if (code != 0) return session.Finish(code);
    // Once the new chain is written the record must point at it, even if
    // freeing the surplus fails.
    *first = chain.empty() ? 0 : chain.front();
    const std::vector<int32_t> surplus(old_chain.begin() + std::min(chunks, old_chain.size()),
                                       old_chain.end());
    return session.Finish(session.FreeChain(surplus));
}

int LongTextFile::Free(int32_t first) {
    Session session(file_);
    std::set<int32_t> seen;
    std::vector<int32_t> chain;
    if (int code = session.WalkChain(first, &seen, &chain); code != 0) return code;
    return session.Finish(session.FreeChain(chain));
}

}  // namespace tovanel::store
