#include "automation/docking.h"

namespace tovanel::automation {

DockLayout LayoutBelow(int panel_height, int dpi) {
    return {panel_height - ui::ScaleToDpi(210, dpi), panel_height - ui::ScaleToDpi(75, dpi),
            panel_height - ui::ScaleToDpi(40, dpi), panel_height - ui::ScaleToDpi(40, dpi)};
}

void DockTick(app::AppState& state, ChatWindows& windows, DockedPanel& panel) {
    const WindowHandle chat = windows.FindChatWindow();
    state.chat_window = chat;
    app::ChatWindowRect& rect = *state.chat_window_rect;
    rect = chat != 0 ? windows.ReadWindowRect(chat) : app::ChatWindowRect{};

    if (chat == 0 || !windows.IsWindowVisible(chat)) {
        panel.Hide();
        panel.SetTopmost(false);
    }
    if (windows.IsChatForeground()) {
        panel.ShowWithoutActivating();
        panel.SetTopmost(true);
    }
    // Also while hidden, so that the panel reappears in its place.
    panel.Dock(rect.left + rect.width, rect.top, rect.height);
    panel.ApplyLayout(LayoutBelow(panel.Height(), panel.Dpi()));
}

}  // namespace tovanel::automation
