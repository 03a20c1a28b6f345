#include "ui/main_window.h"

#include <shellapi.h>

#include <optional>
#include <utility>
#include <vector>

#include "ui/main_window_layout.h"
#include "ui/resource_ids.h"
#include "ui/resource_image.h"
#include "ui/win32_dpi.h"

namespace tovanel::ui {

namespace {

constexpr UINT_PTR kReplyListSubclass = 1;

// Mouse notifications of the tray icon as the frame numbers them.
int TrayAction(UINT mouse_message) {
    switch (mouse_message) {
        case WM_LBUTTONUP:
            return 1;
        case WM_LBUTTONDBLCLK:
            return 2;
        case WM_RBUTTONUP:
            return 3;
        default:
            return 0;
    }
}

UniqueIcon LoadAppIcon(HINSTANCE instance, int size) {
    return UniqueIcon(static_cast<HICON>(
        LoadImageA(instance, MAKEINTRESOURCEA(IDI_VELQUIN), IMAGE_ICON, size, size, 0)));
}

int CALLBACK NoteFaceFound(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool FaceInstalled(const char* face) {
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(query.lfFaceName, face, LF_FACESIZE);
    bool found = false;
    HDC screen = GetDC(nullptr);
    EnumFontFamiliesExA(screen, &query, &NoteFaceFound, reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, screen);
    return found;
}

// A face with both Chinese and Latin letters: a bare fallback font substituted
// for a missing one would show Latin text as boxes.
const char* ChineseUiFace() {
    static const char* const kFaces[] = {"Microsoft YaHei", "SimSun", "WenQuanYi Micro Hei",
                                         "Noto Sans CJK SC", "Noto Sans SC"};
    for (const char* face : kFaces) {
        if (FaceInstalled(face)) return face;
    }
    return nullptr;
}

// Empty when no such face is installed and the stock GUI font serves as it is.
UniqueFont MakeFont(const char* face, int height96, int weight, int dpi) {
    if (face == nullptr) return UniqueFont(CreateStockFontAt(dpi));
    return UniqueFont(CreateFontA(-ScaleToDpi(height96, dpi), 0, 0, 0, weight, FALSE, FALSE, FALSE,
                                  GB2312_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                  CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

// Artwork at the panel's scale: the exact drawing at 100 %, otherwise the one
// drawn at four times the size brought down, which stays sharp where a
// stretched small drawing would blur.
std::optional<BgraImage> LoadArt(HINSTANCE instance, int id, int id_4x, int width96, int height96,
                                 int dpi) {
    if (dpi == kBaseDpi) return LoadPngResource(instance, id);
    const std::optional<BgraImage> large = LoadPngResource(instance, id_4x);
    if (!large) return std::nullopt;
    return Resized(*large, ScaleToDpi(width96, dpi), ScaleToDpi(height96, dpi));
}

// Controls and menu items that flip a switch when clicked.
using app::PanelSwitch;

struct SwitchCommand {
    int id;
    PanelSwitch which;
};

constexpr SwitchCommand kSwitchCommands[] = {
    {单选框粘贴, PanelSwitch::kSelectPasteOnly},
    {单选框发送, PanelSwitch::kSelectPasteAndSend},
    {按钮_隐藏运行, PanelSwitch::kHidePanel},
    {超级按钮1, PanelSwitch::kOpenManual},
    {kCmdShowTrayIcon, PanelSwitch::kToggleTrayIcon},
    {kCmdShowHide, PanelSwitch::kToggleShowHide},
    {kCmdFollowChat, PanelSwitch::kToggleFollow},
    {kCmdAutostart, PanelSwitch::kToggleAutostart},
};

std::optional<PanelSwitch> SwitchOf(int id) {
    for (const SwitchCommand& command : kSwitchCommands) {
        if (command.id == id) return command.which;
    }
    return std::nullopt;
}

void AppendItem(HMENU menu, int id, const char* text) {
    AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(id), text);
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance) : instance_(instance) {}

MainWindow::~MainWindow() = default;

bool MainWindow::RegisterWindowClass() {
    big_icon_ = LoadAppIcon(instance_, GetSystemMetrics(SM_CXICON));
    small_icon_ = LoadAppIcon(instance_, GetSystemMetrics(SM_CXSMICON));
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &MainWindow::WindowProc;
    wc.hInstance = instance_;
    wc.hIcon = big_icon_.get();
    wc.hIconSm = small_icon_.get();
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    return RegisterClassExA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

bool MainWindow::Create(MainWindowEvents& events) {
    events_ = &events;
    if (!RegisterWindowClass()) return false;
    taskbar_created_message_ = RegisterWindowMessageA("TaskbarCreated");
    const int left = (GetSystemMetrics(SM_CXSCREEN) - kMainWindowWidth) / 2;
    const int top = (GetSystemMetrics(SM_CYSCREEN) - kMainWindowHeight) / 2;
    // A tool window without owner stays off the taskbar and reports no parent.
    HWND created =
        CreateWindowExA(WS_EX_TOOLWINDOW, kMainWindowClass, kMainWindowCaption, WS_POPUP, left, top,
                        kMainWindowWidth, kMainWindowHeight, nullptr, nullptr, instance_, this);
    return created != nullptr;
}

LRESULT CALLBACK MainWindow::WindowProc(HWND window, UINT message, WPARAM wp, LPARAM lp) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<MainWindow*>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams);
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
        self->window_.Reset(window);
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self == nullptr) return DefWindowProcA(window, message, wp, lp);
    if (message == WM_NCDESTROY) {
        // The system destroys the window; nothing is left to release.
        self->window_.Release();
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return DefWindowProcA(window, message, wp, lp);
    }
    return self->HandleMessage(message, wp, lp);
}

LRESULT MainWindow::HandleMessage(UINT message, WPARAM wp, LPARAM lp) {
    HWND window = window_.get();
    switch (message) {
        case WM_CREATE:
            return OnCreate();
        case WM_COMMAND:
            OnCommand(LOWORD(wp), HIWORD(wp));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lp));
        case WM_CTLCOLOREDIT:
            return OnEditColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
        case WM_LBUTTONDOWN:
            OnLeftButtonDown();
            return 0;
        case WM_PAINT:
            OnPaint();
            return 0;
        case WM_TIMER:
            if (wp == 时钟1) events_->OnTimer();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wp), *reinterpret_cast<const RECT*>(lp));
            return 0;
        case kTrayCallbackMessage:
            OnTrayNotify(lp);
            return 0;
        case WM_CLOSE:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            events_->OnClosing();  // ends the process
        default:
            break;
    }
    if (message == taskbar_created_message_ && message != 0) {
        events_->OnTaskbarCreated();
        return 0;
    }
    return DefWindowProcA(window, message, wp, lp);
}

LRESULT MainWindow::OnCreate() {
    dpi_ = WindowDpi(window_.get());
    if (dpi_ != kBaseDpi) CentreForDpi();
    CreateFonts();
    CreateControls();
    SetUpReplyList();
    ShowLogo();
    CreateMenus();
    SendMessageA(window_.get(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big_icon_.get()));
    SendMessageA(window_.get(), WM_SETICON, ICON_SMALL,
                 reinterpret_cast<LPARAM>(small_icon_.get()));
    events_->OnCreated();
    return 0;
}

void MainWindow::CreateFonts() {
    const char* face = ChineseUiFace();
    font_ = MakeFont(face, kTextFontHeight, FW_NORMAL, dpi_);
    title_font_ = MakeFont(face, kTitleFontHeight, FW_BOLD, dpi_);
}

void MainWindow::ApplyFonts() {
    HFONT font = font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const ControlSpec& spec : kControls) {
        const bool is_title = spec.id == 标签1 && title_font_;
        SendMessageA(Control(spec.id), WM_SETFONT,
                     reinterpret_cast<WPARAM>(is_title ? title_font_.get() : font), FALSE);
    }
}

void MainWindow::CreateControls() {
    for (const ControlSpec& spec : kControls) {
        const LayoutRect place = ScaleToDpi(Rect96(spec), dpi_);
        CreateWindowExA(spec.ex_style, spec.window_class, spec.text, spec.style, place.left,
                        place.top, place.width, place.height, window_.get(),
                        reinterpret_cast<HMENU>(spec.id), instance_, nullptr);
    }
    ApplyFonts();
    // The group box frames its radio buttons from below, so it never paints over them.
    SetWindowPos(Control(分组框1), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void MainWindow::SetUpReplyList() {
    HWND list = Control(超级列表框1);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    column.fmt = LVCFMT_LEFT;
    column.cx = ScaleToDpi(kHotkeyColumnWidth, dpi_);
    column.pszText = const_cast<char*>(kHotkeyColumnTitle);
    SendMessageA(list, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    column.cx = ScaleToDpi(kContentColumnWidth, dpi_);
    column.pszText = const_cast<char*>(kContentColumnTitle);
    SendMessageA(list, LVM_INSERTCOLUMNA, 1, reinterpret_cast<LPARAM>(&column));
    ShowRowMarks();
    reply_rows_.Attach(list);
    SetWindowSubclass(list, &MainWindow::ReplyListProc, kReplyListSubclass,
                      reinterpret_cast<DWORD_PTR>(this));
}

void MainWindow::ShowRowMarks() {
    const int width = ScaleToDpi(kRowMarkWidth, dpi_);
    const int height = ScaleToDpi(kRowMarkHeight, dpi_);
    UniqueImageList marks(ImageList_Create(width, height, ILC_COLOR32, 2, 0));
    // Image 0 marks attachments, image 1 texts.
    const std::pair<int, int> kMarks[] = {{IDR_MARK_FILE_PNG, IDR_MARK_FILE_4X_PNG},
                                          {IDR_MARK_TEXT_PNG, IDR_MARK_TEXT_4X_PNG}};
    for (const auto& [id, id_4x] : kMarks) {
        const std::optional<BgraImage> mark =
            LoadArt(instance_, id, id_4x, kRowMarkWidth, kRowMarkHeight, dpi_);
        if (!mark) continue;
        UniqueBitmap bitmap = MakeBitmap(Premultiplied(*mark));
        ImageList_Add(marks.get(), bitmap.get(), nullptr);
    }
    // The list shares the image list: the old one goes only once replaced.
    ListView_SetImageList(Control(超级列表框1), marks.get(), LVSIL_SMALL);
    row_marks_ = std::move(marks);
}

void MainWindow::ShowLogo() {
    const std::optional<BgraImage> logo =
        LoadArt(instance_, IDR_LOGO_PNG, IDR_LOGO_4X_PNG, kLogoSize, kLogoSize, dpi_);
    if (!logo) return;
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const uint32_t rgb = (GetRValue(face) << 16) | (GetGValue(face) << 8) | GetBValue(face);
    UniqueBitmap shown = MakeOpaqueBitmap(OverBackground(*logo, rgb));
    SendMessageA(Control(图片框1), STM_SETIMAGE, IMAGE_BITMAP,
                 reinterpret_cast<LPARAM>(shown.get()));
    logo_ = std::move(shown);
}

void MainWindow::CreateMenus() {
    reply_menu_.Reset(CreatePopupMenu());
    HMENU import_export = CreatePopupMenu();
    AppendItem(reply_menu_.get(), kCmdDelete, "删除");
    AppendItem(reply_menu_.get(), kCmdEditHotkeys, "编辑快捷键");
    AppendItem(reply_menu_.get(), kCmdShowTrayIcon, "显示托盘图标");
    AppendItem(import_export, kCmdImportText, "导入文本(txt格式)");
    AppendItem(import_export, kCmdExportText, "导出文本(txt格式)");
    AppendMenuA(reply_menu_.get(), MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(import_export),
                "导入/导出");

    tray_menu_.Reset(CreatePopupMenu());
    AppendItem(tray_menu_.get(), kCmdShowHide, "显示/隐藏");
    AppendItem(tray_menu_.get(), kCmdFollowChat, "跟随微信");
    AppendItem(tray_menu_.get(), kCmdAutostart, "开机启动");
    AppendItem(tray_menu_.get(), kCmdExit, "退出");
}

void MainWindow::OnCommand(int id, int notification) {
    const bool clicked = notification == BN_CLICKED;  // also 0 for menu items
    if ((id == 按钮1 && clicked) || id == kCmdExit) events_->OnCloseCommand();
    if (const std::optional<app::PanelSwitch> which = SwitchOf(id); which && clicked) {
        events_->OnSwitch(*which);
    }
    OnReplyCommand(id, notification);
}

void MainWindow::OnLeftButtonDown() {
    // A press on the background drags the whole window.
    ReleaseCapture();
    SendMessageA(window_.get(), WM_NCLBUTTONDOWN, HTCAPTION, 0);
}

void MainWindow::OnPaint() {
    PaintSession paint(window_.get());
    // A borderless panel needs an edge to stand out from what lies behind it.
    RECT client;
    GetClientRect(window_.get(), &client);
    FrameRect(paint.dc(), &client, GetSysColorBrush(COLOR_BTNSHADOW));
}

// Labels, radio buttons and the group box take the panel's own background.
LRESULT MainWindow::OnControlColour(HDC dc) {
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

void MainWindow::OnTrayNotify(LPARAM lp) {
    const int action = TrayAction(static_cast<UINT>(LOWORD(lp)));
    if (action != 0) events_->OnTrayEvent(action);
}

LRESULT CALLBACK MainWindow::ReplyListProc(HWND list, UINT message, WPARAM wp, LPARAM lp, UINT_PTR,
                                           DWORD_PTR self) {
    if (message == WM_DROPFILES) {
        reinterpret_cast<MainWindow*>(self)->OnDropFiles(reinterpret_cast<HDROP>(wp));
        return 0;
    }
    if (message == WM_NCDESTROY) RemoveWindowSubclass(list, &ReplyListProc, kReplyListSubclass);
    return DefSubclassProc(list, message, wp, lp);
}

void MainWindow::OnDropFiles(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        const UINT length = DragQueryFileA(drop, i, nullptr, 0);
        std::string path(length + 1, '\0');
        DragQueryFileA(drop, i, path.data(), length + 1);
        path.resize(length);
        paths.push_back(path);
    }
    DragFinish(drop);
    for (const std::string& path : paths) events_->OnFileDropped(path);
}

HFONT MainWindow::ui_font() const {
    return font_ ? font_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

LRESULT MainWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != 超级列表框1) return 0;
    switch (header.code) {
        case LVN_GETDISPINFOA:
            reply_rows_.OnGetDisplayInfo(
                *reinterpret_cast<NMLVDISPINFOA*>(const_cast<NMHDR*>(&header)));
            break;
        case NM_CLICK:
            if (reply_events_ != nullptr) reply_events_->OnReplyListClick();
            break;
        case NM_RCLICK:
            ShowReplyMenu();
            break;
        default:
            break;
    }
    return 0;
}

// "添加" and the reply menu's items; false for any other command.
bool MainWindow::OnReplyCommand(int id, int notification) {
    if (reply_events_ == nullptr) return false;
    switch (id) {
        case 按钮添加:
            if (notification == BN_CLICKED) OnAddClicked();
            return true;
        case kCmdDelete:
            reply_events_->OnDeleteCommand();
            return true;
        case kCmdEditHotkeys:
            reply_events_->OnEditHotkeysCommand();
            return true;
        case kCmdImportText:
            reply_events_->OnImportCommand();
            return true;
        case kCmdExportText:
            reply_events_->OnExportCommand();
            return true;
        default:
            return false;
    }
}

// 编辑框1: black text on light grey.
LRESULT MainWindow::OnEditColour(HDC dc, HWND edit) {
    if (edit != Control(编辑框1))
        return DefWindowProcA(window_.get(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                              reinterpret_cast<LPARAM>(edit));
    if (!edit_background_) edit_background_.Reset(CreateSolidBrush(kEditBackground));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, kEditBackground);
    return reinterpret_cast<LRESULT>(edit_background_.get());
}

void MainWindow::OnAddClicked() {
    HWND edit = Control(编辑框1);
    std::string typed(static_cast<size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
    typed.resize(
        static_cast<size_t>(GetWindowTextA(edit, typed.data(), static_cast<int>(typed.size()))));
    if (reply_events_->OnAddClicked(typed)) SetWindowTextA(edit, "");
}

// At the cursor, 3 pixels right and down; either button chooses, and the
// chosen command arrives as WM_COMMAND after the menu has closed.
void MainWindow::ShowReplyMenu() {
    const bool selected = reply_rows_.SelectedRow() >= 0;
    EnableMenuItem(reply_menu_.get(), kCmdDelete,
                   MF_BYCOMMAND | (selected ? MF_ENABLED : MF_GRAYED));
    POINT at;
    GetCursorPos(&at);
    TrackPopupMenu(reply_menu_.get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RIGHTBUTTON, at.x + 3,
                   at.y + 3, 0, window_.get(), nullptr);
}

HMENU MainWindow::MenuOf(app::MenuItem item) const {
    return item == app::MenuItem::kShowTrayIcon ? reply_menu_.get() : tray_menu_.get();
}

namespace {

int CommandOf(app::MenuItem item) {
    switch (item) {
        case app::MenuItem::kShowTrayIcon:
            return kCmdShowTrayIcon;
        case app::MenuItem::kShowHide:
            return kCmdShowHide;
        case app::MenuItem::kFollowChat:
            return kCmdFollowChat;
        case app::MenuItem::kAutostart:
            return kCmdAutostart;
    }
    return 0;
}

}  // namespace

void MainWindow::CheckRadio(app::RadioButton which) {
    CheckRadioButton(window_.get(), 单选框粘贴, 单选框发送,
                     which == app::RadioButton::kSend ? 单选框发送 : 单选框粘贴);
}

bool MainWindow::IsRadioChecked(app::RadioButton which) const {
    const int id = which == app::RadioButton::kSend ? 单选框发送 : 单选框粘贴;
    return IsDlgButtonChecked(window_.get(), id) == BST_CHECKED;
}

bool MainWindow::IsMenuChecked(app::MenuItem item) const {
    return (GetMenuState(MenuOf(item), CommandOf(item), MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void MainWindow::SetMenuChecked(app::MenuItem item, bool checked) {
    CheckMenuItem(MenuOf(item), CommandOf(item),
                  MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

void MainWindow::SetMenuEnabled(app::MenuItem item, bool enabled) {
    EnableMenuItem(MenuOf(item), CommandOf(item),
                   MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void MainWindow::SetRadioGroupEnabled(bool enabled) {
    for (int id : {分组框1, 单选框粘贴, 单选框发送}) EnableWindow(Control(id), enabled);
}

void MainWindow::SetWindowVisible(bool visible) {
    ShowWindow(window_.get(), visible ? SW_SHOW : SW_HIDE);
}

namespace {

int ControlOf(app::PanelPart part) {
    switch (part) {
        case app::PanelPart::kReplyList:
            return 超级列表框1;
        case app::PanelPart::kNewReplyEdit:
            return 编辑框1;
        case app::PanelPart::kAddButton:
            return 按钮添加;
        case app::PanelPart::kManualButton:
            return 超级按钮1;
        case app::PanelPart::kWindow:
            break;
    }
    return 0;
}

}  // namespace

void MainWindow::SetGeometry(app::PanelPart part, app::Geometry property, int32_t pixels) {
    const bool is_window = part == app::PanelPart::kWindow;
    HWND target = is_window ? window_.get() : Control(ControlOf(part));
    RECT rect{};
    GetWindowRect(target, &rect);
    // Controls are placed in the window's client coordinates.
    if (!is_window) MapWindowPoints(nullptr, window_.get(), reinterpret_cast<POINT*>(&rect), 2);
    int left = rect.left, top = rect.top, height = rect.bottom - rect.top;
    switch (property) {
        case app::Geometry::kLeft:
            left = pixels;
            break;
        case app::Geometry::kTop:
            top = pixels;
            break;
        case app::Geometry::kHeight:
            height = pixels;
            break;
    }
    SetWindowPos(target, nullptr, left, top, rect.right - rect.left, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::SetTimerPeriod(uint32_t milliseconds) {
    docking_ = milliseconds != 0;
    if (milliseconds == 0) {
        KillTimer(window_.get(), 时钟1);
    } else {
        SetTimer(window_.get(), 时钟1, milliseconds, nullptr);
    }
}

void MainWindow::RequestDestroy() {
    PostMessageA(window_.get(), WM_CLOSE, 0, 0);
}

settings::ScreenPoint MainWindow::ClientOrigin() const {
    POINT origin{0, 0};
    ClientToScreen(window_.get(), &origin);
    return {origin.x, origin.y};
}

bool MainWindow::ReceivesClickAt(settings::ScreenPoint point) const {
    const POINT p{point.x, point.y};
    if (!IsWindowVisible(window_.get())) return false;
    // Off every screen the system would clamp the cursor to an edge, where
    // anything may lie.
    if (MonitorFromPoint(p, MONITOR_DEFAULTTONULL) == nullptr) return false;
    // The background only: a click on a control would act on it (a reply
    // row would be sent, "关闭" would end the program).
    return WindowFromPoint(p) == window_.get();
}

void MainWindow::PopUpTrayMenu(settings::ScreenPoint anchor) {
    // Unless the panel is foreground the menu stays open when the user
    // clicks elsewhere; the null message afterwards lets a second click on
    // the icon open it again (the shell's documented tray-menu quirk).
    SetForegroundWindow(window_.get());
    TrackPopupMenu(tray_menu_.get(), TPM_RIGHTALIGN | TPM_RIGHTBUTTON, anchor.x, anchor.y, 0,
                   window_.get(), nullptr);
    PostMessageA(window_.get(), WM_NULL, 0, 0);
}

}  // namespace tovanel::ui
