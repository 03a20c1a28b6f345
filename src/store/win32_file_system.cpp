// The Win32 file port: ANSI paths (GBK on the target systems), sharing for
// read and write, and LockFileEx byte-range locks, which Windows holds per
// handle and enforces against other handles' reads and writes.
#include <windows.h>

#include <climits>

#include "store/error_codes.h"
#include "store/file_port.h"

namespace tovanel::store {

namespace {

int CodeOf(DWORD error) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
            return err::kNotFound;
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_PATHNAME:
        case ERROR_FILENAME_EXCED_RANGE:
        case ERROR_INVALID_DRIVE:
            return err::kBadPath;
        case ERROR_TOO_MANY_OPEN_FILES:
            return err::kTooManyOpenFiles;
        case ERROR_ACCESS_DENIED:
            return err::kAccessDenied;
        case ERROR_INVALID_HANDLE:
            return err::kInvalidHandle;
        case ERROR_CURRENT_DIRECTORY:
            return err::kRemoveCurrentDir;
        case ERROR_CANNOT_MAKE:
            return err::kDirectoryFull;
        case ERROR_SEEK:
        case ERROR_NEGATIVE_SEEK:
            return err::kBeyondEnd;
        case ERROR_CRC:
        case ERROR_GEN_FAILURE:
        case ERROR_READ_FAULT:
        case ERROR_WRITE_FAULT:
        case ERROR_IO_DEVICE:
            return err::kHardware;
        case ERROR_SHARING_VIOLATION:
            return err::kSharingViolation;
        case ERROR_LOCK_VIOLATION:
            return err::kLockViolation;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return err::kDiskFull;
        case ERROR_HANDLE_EOF:
            return err::kEndOfFile;
        default:
            return err::kUnexpected;
    }
}

int LastCode() {
    return CodeOf(GetLastError());
}

OVERLAPPED At(int64_t offset) {
    OVERLAPPED o = {};
    o.Offset = static_cast<DWORD>(uint64_t(offset));
    o.OffsetHigh = static_cast<DWORD>(uint64_t(offset) >> 32);
    return o;
}

class Win32File final : public File {
  public:
    explicit Win32File(HANDLE handle) : handle_(handle) {}
    ~Win32File() override { CloseHandle(handle_); }
    Win32File(const Win32File&) = delete;
    Win32File& operator=(const Win32File&) = delete;

    int Read(int64_t offset, void* data, int32_t size, int32_t* done) override {
        *done = 0;
        OVERLAPPED o = At(offset);
        DWORD got = 0;
        if (!ReadFile(handle_, data, static_cast<DWORD>(size), &got, &o)) {
            // Reading at or past the end is a short read, not a failure.
            if (GetLastError() != ERROR_HANDLE_EOF) return LastCode();
        }
        *done = static_cast<int32_t>(got);
        return 0;
    }

    int Write(int64_t offset, const void* data, int32_t size) override {
        OVERLAPPED o = At(offset);
        DWORD put = 0;
        if (!WriteFile(handle_, data, static_cast<DWORD>(size), &put, &o)) return LastCode();
        return put == DWORD(size) ? 0 : err::kDiskFull;
    }

    int GetSize(int64_t* size) override {
        LARGE_INTEGER li;
        if (!GetFileSizeEx(handle_, &li)) return LastCode();
        *size = li.QuadPart;
        return 0;
    }

    int SetSize(int64_t size) override {
        LARGE_INTEGER li;
        li.QuadPart = size;
        if (!SetFilePointerEx(handle_, li, nullptr, FILE_BEGIN)) return LastCode();
        return SetEndOfFile(handle_) ? 0 : LastCode();
    }

    int Lock(int64_t offset, int64_t length) override {
        OVERLAPPED o = At(offset);
        const DWORD flags = LOCKFILE_EXCLUSIVE_LOCK | LOCKFILE_FAIL_IMMEDIATELY;
        if (LockFileEx(handle_, flags, 0, Low(length), High(length), &o)) return 0;
        const DWORD error = GetLastError();
        if (error == ERROR_LOCK_VIOLATION || error == ERROR_SHARING_VIOLATION ||
            error == ERROR_IO_PENDING)
            return err::kLockViolation;
        return err::kLockFailed;
    }

    int Unlock(int64_t offset, int64_t length) override {
        OVERLAPPED o = At(offset);
        return UnlockFileEx(handle_, 0, Low(length), High(length), &o) ? 0 : err::kNotLocked;
    }

  private:
    static DWORD Low(int64_t v) { return static_cast<DWORD>(uint64_t(v)); }
    static DWORD High(int64_t v) { return static_cast<DWORD>(uint64_t(v) >> 32); }

    HANDLE handle_;
};

class Win32FileSystem final : public FileSystem {
  public:
    int Open(const std::string& path, std::unique_ptr<File>* file) override {
        return OpenWith(path, OPEN_EXISTING, file);
    }
    int Create(const std::string& path, std::unique_ptr<File>* file) override {
        return OpenWith(path, CREATE_ALWAYS, file);
    }

    int FullPath(const std::string& name, std::string* full) override {
        char buffer[MAX_PATH];
        char* file_part = nullptr;
        const DWORD n = GetFullPathNameA(name.c_str(), MAX_PATH, buffer, &file_part);
        if (n == 0) return LastCode();
        if (n >= MAX_PATH) return err::kBadPath;
        full->assign(buffer, n);
        return 0;
    }

    bool IsLeadByte(unsigned char c) const override { return IsDBCSLeadByte(c) != FALSE; }
    bool IsSeparator(char c) const override { return c == '\\' || c == '/'; }
    uint32_t TickCount() override { return GetTickCount(); }
    void Sleep(uint32_t milliseconds) override { ::Sleep(milliseconds); }

  private:
    static int OpenWith(const std::string& path, DWORD disposition, std::unique_ptr<File>* file) {
        HANDLE h = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, disposition,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h == INVALID_HANDLE_VALUE) return LastCode();
        *file = std::make_unique<Win32File>(h);
        return 0;
    }
};

}  // namespace

std::unique_ptr<FileSystem> MakeOsFileSystem() {
    return std::make_unique<Win32FileSystem>();
}

}  // namespace tovanel::store
