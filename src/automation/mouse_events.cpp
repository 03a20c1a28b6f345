#include "automation/mouse_events.h"

#include <charconv>

namespace tovanel::automation {

namespace {

MouseCodes ButtonAction(uint32_t message) {
    // WM_LBUTTONDOWN (513) to WM_MBUTTONDBLCLK (521): three per button.
    const int32_t offset = static_cast<int32_t>(message) - 513;
    return {offset / 3 + 1, offset % 3 + 1};
}

template <typename Number>
bool ParseNumber(std::string_view text, Number& out) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), out);
    return error == std::errc() && end == text.data() + text.size();
}

struct ParsedEvent {
    std::string_view window;  // as written, compared as text
    int32_t x = 0;
    int32_t y = 0;
};

bool ParseEventText(std::string_view text, ParsedEvent& out) {
    const size_t bar = text.find('|');
    if (bar == std::string_view::npos) return false;
    const size_t comma = text.find(',', bar);
    if (comma == std::string_view::npos) return false;
    out.window = text.substr(0, bar);
    return ParseNumber(text.substr(bar + 1, comma - bar - 1), out.x) &&
           ParseNumber(text.substr(comma + 1), out.y);
}

void HidePanel(DockedPanel& panel) {
    panel.Hide();
    panel.SetTopmost(false);
}

}  // namespace

MouseCodes DecodeMouseEvent(uint32_t message, uint32_t mouse_data) {
    const auto high = static_cast<int16_t>(mouse_data >> 16);
    switch (message) {
        case 513:  // WM_LBUTTONDOWN … WM_MBUTTONDBLCLK
        case 514:
        case 515:
        case 516:
        case 517:
        case 518:
        case 519:
        case 520:
        case 521:
            return ButtonAction(message);
        case 522:  // WM_MOUSEWHEEL
            if (high > 0) return {4, 4};
            if (high < 0) return {4, 5};
            return {};
        case 523:  // WM_XBUTTONDOWN
        case 524:  // WM_XBUTTONUP
        {
            const int32_t action = message == 523 ? 1 : 2;
            if (high == 1) return {6, action};
            if (high == 2) return {5, action};
            return {};
        }
        default:
            return {};
    }
}

std::string EventText(WindowHandle window, int32_t x, int32_t y) {
    return std::to_string(window) + '|' + std::to_string(x) + ',' + std::to_string(y);
}

bool InHideArea(const app::ChatWindowRect& chat, int32_t panel_width, int32_t x, int32_t y) {
    // 64-bit sums: no rectangle a window can report overflows them.
    const int64_t right = int64_t{chat.left} + chat.width + panel_width;
    const int64_t bottom = int64_t{chat.top} + chat.height;
    return x >= chat.left && x <= right && y >= chat.top && y <= bottom;
}

void OnMouseEvent(int32_t button, int32_t action, std::string_view text, const app::AppState& state,
                  ChatWindows& windows, DockedPanel& panel) {
    if (button != 1 || action != 1) return;
    ParsedEvent event;
    if (!ParseEventText(text, event)) return;
    if (!InHideArea(*state.chat_window_rect, panel.Width(), event.x, event.y)) HidePanel(panel);

    char chat[32];
    const char* chat_end = std::to_chars(chat, chat + sizeof chat, state.chat_window).ptr;
    if (event.window == std::string_view(chat, chat_end - chat)) return;
    WindowHandle window = 0;
    // A handle part that is no number names no window of this process.
    ParseNumber(event.window, window);
    if (!windows.IsOwnProcessWindow(window)) HidePanel(panel);
}

}  // namespace tovanel::automation
