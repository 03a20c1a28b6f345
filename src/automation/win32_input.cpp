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

namespace {

// The middle of a pixel of the virtual desktop in mouse_event's 0…65535 scale.
DWORD Normalized(int32_t pixel, int origin, int extent) {
    if (extent <= 0) return 0;
    return static_cast<DWORD>(((static_cast<int64_t>(pixel) - origin) * 65536 + 32768) / extent);
}

}  // namespace

// The system takes injected buttons later than SetCursorPos acts: a click
// followed at once by the cursor's return would press where the cursor was
// put back. So each move also goes into the input stream, in order with the
// buttons.
void Win32SyntheticInput::SetCursorPos(ScreenPoint at) {
    ::SetCursorPos(at.x, at.y);
    const DWORD dx =
        Normalized(at.x, GetSystemMetrics(SM_XVIRTUALSCREEN), GetSystemMetrics(SM_CXVIRTUALSCREEN));
    const DWORD dy =
        Normalized(at.y, GetSystemMetrics(SM_YVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN));
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_VIRTUALDESK, dx, dy, 0, 0);
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

HWND Win32Clipboard::Owner() {
    if (owner_) return owner_.get();
    static constexpr char kClass[] = "TovanelClipboardOwner";
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    wc.lpfnWndProc = &OwnerProc;
    wc.hInstance = instance;
    wc.lpszClassName = kClass;
    RegisterClassA(&wc);
    owner_.Reset(
        CreateWindowExA(0, kClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr));
    SetWindowLongPtrA(owner_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    return owner_.get();
}

LRESULT CALLBACK Win32Clipboard::OwnerProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    auto* self = reinterpret_cast<Win32Clipboard*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wp, lp);
    switch (message) {
        case WM_RENDERFORMAT:  // the pasting program reads it now
            if (static_cast<UINT>(wp) == self->format_) self->Render();
            return 0;
        case WM_RENDERALLFORMATS:  // the owner goes: leave the reply behind
            self->RenderNow();
            return 0;
        case WM_DESTROYCLIPBOARD:  // another program took the clipboard over
            self->format_ = 0;
            return 0;
        default:
            return DefWindowProcA(window, message, wp, lp);
    }
}

// Inside WM_RENDERFORMAT the clipboard is open for the reader.
void Win32Clipboard::Render() {
    const UINT format = format_;
    format_ = 0;
    PutOnClipboard(format, data_.data(), data_.size());
}

void Win32Clipboard::RenderNow() {
    if (format_ == 0) return;
    const OpenedClipboard clipboard(OpenClipboard(Owner()) != 0);
    if (clipboard && GetClipboardOwner() == Owner()) Render();
}

bool Win32Clipboard::Offer(UINT format, const void* data, size_t size) {
    RenderNow();  // a reply not read yet stays readable after all
    const OpenedClipboard clipboard(Open());
    if (!clipboard) return false;
    EmptyClipboard();  // makes the owner window the clipboard's owner
    data_.assign(static_cast<const uint8_t*>(data), static_cast<const uint8_t*>(data) + size);
    format_ = format;
    // No data yet: the system asks the owner when a program reads it.
    SetClipboardData(format, nullptr);
    return true;
}

void Win32Clipboard::AwaitTaken() {
    const uint32_t start = pump_.TickCount();
    while (format_ != 0 && pump_.TickCount() - start < kPasteTakenWaitMs) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT | QS_SENDMESSAGE);
        pump_.PumpMessages();
    }
    // Nobody read it in time: put the reply there in full, so that the
    // clipboard never depends on this program staying alive.
    RenderNow();
}

bool Win32Clipboard::Open() {
    const HWND owner = Owner();
    const uint32_t start = pump_.TickCount();
    for (;;) {
        if (OpenClipboard(owner)) return true;
        if (pump_.TickCount() - start >= kClipboardWaitMs) return false;
        // Wakes for input and for the hooks' calls, which must not wait.
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 2, QS_ALLINPUT);
        pump_.PumpMessages();
    }
}

bool Win32Clipboard::SetText(const std::string& text) {
    return Offer(CF_TEXT, text.c_str(), text.size() + 1);
}

bool Win32Clipboard::SetFileList(const std::vector<std::string>& paths) {
    const std::vector<uint8_t> block = BuildDropFilesBlock(paths);
    return Offer(CF_HDROP, block.data(), block.size());
}

}  // namespace tovanel::automation
