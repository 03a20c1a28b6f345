#include <cstring>

#include "automation/win32_ports.h"
#include "ui/message_loop.h"

namespace tovanel::automation {

ScreenPoint Win32SyntheticInput::CursorPos() {
    POINT p{};
    GetCursorPos(&p);
    return {p.x, p.y};
}

ScreenPoint Win32SyntheticInput::ClientOrigin(WindowHandle window) {
    POINT p{0, 0};
    ClientToScreen(reinterpret_cast<HWND>(window), &p);
    return {p.x, p.y};
}

void Win32SyntheticInput::SetCursorPos(ScreenPoint at) {
    ::SetCursorPos(at.x, at.y);
}

void Win32SyntheticInput::MouseButtons(uint32_t flags) {
    mouse_event(flags, 0, 0, 0, 0);
}

void Win32SyntheticInput::Key(uint8_t virtual_key, bool up) {
    keybd_event(virtual_key, 0, up ? KEYEVENTF_KEYUP : 0, 0);
}

void Win32MessagePump::PumpMessages() {
    ui::DispatchPendingMessages();
}

uint32_t Win32MessagePump::TickCount() {
    return GetTickCount();
}

namespace {

// Hands a filled movable block to the open clipboard, which then owns it.
bool PutOnClipboard(UINT format, const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
    if (block == nullptr) return false;
    if (void* target = GlobalLock(block)) {
        std::memcpy(target, data, size);
        GlobalUnlock(block);
    }
    if (SetClipboardData(format, block) != nullptr) return true;
    GlobalFree(block);
    return false;
}

// Closes the clipboard on every path.
class OpenedClipboard {
  public:
    explicit OpenedClipboard(bool open) : open_(open) {}
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    explicit operator bool() const { return open_; }

  private:
    bool open_;
};

}  // namespace

bool Win32Clipboard::Open() {
    const uint32_t start = pump_.TickCount();
    for (;;) {
        if (OpenClipboard(nullptr)) return true;
        if (pump_.TickCount() - start >= kClipboardWaitMs) return false;
        // Wakes for input and for the hooks' calls, which must not wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        pump_.PumpMessages();
    }
}

bool Win32Clipboard::SetText(const std::string& text) {
    const OpenedClipboard clipboard(Open());
    if (!clipboard) return false;
    EmptyClipboard();
    return PutOnClipboard(CF_TEXT, text.c_str(), text.size() + 1);
}

bool Win32Clipboard::SetFileList(const std::vector<std::string>& paths) {
    const OpenedClipboard clipboard(Open());
    if (!clipboard) return false;
    EmptyClipboard();
    const std::vector<uint8_t> block = BuildDropFilesBlock(paths);
    return PutOnClipboard(CF_HDROP, block.data(), block.size());
}

}  // namespace tovanel::automation
