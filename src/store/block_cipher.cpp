#include "store/block_cipher.h"

#include <algorithm>
#include <cstring>

namespace tovanel::store {
namespace {

// The block-key stream's first bytes are dropped before the block's key bytes start.
constexpr size_t kDiscardedBytes = 36;
// Bytes 0..3 (the magic) are never enciphered.
constexpr int64_t kPlainPrefix = 4;

}  // namespace

BlockCipher::BlockCipher(const std::string& password)
    : enabled_(!password.empty()), password_(password) {
    if (!enabled_) return;
    check_ = PasswordCheckString(password_);
    base_rc4_.emplace(password_.data(), password_.size());
}

void BlockCipher::Apply(int64_t offset, uint8_t* data, size_t size) {
    if (!enabled_ || size == 0) return;
    if (offset < kPlainPrefix) {
        const auto plain = static_cast<size_t>(std::min<int64_t>(kPlainPrefix - offset, size));
        offset += plain;
        data += plain;
        size -= plain;
    }
    while (size > 0) {
        const int64_t block = offset / kBlockSize;
        const auto in_block = static_cast<size_t>(offset % kBlockSize);
        const size_t count = std::min(size, static_cast<size_t>(kBlockSize) - in_block);
        const uint8_t* key = BlockKeystream(block).data() + in_block;
        for (size_t n = 0; n < count; ++n) data[n] ^= key[n];
        offset += count;
        data += count;
        size -= count;
    }
}

const std::vector<uint8_t>& BlockCipher::BlockKeystream(int64_t block) {
    auto found = cache_.find(block);
    if (found != cache_.end()) {
        lru_.splice(lru_.begin(), lru_, found->second.second);
        return found->second.first;
    }
    std::vector<uint8_t> keystream;
    if (cache_.size() >= kCachedBlocks) {
        // Reuse the evicted block's buffer instead of allocating a new one.
        auto oldest = cache_.find(lru_.back());
        keystream = std::move(oldest->second.first);
        cache_.erase(oldest);
        lru_.pop_back();
    }
    ComputeKeystream(block, keystream);
    lru_.push_front(block);
    auto& entry = cache_[block];
    entry.first = std::move(keystream);
    entry.second = lru_.begin();
    return entry.first;
}

// A table access usually touches much of a block, so the whole block's key is made at once.
void BlockCipher::ComputeKeystream(int64_t block, std::vector<uint8_t>& out) {
    const uint32_t word = BaseWord(block);
    const uint32_t mixed = word ^ static_cast<uint32_t>(block);
    uint8_t key[40];
    std::memcpy(key, base_.data() + 4 * block, 4);
    std::memcpy(key + 4, check_.data(), 32);
    for (int i = 0; i < 4; ++i) key[36 + i] = static_cast<uint8_t>(mixed >> (8 * i));
    Rc4 rc4(key, sizeof key);
    rc4.Skip(kDiscardedBytes);
    out.resize(kBlockSize);
    rc4.Fill(out.data(), out.size());
}

uint32_t BlockCipher::BaseWord(int64_t block) {
    const auto needed = static_cast<size_t>(4 * block + 4);
    if (base_.size() < needed) {
        // Grow in steps so a scan through a file does not extend the stream byte by byte.
        const size_t grown = std::max(needed, base_.size() + 1024);
        const size_t old_size = base_.size();
        base_.resize(grown);
        base_rc4_->Fill(base_.data() + old_size, grown - old_size);
    }
    const uint8_t* p = base_.data() + 4 * block;
    return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}

}  // namespace tovanel::store
