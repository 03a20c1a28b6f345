#include "replies/win32_text_files.h"

#include <windows.h>

namespace tovanel::replies {

namespace {

class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    HANDLE get() const { return handle_; }
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }

  private:
    HANDLE handle_;
};

// A reply file beyond this is no reply file; reading it would only exhaust memory.
constexpr LONGLONG kLargestReplyFile = 256LL * 1024 * 1024;

}  // namespace

bool Win32TextFiles::ReadAll(const std::string& path, std::string* bytes) {
    // Others may keep the file open for reading or writing meanwhile.
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kLargestReplyFile) return false;
    bytes->assign(static_cast<size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes->empty() &&
        !ReadFile(file.get(), bytes->data(), static_cast<DWORD>(bytes->size()), &read, nullptr)) {
        return false;
    }
    bytes->resize(read);
    return true;
}

bool Win32TextFiles::WriteAll(const std::string& path, const std::string& bytes) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                      CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return false;
    DWORD written = 0;
    if (!bytes.empty() && (!WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()),
                                      &written, nullptr) ||
                           written != bytes.size())) {
        return false;
    }
    return true;
}

}  // namespace tovanel::replies
