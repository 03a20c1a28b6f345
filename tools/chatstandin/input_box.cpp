#include "input_box.h"

#include <commctrl.h>

#include <string>

#include "clipboard_reader.h"

namespace chatstandin {
namespace {

constexpr UINT_PTR kSubclassId = 1;
constexpr wchar_t kCtrlV = 0x16;

std::wstring FileName(const std::wstring& path) {
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

std::wstring JoinPaths(const std::vector<std::wstring>& files) {
    std::wstring joined;
    for (const auto& file : files) {
        if (!joined.empty()) joined += L'|';
        joined += file;
    }
    return joined;
}

// The chat client shows pasted files as attachments; a name per file will do.
std::wstring AttachmentText(const std::vector<std::wstring>& files) {
    std::wstring shown;
    for (const auto& file : files) shown += L"[文件] " + FileName(file) + L"\r\n";
    return shown;
}

}  // namespace

InputBox::InputBox(HWND edit, const EventLog& log) : edit_(edit), log_(log) {
    SetWindowSubclass(edit_, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

InputBox::~InputBox() {
    RemoveWindowSubclass(edit_, SubclassProc, kSubclassId);
}

std::wstring InputBox::Text() const {
    const int length = GetWindowTextLengthW(edit_);
    std::wstring text(length + 1, L'\0');
    GetWindowTextW(edit_, text.data(), length + 1);
    text.resize(length);
    return text;
}

void InputBox::Clear() {
    SetWindowTextW(edit_, L"");
}

LRESULT CALLBACK InputBox::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR,
                                        DWORD_PTR self) {
    auto* box = reinterpret_cast<InputBox*>(self);
    switch (msg) {
        case WM_KEYDOWN:
            if (box->OnKeyDown(wp)) return 0;
            break;
        case WM_CHAR:
            // The Ctrl+V key press was handled already; its character is not text.
            if (wp == kCtrlV) return 0;
            break;
        case WM_PASTE:  // Shift+Insert and the context menu
            box->OnPaste();
            return 0;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

bool InputBox::OnKeyDown(WPARAM key) {
    // F-keys are logged so a test sees that one reached the focused program.
    if (key >= VK_F1 && key <= VK_F12) {
        log_.Append("key", L"F" + std::to_wstring(key - VK_F1 + 1));
        return false;
    }
    const bool ctrl = GetKeyState(VK_CONTROL) < 0;
    if (key != 'V' || !ctrl) return false;
    OnPaste();
    return true;
}

void InputBox::OnPaste() {
    const ClipboardContent content = ReadClipboard(edit_);
    switch (content.kind) {
        case ClipboardContent::Kind::Text:
            SendMessageW(edit_, EM_REPLACESEL, TRUE,
                         reinterpret_cast<LPARAM>(content.text.c_str()));
            log_.Append("paste-text", content.text);
            break;
        case ClipboardContent::Kind::Files: {
            const std::wstring shown = AttachmentText(content.files);
            SendMessageW(edit_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(shown.c_str()));
            log_.Append("paste-files", JoinPaths(content.files));
            break;
        }
        case ClipboardContent::Kind::Empty:
            log_.Append("paste-empty", L"");
            break;
    }
}

}  // namespace chatstandin
