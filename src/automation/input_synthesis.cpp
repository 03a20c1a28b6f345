#include "automation/input_synthesis.h"

#include <cstring>

namespace tovanel::automation {

namespace {

// 0 for a code that clicks nothing.
uint32_t ClickFlagsOf(int32_t button) {
    switch (button) {
        case 0:
        case 1:
            return kLeftClickFlags;
        case 2:
            return kRightClickFlags;
        case 3:
            return kMiddleClickFlags;
        default:
            return 0;
    }
}

void PutLittleEndian32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

constexpr size_t kDropFilesHeaderSize = 20;

}  // namespace

void ClickAt(SyntheticInput& input, WindowHandle window, std::optional<int32_t> x,
             std::optional<int32_t> y, int32_t button) {
    const ScreenPoint saved = input.CursorPos();
    const uint32_t flags = ClickFlagsOf(button);
    if (flags == 0) return;
    // An omitted coordinate is the cursor's screen coordinate, used as an
    // offset like any other: callers have always relied on exactly this.
    const int32_t dx = x.value_or(saved.x);
    const int32_t dy = y.value_or(saved.y);
    const ScreenPoint origin = window != 0 ? input.ClientOrigin(window) : ScreenPoint{};
    input.SetCursorPos({origin.x + dx, origin.y + dy});
    input.MouseButtons(flags);
    input.SetCursorPos(saved);
}

void PressCtrlV(SyntheticInput& input) {
    input.Key(kVkControl, false);
    input.Key(kVkV, false);
    input.Key(kVkControl, true);
    input.Key(kVkV, true);
}

std::vector<uint8_t> BuildDropFilesBlock(const std::vector<std::string>& paths) {
    size_t names = 1;  // the final zero
    for (const std::string& path : paths) names += path.size() + 1;
    std::vector<uint8_t> block(kDropFilesHeaderSize + names, 0);
    PutLittleEndian32(block.data(), kDropFilesHeaderSize);  // pFiles; pt, fNC, fWide stay 0
    uint8_t* at = block.data() + kDropFilesHeaderSize;
    for (const std::string& path : paths) {
        std::memcpy(at, path.data(), path.size());
        at += path.size() + 1;
    }
    return block;
}

void WaitPumping(MessagePump& pump, int32_t milliseconds) {
    if (milliseconds <= 0) return;
    const uint32_t deadline = pump.TickCount() + static_cast<uint32_t>(milliseconds);
    // Compared as a signed distance so that the wrap of the tick count after
    // 49.7 days does not end the wait early.
    for (;;) {
        pump.PumpMessages();
        pump.PumpMessages();
        if (static_cast<int32_t>(pump.TickCount() - deadline) > 0) return;
    }
}

}  // namespace tovanel::automation
