#include "ui/hotkey_editor_window.h"

#include <algorithm>
#include <string>
#include <utility>

#include "ui/win32_dpi.h"

namespace tovanel::ui {

namespace {

// The client area; the controls are placed inside it. Every size and place
// here is in 96-DPI units, scaled to the monitor the editor is on.
constexpr int kEditorWidth = 441;
constexpr int kEditorHeight = 564;
constexpr int kKeyColumnWidth = 40;
constexpr int kTextColumnWidth = 1000;
constexpr int kHeadingFontHeight = 18;

enum EditorControl : int {
    kHeading = 1101,  // 透明标签1
    kHint,            // 标签2
    kCloseButton,     // 按钮1
    kEditorList,      // 超级列表框1
    kKeyGroup,        // 分组框2
    kKeyLabel,        // 透明标签2
    kKeyChoice,       // 组合框功能键
    kAssignButton,    // 按钮2
    kSaveButton,      // 超级按钮1
};

struct EditorControlSpec {
    EditorControl id;
    const char* window_class;
    DWORD style;
    DWORD ex_style;
    int left, top, width, height;
    const char* text;
};

constexpr DWORD kChild = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
// 分组框2's origin: its controls are placed relative to it.
constexpr int kGroupLeft = 8;
constexpr int kGroupTop = 430;

// clang-format off
constexpr EditorControlSpec kEditorControls[] = {
    {kHeading, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, 24, 12, 152, 24, "快捷键编辑器"},
    {kHint, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, 8, 43, 424, 20,
     "点击项目后设置的快捷键确定，设置完成后点击全部保存生效。"},
    {kCloseButton, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 351, 12, 80, 24, "关闭"},
    {kEditorList, WC_LISTVIEWA,
     kChild | WS_TABSTOP | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER |
         LVS_OWNERDATA,
     WS_EX_CLIENTEDGE, 8, 64, 424, 360, ""},
    {kKeyGroup, "BUTTON", kChild | BS_GROUPBOX, 0, kGroupLeft, kGroupTop, 424, 60,
     "选中项目设置快捷键："},
    {kKeyLabel, "STATIC", kChild | SS_LEFTNOWORDWRAP, 0, kGroupLeft + 48, kGroupTop + 23, 110, 24,
     "设置的快捷键："},
    // The height includes the drop-down part: all 13 items without scrolling.
    {kKeyChoice, "COMBOBOX", kChild | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, 0,
     kGroupLeft + 170, kGroupTop + 22, 90, 300, ""},
    {kAssignButton, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, kGroupLeft + 300,
     kGroupTop + 22, 72, 24, "确定"},
    {kSaveButton, "BUTTON", kChild | WS_TABSTOP | BS_PUSHBUTTON, 0, 16, 507, 408, 40,
     "保存以上全部设置"},
};
// clang-format on

LayoutRect Place(const EditorControlSpec& spec, int dpi) {
    return ScaleToDpi(LayoutRect{spec.left, spec.top, spec.width, spec.height}, dpi);
}

void AddColumn(HWND list, int index, const char* title, int width) {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = const_cast<char*>(title);
    SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(&column));
}

// Centred over the owner, kept on its monitor's work area.
POINT PlaceOver(HWND owner, int width, int height) {
    RECT owner_rect{};
    GetWindowRect(owner, &owner_rect);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    GetMonitorInfoA(MonitorFromWindow(owner, MONITOR_DEFAULTTONEAREST), &monitor);
    const RECT& work = monitor.rcWork;
    LONG left = (owner_rect.left + owner_rect.right - width) / 2;
    LONG top = (owner_rect.top + owner_rect.bottom - height) / 2;
    left = std::max(work.left, std::min(left, work.right - width));
    top = std::max(work.top, std::min(top, work.bottom - height));
    return {left, top};
}

}  // namespace

HotkeyEditorWindow::HotkeyEditorWindow(HINSTANCE instance, replies::HotkeyEditor& editor)
    : instance_(instance), editor_(editor) {}

bool HotkeyEditorWindow::RegisterWindowClass() {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &HotkeyEditorWindow::WindowProc;
    wc.hInstance = instance_;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kHotkeyEditorClass;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void HotkeyEditorWindow::RunModal(HWND owner, HFONT font) {
    if (!RegisterWindowClass()) return;
    owner_ = owner;
    font_ = font;
    // It opens over the panel, on the panel's monitor.
    dpi_ = font_dpi_ = WindowDpi(owner);
    // A title bar without text: the user can move the editor and close it with its box.
    const DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
    RECT frame{0, 0, ScaleToDpi(kEditorWidth, dpi_), ScaleToDpi(kEditorHeight, dpi_)};
    AdjustWindowRectForDpi(frame, style, WS_EX_DLGMODALFRAME, dpi_);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const POINT at = PlaceOver(owner, width, height);
    EnableWindow(owner, FALSE);
    HWND window = CreateWindowExA(WS_EX_DLGMODALFRAME, kHotkeyEditorClass, "", style, at.x, at.y,
                                  width, height, owner, nullptr, instance_, this);
    if (window == nullptr) {
        EnableWindow(owner, TRUE);
        return;
    }
    ShowWindow(window, SW_SHOW);
    MSG msg;
    while (window_ != nullptr) {
        const BOOL got = GetMessageA(&msg, nullptr, 0, 0);
        if (got <= 0) {
            // The program ends: leave WM_QUIT for the main loop.
            if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
            CloseHotkeyEditor();
            break;
        }
        if (IsDialogMessageA(window_, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK HotkeyEditorWindow::WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* self =
            static_cast<HotkeyEditorWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_ = window;
    }
    auto* self = reinterpret_cast<HotkeyEditorWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wp, lp);
    if (message == WM_NCDESTROY) {
        self->window_ = nullptr;
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return DefWindowProcA(window, message, wp, lp);
    }
    return self->HandleMessage(message, wp, lp);
}

LRESULT HotkeyEditorWindow::HandleMessage(UINT message, WPARAM wp, LPARAM lp) {
    switch (message) {
        case WM_CREATE:
            OnCreate();
            return 0;
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        case WM_CTLCOLORSTATIC: {
            // The two transparent labels and the hint sit on the window's own face.
            HDC dc = reinterpret_cast<HDC>(wp);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
            return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
        }
        case WM_CLOSE:
            CloseHotkeyEditor();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        default:
            return DefWindowProcA(window_, message, wp, lp);
    }
}

void HotkeyEditorWindow::OnCreate() {
    CreateControls();
    SetUpList();
    editor_.FillHotkeyEditor();
    ShowRows();
}

// The panel's font at the editor's scale, and the bold heading.
void HotkeyEditorWindow::MakeFonts() {
    LOGFONTA text{};
    GetObjectA(font_, sizeof text, &text);
    text.lfHeight = RescaleDpi(text.lfHeight, font_dpi_, dpi_);
    text_font_.Reset(dpi_ == font_dpi_ ? nullptr : CreateFontIndirectA(&text));
    LOGFONTA heading = text;
    heading.lfHeight = -ScaleToDpi(kHeadingFontHeight, dpi_);
    heading.lfWeight = FW_BOLD;
    heading_font_.Reset(CreateFontIndirectA(&heading));
}

void HotkeyEditorWindow::ApplyFonts() {
    HFONT text = text_font_ ? text_font_.get() : font_;
    for (const EditorControlSpec& spec : kEditorControls) {
        HFONT font = spec.id == kHeading && heading_font_ ? heading_font_.get() : text;
        SendMessageA(Control(spec.id), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
}

void HotkeyEditorWindow::CreateControls() {
    for (const EditorControlSpec& spec : kEditorControls) {
        const LayoutRect place = Place(spec, dpi_);
        CreateWindowExA(spec.ex_style, spec.window_class, spec.text, spec.style, place.left,
                        place.top, place.width, place.height, window_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), instance_, nullptr);
    }
    MakeFonts();
    ApplyFonts();
    // The group box frames its controls from below, so it never paints over them.
    SetWindowPos(Control(kKeyGroup), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    HWND choice = Control(kKeyChoice);
    for (int i = 0; i < replies::kHotkeyChoiceCount; ++i) {
        const std::string text = replies::HotkeyChoiceText(i);
        SendMessageA(choice, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    SendMessageA(choice, CB_SETCURSEL, 0, 0);
}

void HotkeyEditorWindow::SetUpList() {
    HWND list = Control(kEditorList);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    AddColumn(list, 0, "快键", ScaleToDpi(kKeyColumnWidth, dpi_));
    AddColumn(list, 1, "内容", ScaleToDpi(kTextColumnWidth, dpi_));
}

// Dragged to a monitor of another scale: laid out again from the table.
void HotkeyEditorWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    dpi_ = dpi;
    // The controls keep the old fonts until they have the new ones.
    const UniqueFont old_text = std::move(text_font_);
    const UniqueFont old_heading = std::move(heading_font_);
    MakeFonts();
    ApplyFonts();
    for (const EditorControlSpec& spec : kEditorControls) {
        const LayoutRect place = Place(spec, dpi_);
        MoveWindow(Control(spec.id), place.left, place.top, place.width, place.height, TRUE);
    }
    HWND list = Control(kEditorList);
    ListView_SetColumnWidth(list, 0, ScaleToDpi(kKeyColumnWidth, dpi_));
    ListView_SetColumnWidth(list, 1, ScaleToDpi(kTextColumnWidth, dpi_));
    SetWindowPos(window_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void HotkeyEditorWindow::ShowRows() {
    HWND list = Control(kEditorList);
    ListView_SetItemCountEx(list, static_cast<int>(editor_.rows().size()), LVSICF_NOSCROLL);
    InvalidateRect(list, nullptr, TRUE);
}

LRESULT HotkeyEditorWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != kEditorList || header.code != LVN_GETDISPINFOA) return 0;
    LVITEMA& item = reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header))->item;
    const auto& rows = editor_.rows();
    if (item.iItem < 0 || static_cast<size_t>(item.iItem) >= rows.size()) return 0;
    if ((item.mask & LVIF_TEXT) != 0 && item.pszText != nullptr && item.cchTextMax > 0) {
        const replies::ReplyRow& row = rows[static_cast<size_t>(item.iItem)];
        lstrcpynA(item.pszText, (item.iSubItem == 0 ? row.key : row.text).c_str(), item.cchTextMax);
    }
    return 0;
}

void HotkeyEditorWindow::OnCommand(int id, int notification) {
    if (notification != BN_CLICKED) return;
    switch (id) {
        case kCloseButton:
        case IDCANCEL:  // Esc
            CloseHotkeyEditor();
            break;
        case kAssignButton:
            AssignHotkey();
            break;
        case kSaveButton:
            editor_.SaveHotkeys();
            break;
        default:
            break;
    }
}

void HotkeyEditorWindow::AssignHotkey() {
    HWND list = Control(kEditorList);
    const int selected = static_cast<int>(
        SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    const int choice = static_cast<int>(SendMessageA(Control(kKeyChoice), CB_GETCURSEL, 0, 0));
    if (editor_.AssignHotkey(selected, choice)) ListView_RedrawItems(list, selected, selected);
}

// Enables the owner first, so the system hands the activation back to it.
void HotkeyEditorWindow::CloseHotkeyEditor() {
    if (window_ == nullptr) return;
    EnableWindow(owner_, TRUE);
    DestroyWindow(window_);
}

}  // namespace tovanel::ui
