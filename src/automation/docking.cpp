#include "automation/docking.h"

namespace tovanel::automation {

DockLayout LayoutBelow(int panel_height) {
    return {panel_height - 210, panel_height - 75, panel_height - 40, panel_height - 40};
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
    panel.ApplyLayout(LayoutBelow(panel.Height()));
}

}  // namespace tovanel::automation
