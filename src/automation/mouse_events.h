// Decoding of low-level mouse events and the click-outside hiding.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "app/app_state.h"
#include "automation/chat_windows.h"
#include "automation/docking.h"

namespace tovanel::automation {

struct MouseCodes {
    int32_t button = 0;  // 1 left, 2 right, 3 middle, 4 wheel, 5 X2, 6 X1, 0 other
    int32_t action = 0;  // 1 down, 2 up, 3 double click, 4 wheel away, 5 wheel back
    bool operator==(const MouseCodes& other) const {
        return button == other.button && action == other.action;
    }
};

// From the hook's message identifier and MSLLHOOKSTRUCT.mouseData, whose high
// word is the wheel delta or the X button number.
MouseCodes DecodeMouseEvent(uint32_t message, uint32_t mouse_data);

// "handle|x,y", signed decimal numbers: 1312|-5,300.
std::string EventText(WindowHandle window, int32_t x, int32_t y);

// The chat window's outer rectangle widened to the right by the panel's
// width, every bound included.
bool InHideArea(const app::ChatWindowRect& chat, int32_t panel_width, int32_t x, int32_t y);

// The mouse callback: a left press outside the hide area, or on a window that
// is neither the chat main window nor one of this process, hides the panel
// and clears its always-on-top state. Nothing here shows it.
void OnMouseEvent(int32_t button, int32_t action, std::string_view text, const app::AppState& state,
                  ChatWindows& windows, DockedPanel& panel);

}  // namespace tovanel::automation
