// The store's only door to the operating system: open, read, write, size, lock.
// Everything above it is OS-free; tests swap in a fault-injecting port.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace tovanel::store {

// Every call returns 0 on success or a store error code chosen by the cause
// (see error_codes.h), never an OS error number.
class File {
  public:
    virtual ~File() = default;
    // Reads up to `size` bytes at `offset`; `*done` gets the count actually read.
    virtual int Read(int64_t offset, void* data, int32_t size, int32_t* done) = 0;
    virtual int Write(int64_t offset, const void* data, int32_t size) = 0;
    virtual int GetSize(int64_t* size) = 0;
    virtual int SetSize(int64_t size) = 0;
    // Exclusive byte-range lock held by this open file, never waits:
    // -13 when another open file holds any of the bytes.
    virtual int Lock(int64_t offset, int64_t length) = 0;
    virtual int Unlock(int64_t offset, int64_t length) = 0;
};

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // Read/write, shared with others for reading and writing, never creates.
    virtual int Open(const std::string& path, std::unique_ptr<File>* file) = 0;
    // Creates or truncates; only the table tool and tests make tables.
    virtual int Create(const std::string& path, std::unique_ptr<File>* file) = 0;
    // Absolute form of `name` against the current directory; -4 when the
    // result would not fit the system's 260-character path buffer.
    virtual int FullPath(const std::string& name, std::string* full) = 0;
    // Path scanning must step over double-byte characters of the code page.
    virtual bool IsLeadByte(unsigned char c) const = 0;
    virtual bool IsSeparator(char c) const = 0;
    virtual uint32_t TickCount() = 0;
    virtual void Sleep(uint32_t milliseconds) = 0;
};

// The real file system of this build: Win32 on Windows, POSIX elsewhere.
std::unique_ptr<FileSystem> MakeOsFileSystem();

}  // namespace tovanel::store
