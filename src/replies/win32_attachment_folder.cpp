#include "replies/win32_attachment_folder.h"

#include <windows.h>

#include <utility>

namespace tovanel::replies {

namespace {

class FindHandle {
  public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

}  // namespace

std::string ProgramFolder() {
    std::string path(MAX_PATH, '\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);
    }
    // The system's own scan steps over double-byte characters.
    const char* last = nullptr;
    for (const char* p = path.c_str(); *p != '\0'; p = CharNextA(p)) {
        if (*p == '\\' || *p == '/') last = p;
    }
    return last != nullptr ? path.substr(0, static_cast<size_t>(last - path.c_str())) : path;
}

Win32AttachmentFolder::Win32AttachmentFolder() : path_(ProgramFolder() + "\\fi\\") {}

Win32AttachmentFolder::Win32AttachmentFolder(std::string folder_path)
    : path_(std::move(folder_path)) {
    if (path_.empty() || path_.back() != '\\') path_ += '\\';
}

std::vector<std::string> Win32AttachmentFolder::ListFolderFiles() {
    std::vector<std::string> paths;
    WIN32_FIND_DATAA entry;
    const FindHandle find(FindFirstFileA((path_ + "*.*").c_str(), &entry));
    if (find.get() == INVALID_HANDLE_VALUE) return paths;
    do {
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
            paths.push_back(path_ + entry.cFileName);
        }
    } while (FindNextFileA(find.get(), &entry));
    return paths;
}

bool Win32AttachmentFolder::IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool Win32AttachmentFolder::CopyIn(const std::string& source, const std::string& name) {
    return CopyFileA(source.c_str(), (path_ + name).c_str(), FALSE) != FALSE;
}

bool Win32AttachmentFolder::Remove(const std::string& name) {
    return DeleteFileA((path_ + name).c_str()) != FALSE;
}

}  // namespace tovanel::replies
