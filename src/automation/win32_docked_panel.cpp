#include <algorithm>

#include "automation/win32_ports.h"
#include "ui/main_window_layout.h"

namespace tovanel::automation {

namespace {

constexpr UINT kNoActivation = SWP_NOACTIVATE | SWP_NOOWNERZORDER;

// A control's rectangle in its parent's client coordinates.
RECT ClientRectOf(HWND control) {
    RECT r{};
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// Writes only what changed: a still chat window costs the panel nothing but
// a few reads every tick.
void PlaceControl(HWND control, int top, int height) {
    height = std::max(height, 0);  // a window takes no negative height
    const RECT now = ClientRectOf(control);
    if (now.top == top && now.bottom - now.top == height) return;
    SetWindowPos(control, nullptr, now.left, top, now.right - now.left, height,
                 SWP_NOZORDER | kNoActivation);
}

}  // namespace

void Win32DockedPanel::Hide() {
    if (IsWindowVisible(Window())) ShowWindow(Window(), SW_HIDE);
}

void Win32DockedPanel::ShowWithoutActivating() {
    if (!IsWindowVisible(Window())) ShowWindow(Window(), SW_SHOWNA);
}

void Win32DockedPanel::SetTopmost(bool topmost) {
    const bool now = (GetWindowLongPtrA(Window(), GWL_EXSTYLE) & WS_EX_TOPMOST) != 0;
    if (now == topmost) return;
    SetWindowPos(Window(), topmost ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | kNoActivation);
}

void Win32DockedPanel::Dock(int left, int top, int height) {
    RECT now{};
    GetWindowRect(Window(), &now);
    if (now.left == left && now.top == top && now.bottom - now.top == height) return;
    SetWindowPos(Window(), nullptr, left, top, now.right - now.left, height,
                 SWP_NOZORDER | kNoActivation);
}

int Win32DockedPanel::Width() {
    RECT r{};
    GetWindowRect(Window(), &r);
    return r.right - r.left;
}

int Win32DockedPanel::Height() {
    RECT r{};
    GetWindowRect(Window(), &r);
    return r.bottom - r.top;
}

int Win32DockedPanel::Dpi() {
    return panel_.Dpi();
}

void Win32DockedPanel::ApplyLayout(const DockLayout& layout) {
    HWND list = GetDlgItem(Window(), ui::超级列表框1);
    // Unchanged since the last tick, unless someone else laid the list out.
    if (applied_ == layout) {
        const RECT now = ClientRectOf(list);
        if (now.bottom - now.top == std::max(layout.list_height, 0)) return;
    }
    applied_ = layout;
    PlaceControl(list, ClientRectOf(list).top, layout.list_height);
    const struct {
        int id;
        int top;
    } below[] = {{ui::编辑框1, layout.edit_top},
                 {ui::按钮添加, layout.add_top},
                 {ui::超级按钮1, layout.manual_top}};
    for (const auto& control : below) {
        HWND window = GetDlgItem(Window(), control.id);
        const RECT now = ClientRectOf(window);
        PlaceControl(window, control.top, now.bottom - now.top);
    }
}

}  // namespace tovanel::automation
