// Values kept in a table's long-text file: chains of 512-byte blocks with a
// free list, as described in the block-0 header.
#pragma once

#include <cstdint>
#include <string>

#include "store/store_file.h"

namespace tovanel::store {

class LongTextFile {
  public:
    explicit LongTextFile(StoreFile& file) : file_(file) {}

    // The chain's bytes from block `first` (0: the empty value). Damaged chains
    // (a loop, a block past the end, a bad length) end with -59.
    int Read(int32_t first, std::string* value);
    // Stores `bytes` reusing the old chain, then the free list, then new blocks
    // at the end; `*first` gets the new first block (0 for an empty value).
    int Write(int32_t old_first, const std::string& bytes, int32_t* first);
    // Returns a whole chain to the free list.
    int Free(int32_t first);

  private:
    class Session;
    StoreFile& file_;
};

}  // namespace tovanel::store
