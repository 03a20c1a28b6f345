// Move-only owners for the few Win32 resources the test tools hold.
#pragma once

#include <windows.h>

#include <utility>

namespace tovanel::tools {

// A kernel handle; both NULL and INVALID_HANDLE_VALUE mean "none".
class UniqueHandle {
  public:
    UniqueHandle() = default;
    explicit UniqueHandle(HANDLE h) : h_(h) {}
    UniqueHandle(UniqueHandle&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) Reset(std::exchange(other.h_, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(nullptr); }

    bool Valid() const { return h_ != nullptr && h_ != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return h_; }
    void Reset(HANDLE h) {
        if (Valid()) CloseHandle(h_);
        h_ = h;
    }

  private:
    HANDLE h_ = nullptr;
};

// The clipboard, open for as long as this lives.
class ClipboardSession {
  public:
    explicit ClipboardSession(HWND owner) : open_(OpenClipboard(owner) != FALSE) {}
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const { return open_; }

  private:
    bool open_;
};

// A locked global memory block; the clipboard keeps ownership of the block.
class GlobalLockGuard {
  public:
    explicit GlobalLockGuard(HGLOBAL block)
        : block_(block), data_(block ? GlobalLock(block) : nullptr) {}
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    ~GlobalLockGuard() {
        if (data_) GlobalUnlock(block_);
    }
    void* Data() const { return data_; }
    size_t Size() const { return data_ ? GlobalSize(block_) : 0; }

  private:
    HGLOBAL block_;
    void* data_;
};

}  // namespace tovanel::tools
