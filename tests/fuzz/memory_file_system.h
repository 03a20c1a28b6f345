// An in-memory file system for the store: fast, no temp files, and lock
// conflicts between open files behave like byte-range locks on disk.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "store/file_port.h"

namespace tovanel::fuzz {

class MemoryFileSystem : public store::FileSystem {
  public:
    // Writes beyond this size fail as a full disk, so a damaged header cannot
    // make the fuzzer allocate gigabytes.
    static constexpr int64_t kMaxFileSize = 64 << 20;

    // `path` is a full path, as FullPath gives it.
    void SetFile(const std::string& path, std::vector<uint8_t> bytes);
    bool GetFile(const std::string& path, std::vector<uint8_t>* bytes) const;

    int Open(const std::string& path, std::unique_ptr<store::File>* file) override;
    int Create(const std::string& path, std::unique_ptr<store::File>* file) override;
    // Relative names resolve against "/mem/".
    int FullPath(const std::string& name, std::string* full) override;
    bool IsLeadByte(unsigned char c) const override { return c >= 0x81 && c <= 0xFE; }
    bool IsSeparator(char c) const override { return c == '/' || c == '\\'; }
    // Time passes only by sleeping, so waits for locks end at once.
    uint32_t TickCount() override { return tick_; }
    void Sleep(uint32_t milliseconds) override { tick_ += milliseconds; }

    struct Lock {
        const void* owner;
        int64_t offset;
        int64_t length;
    };
    struct Node {
        std::vector<uint8_t> data;
        std::vector<Lock> locks;
    };

  private:
    std::map<std::string, std::shared_ptr<Node>> files_;  // keyed case-insensitively
    uint32_t tick_ = 1000;
};

}  // namespace tovanel::fuzz
