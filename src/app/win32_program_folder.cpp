#include "app/win32_program_folder.h"

#include <windows.h>

namespace tovanel::app {

std::wstring ProgramFolderWide() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    path.resize(length);
    const size_t slash = path.find_last_of(L"\\/");
    path.resize(slash == std::wstring::npos ? 0 : slash);
    return path;
}

std::string ProgramFolderAnsi() {
    const std::wstring folder = ProgramFolderWide();
    const int length = static_cast<int>(folder.size());
    const int size =
        WideCharToMultiByte(CP_ACP, 0, folder.data(), length, nullptr, 0, nullptr, nullptr);
    std::string ansi(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, folder.data(), length, ansi.data(), size, nullptr, nullptr);
    return ansi;
}

}  // namespace tovanel::app
