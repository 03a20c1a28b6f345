#include "standin_window.h"

#include "ui/dpi_scale.h"
#include "ui/win32_dpi.h"

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
// The caption the window draws itself, and the edge by which it is sized.
constexpr int kCaptionHeight = 30;
constexpr int kSizingEdge = 4;

using tovanel::ui::ScaleToDpi;

// Child rectangles in window coordinates (relative to the outer top-left),
// from the outer size and the 96-DPI margins scaled to the window's DPI; see
// the header for the two points that must stay covered.
RECT InputBoxRect(int width, int height, int dpi) {
    return {ScaleToDpi(12, dpi), height - ScaleToDpi(160, dpi), width - ScaleToDpi(12, dpi),
            height - ScaleToDpi(50, dpi)};
}
RECT SendButtonRect(int width, int height, int dpi) {
    return {width - ScaleToDpi(112, dpi), height - ScaleToDpi(44, dpi), width - ScaleToDpi(16, dpi),
            height - ScaleToDpi(14, dpi)};
}
RECT HistoryRect(int width, int height, int dpi) {
    return {ScaleToDpi(12, dpi), ScaleToDpi(kCaptionHeight + 8, dpi), width - ScaleToDpi(12, dpi),
            height - ScaleToDpi(168, dpi)};
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
        case WM_NCCALCSIZE:
            return 0;  // the rectangle stays as it is: the client area is the whole window
        case WM_NCHITTEST:
            return OnHitTest(lp);
        case WM_NCACTIVATE:
            // Nothing of a system caption is drawn over the window's own.
            return DefWindowProcA(hwnd_, msg, wp, -1);
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case WM_DESTROY:
            OnDestroy();
            return 0;
    }
    return DefWindowProcA(hwnd_, msg, wp, lp);
}

void StandinWindow::OnCreate() {
    HINSTANCE instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(hwnd_, GWLP_HINSTANCE));
    dpi_ = tovanel::ui::WindowDpi(hwnd_);
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
    input_ = std::make_unique<InputBox>(edit, log_);
    ApplyFont();
}

void StandinWindow::ApplyFont() {
    // The children keep the old font until they have the new one.
    tovanel::ui::UniqueFont previous = std::move(scaledFont_);
    scaledFont_.Reset(tovanel::ui::CreateStockFontAt(dpi_));
    HFONT font =
        scaledFont_ ? scaledFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (HWND child : {history_, input_->Window(), sendButton_})
        SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
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
    PlaceChild(history_, HistoryRect(width, height, dpi_), clientOrigin);
    PlaceChild(input_->Window(), InputBoxRect(width, height, dpi_), clientOrigin);
    PlaceChild(sendButton_, SendButtonRect(width, height, dpi_), clientOrigin);
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

// Moved by its caption strip, sized by its edges, as a person expects.
LRESULT StandinWindow::OnHitTest(LPARAM lp) {
    RECT outer;
    GetWindowRect(hwnd_, &outer);
    const int x = static_cast<short>(LOWORD(lp)) - outer.left;
    const int y = static_cast<short>(HIWORD(lp)) - outer.top;
    const int edge = ScaleToDpi(kSizingEdge, dpi_);
    const bool left = x < edge, right = x >= outer.right - outer.left - edge;
    const bool top = y < edge, bottom = y >= outer.bottom - outer.top - edge;
    if (top) return left ? HTTOPLEFT : right ? HTTOPRIGHT : HTTOP;
    if (bottom) return left ? HTBOTTOMLEFT : right ? HTBOTTOMRIGHT : HTBOTTOM;
    if (left) return HTLEFT;
    if (right) return HTRIGHT;
    return y < ScaleToDpi(kCaptionHeight, dpi_) ? HTCAPTION : HTCLIENT;
}

void StandinWindow::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT caption;
    GetClientRect(hwnd_, &caption);
    caption.bottom = ScaleToDpi(kCaptionHeight, dpi_);
    FillRect(dc, &caption, GetSysColorBrush(COLOR_3DLIGHT));
    HFONT font =
        scaledFont_ ? scaledFont_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    const HGDIOBJ old = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    caption.left += ScaleToDpi(12, dpi_);
    DrawTextW(dc, L"微信", -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
    SelectObject(dc, old);
    EndPaint(hwnd_, &paint);
}

void StandinWindow::OnGetMinMaxInfo(MINMAXINFO* info) {
    info->ptMinTrackSize = {ScaleToDpi(kMinWidth, dpi_), ScaleToDpi(kMinHeight, dpi_)};
}

// Moved to a monitor of another scale: the new size brings a WM_SIZE, which
// lays the children out at the new DPI.
void StandinWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    ApplyFont();
    SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void StandinWindow::OnDestroy() {
    input_.reset();
    PostQuitMessage(0);
}

}  // namespace chatstandin
