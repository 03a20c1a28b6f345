// Position-keyed enciphering of a protected table's files: every byte at
// offset >= 4 is XORed with a key byte that depends only on the password and
// the offset, so any range can be read or written on its own.
#pragma once

#include <cstddef>
#include <cstdint>
#include <list>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "store/crypto.h"

namespace tovanel::store {

class BlockCipher {
  public:
    static constexpr int64_t kBlockSize = 4096;

    // An empty password means a plain table: Apply does nothing.
    explicit BlockCipher(const std::string& password);

    bool enabled() const { return enabled_; }
    // Enciphers or deciphers (the same XOR) `size` bytes found at file `offset`.
    void Apply(int64_t offset, uint8_t* data, size_t size);

  private:
    static constexpr size_t kCachedBlocks = 32;

    const std::vector<uint8_t>& BlockKeystream(int64_t block);
    void ComputeKeystream(int64_t block, std::vector<uint8_t>& out);
    uint32_t BaseWord(int64_t block);

    bool enabled_ = false;
    std::string password_;
    std::string check_;
    std::optional<Rc4> base_rc4_;  // continues where base_ ends
    std::vector<uint8_t> base_;    // base RC4 stream, grown on demand
    // Keystream only (never record data), a few blocks, least recently used out.
    std::list<int64_t> lru_;
    std::unordered_map<int64_t, std::pair<std::vector<uint8_t>, std::list<int64_t>::iterator>>
        cache_;
};

}  // namespace tovanel::store
