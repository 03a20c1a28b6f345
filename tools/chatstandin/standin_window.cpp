#include "standin_window.h"

namespace chatstandin {
namespace {

// The chat client's own names, in the ANSI code page (GBK) as it uses them.
constexpr char kClassName[] = "WeChatMainWndForPC";
constexpr char kTitle[] = "微信";

constexpr int kSendButtonId = 101;
constexpr int kDefaultWidth = 720;
constexpr int kDefaultHeight = 560;
constexpr int kMinWidth = 320;
constexpr int kMinHeight = 360;

// Child rectangles in window coordinates (relative to the outer top-left),
// from the outer size; see the header for the two points that must stay
// covered.
RECT InputBoxRect(int width, int height) {
    return {12, height - 160, width - 12, height - 50};
}
RECT SendButtonRect(int width, int height) {
    return {width - 112, height - 44, width - 16, height - 14};
}
RECT HistoryRect(int width, int height, int clientTop) {
    return {12, clientTop + 8, width - 12, height - 168};
}

// Moves a child given in window coordinates; children are placed in client
// coordinates, which start where the frame and the caption end.
void PlaceChild(HWND child, const RECT& r, POINT clientOrigin) {
    MoveWindow(child, r.left - clientOrigin.x, r.top - clientOrigin.y, r.right - r.left,
               r.bottom - r.top, TRUE);
}

}  // namespace

bool StandinWindow::Create(HINSTANCE instance, const std::optional<WindowPlacement>& placement) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hIcon = LoadIcon(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!RegisterClassA(&wc)) return false;

    const WindowPlacement p = placement.value_or(
        WindowPlacement{CW_USEDEFAULT, CW_USEDEFAULT, kDefaultWidth, kDefaultHeight});
    CreateWindowExA(0, kClassName, kTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, p.left, p.top,
                    p.width, p.height, nullptr, nullptr, instance, this);
    if (!hwnd_) return false;
    // Wine sends the first WM_SIZE of an overlapped window only from inside
    // ShowWindow, after the window is already visible; another process could
    // see it shown with zero-size children. Lay out before showing.
    LayOut();
    ShowWindow(hwnd_, SW_SHOWNORMAL);
    UpdateWindow(hwnd_);
    return true;
}

LRESULT CALLBACK StandinWindow::WindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<StandinWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<StandinWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self) return DefWindowProcA(hwnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

LRESULT StandinWindow::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_SIZE:
            OnSize();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_GETMINMAXINFO:
            OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(lp));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

void StandinWindow::OnCreate() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    history_ = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", nullptr,
                               WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_NOINTEGRALHEIGHT, 0, 0, 0,
                               0, hwnd_, nullptr, instance, nullptr);
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", nullptr,
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | ES_MULTILINE |
                                    ES_AUTOVSCROLL | ES_WANTRETURN,
                                0, 0, 0, 0, hwnd_, nullptr, instance, nullptr);
    sendButton_ = CreateWindowExW(
        0, L"BUTTON", L"发送(S)", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0, 0, 0, hwnd_,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kSendButtonId)), instance, nullptr);
    for (HWND child : {history_, edit, sendButton_})
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    input_ = std::make_unique<InputBox>(edit, log_);
}

void StandinWindow::OnSize() {
    if (!IsIconic(hwnd_)) LayOut();
}

void StandinWindow::LayOut() {
    if (!input_) return;
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    POINT clientOrigin{0, 0};
    ClientToScreen(hwnd_, &clientOrigin);
    clientOrigin.x -= outer.left;
    clientOrigin.y -= outer.top;
    const int width = outer.right - outer.left;
    const int height = outer.bottom - outer.top;
    PlaceChild(history_, HistoryRect(width, height, clientOrigin.y), clientOrigin);
    PlaceChild(input_->Window(), InputBoxRect(width, height), clientOrigin);
    PlaceChild(sendButton_, SendButtonRect(width, height), clientOrigin);
}

void StandinWindow::OnCommand(WORD id, WORD code) {
    if (id == kSendButtonId && code == BN_CLICKED) OnSend();
}

void StandinWindow::OnSend() {
    const std::wstring text = input_->Text();
    log_.Append("send", text);
    if (!text.empty()) {
        std::wstring entry = L"我：" + text;
        for (wchar_t& c : entry)
            if (c == L'\r' || c == L'\n' || c == L'\t') c = L' ';
        SendMessageW(history_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
    }
    input_->Clear();
}

void StandinWindow::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize = {kMinWidth, kMinHeight};
}

void StandinWindow::OnDestroy() {
    input_.reset();
    PostQuitMessage(0);
}

}  // namespace chatstandin
