#include "clipboard_reader.h"

#include <shellapi.h>

#include <cstring>

#include "text_codec.h"
#include "common/win_handle.h"

namespace chatstandin {

using tovanel::tools::ClipboardSession;
using tovanel::tools::GlobalLockGuard;
namespace {

std::vector<std::wstring> ReadFileList(HGLOBAL block) {
    std::vector<std::wstring> files;
    GlobalLockGuard lock(block);
    if (!lock.Data()) return files;
    HDROP drop = static_cast<HDROP>(lock.Data());
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        std::wstring path(length + 1, L'\0');
        DragQueryFileW(drop, i, path.data(), length + 1);
        path.resize(length);
        files.push_back(path);
    }
    return files;
}

std::wstring ReadAnsiText(HGLOBAL block) {
    GlobalLockGuard lock(block);
    if (!lock.Data()) return {};
    // The block may be larger than the text; the text ends at the first zero.
    const char* bytes = static_cast<const char*>(lock.Data());
    const size_t length = strnlen(bytes, lock.Size());
    return WideFromAnsi(std::string(bytes, length));
}

}  // namespace

ClipboardContent ReadClipboard(HWND owner) {
    ClipboardContent content;
    ClipboardSession clipboard(owner);
    if (!clipboard.IsOpen()) return content;
    if (HGLOBAL drop = GetClipboardData(CF_HDROP)) {
        content.kind = ClipboardContent::Kind::Files;
        content.files = ReadFileList(drop);
    } else if (HGLOBAL text = GetClipboardData(CF_TEXT)) {
        content.kind = ClipboardContent::Kind::Text;
        content.text = ReadAnsiText(text);
    }
    return content;
}

}  // namespace chatstandin
