// MainWindow at the scale of the monitor it is on: placing it at creation,
// and laying it out again when it crosses to a monitor of another scale.
#include <utility>

#include "ui/dpi_change.h"
#include "ui/main_window.h"

namespace tovanel::ui {

namespace {

// The reply list's height and the tops of the three controls below it.
FollowsPanelHeight Follows(ControlId id) {
    if (id == 超级列表框1) return FollowsPanelHeight::kHeight;
    if (id == 编辑框1 || id == 按钮添加 || id == 超级按钮1) return FollowsPanelHeight::kTop;
    return FollowsPanelHeight::kNothing;
}

LayoutRect AsLayout(const RECT& rect) {
    return {rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top};
}

// In the parent's client coordinates.
LayoutRect ChildRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return AsLayout(rect);
}

}  // namespace

// The window is created at its 100 % size; on a primary monitor of another
// scale it takes the scaled size, centred again.
void MainWindow::CentreForDpi() {
    const int width = ScaleToDpi(kMainWindowWidth, dpi_);
    const int height = ScaleToDpi(kMainWindowHeight, dpi_);
    SetWindowPos(window_.get(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::LayOutControls(int previous_dpi) {
    for (const ControlSpec& spec : kControls) {
        HWND control = Control(spec.id);
        const LayoutRect place = ControlRectAtNewDpi(
            Rect96(spec), ChildRect(window_.get(), control), Follows(spec.id), previous_dpi, dpi_);
        MoveWindow(control, place.left, place.top, place.width, place.height, TRUE);
    }
}

// The user may have dragged a column's edge: its width is carried over.
void MainWindow::ScaleColumns(int previous_dpi) {
    HWND list = Control(超级列表框1);
    for (int column : {0, 1}) {
        const int width = ListView_GetColumnWidth(list, column);
        ListView_SetColumnWidth(list, column, RescaleDpi(width, previous_dpi, dpi_));
    }
}

// The panel crossed to a monitor of another scale (or the scale changed).
void MainWindow::OnDpiChanged(int dpi, const RECT& suggested) {
    const int previous = std::exchange(dpi_, dpi);
    if (dpi != previous) {
        // The controls keep the old fonts until they have the new ones.
        const UniqueFont old_font = std::move(font_);
        const UniqueFont old_title_font = std::move(title_font_);
        CreateFonts();
        ApplyFonts();
        LayOutControls(previous);
        ScaleColumns(previous);
        ShowRowMarks();
        ShowLogo();
    }
    RECT now;
    GetWindowRect(window_.get(), &now);
    const LayoutRect place =
        PanelRectAtNewDpi(docking_, AsLayout(now), AsLayout(suggested), kMainWindowWidth, dpi_);
    SetWindowPos(window_.get(), nullptr, place.left, place.top, place.width, place.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace tovanel::ui
