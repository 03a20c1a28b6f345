// Keeps the panel flush against the chat window's right edge, with the same
// top and height, in front while the chat client is in front.
#pragma once

#include "app/app_state.h"
#include "automation/chat_windows.h"
#include "ui/dpi_scale.h"

namespace tovanel::automation {

// Where the controls below the reply list go for a panel of height h, in the
// panel's client coordinates. The distances from the bottom are 96-DPI values,
// scaled to the panel's DPI.
struct DockLayout {
    int list_height;  // 超级列表框1
    int edit_top;     // 编辑框1
    int add_top;      // 按钮添加
    int manual_top;   // 超级按钮1
    bool operator==(const DockLayout& o) const {
        return list_height == o.list_height && edit_top == o.edit_top && add_top == o.add_top &&
               manual_top == o.manual_top;
    }
};

DockLayout LayoutBelow(int panel_height, int dpi = ui::kBaseDpi);

// The panel as the docking and the click-outside hiding move it.
class DockedPanel {
  public:
    virtual ~DockedPanel() = default;
    virtual void Hide() = 0;
    // Shows the panel without activating it: the chat client keeps the focus.
    virtual void ShowWithoutActivating() = 0;
    // Always-on-top on or off, without activating, moving or sizing.
    virtual void SetTopmost(bool topmost) = 0;
    // Moves the panel's top-left corner and sets its height; the width stays.
    virtual void Dock(int left, int top, int height) = 0;
    virtual int Width() = 0;
    // The height the window actually took.
    virtual int Height() = 0;
    // The DPI the panel is laid out at: that of the monitor it is on.
    virtual int Dpi() = 0;
    virtual void ApplyLayout(const DockLayout& layout) = 0;
};

// One tick of 时钟1: looks the chat window up, records it in `state` and
// follows it. `state.chat_window_rect` must exist.
void DockTick(app::AppState& state, ChatWindows& windows, DockedPanel& panel);

}  // namespace tovanel::automation
