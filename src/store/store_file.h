// One open file of a table (the table file or its long-text file) with its
// enciphering and its lock bookkeeping. Reads decipher, writes encipher.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "store/block_cipher.h"
#include "store/file_port.h"
#include "store/lock_set.h"

namespace tovanel::store {

class StoreFile {
  public:
    StoreFile(std::unique_ptr<File> file, FileSystem& fs)
        : file_(std::move(file)), locks_(*file_, fs), cipher_(std::string()) {}
    StoreFile(const StoreFile&) = delete;
    StoreFile& operator=(const StoreFile&) = delete;

    void SetPassword(const std::string& password) { cipher_ = BlockCipher(password); }

    // Reads exactly `size` bytes; fewer gives `short_code`.
    int ReadExact(int64_t offset, void* data, int32_t size, int short_code);
    // Reads what is there; `*done` may be short, and is 0 at or past the end.
    int Read(int64_t offset, void* data, int32_t size, int32_t* done);
    int Write(int64_t offset, const void* data, int32_t size);
    int Size(int64_t* size) { return file_->GetSize(size); }
    int SetSize(int64_t size) { return file_->SetSize(size); }
    LockSet& locks() { return locks_; }

  private:
    // Declared first so the locks are released before the file closes.
    std::unique_ptr<File> file_;
    LockSet locks_;
    BlockCipher cipher_;
};

}  // namespace tovanel::store
