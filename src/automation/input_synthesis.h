// The primitives through which the panel drives another program: a click at
// a point, the paste keystroke, the clipboard, and letting the GUI thread's
// queue drain. Each decides here and acts through a small port.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "automation/chat_windows.h"

namespace tovanel::automation {

struct ScreenPoint {
    int32_t x = 0;
    int32_t y = 0;
    bool operator==(const ScreenPoint& other) const { return x == other.x && y == other.y; }
};

// mouse_event flags: a button's down and up together, nothing else.
inline constexpr uint32_t kLeftClickFlags = 0x0002 | 0x0004;
inline constexpr uint32_t kRightClickFlags = 0x0008 | 0x0010;
inline constexpr uint32_t kMiddleClickFlags = 0x0020 | 0x0040;

inline constexpr uint8_t kVkControl = 17;
inline constexpr uint8_t kVkV = 86;

class SyntheticInput {
  public:
    virtual ~SyntheticInput() = default;
    virtual ScreenPoint CursorPos() = 0;
    // The screen position of the window's client-area origin.
    virtual ScreenPoint ClientOrigin(WindowHandle window) = 0;
    virtual void SetCursorPos(ScreenPoint at) = 0;
    // One mouse_event with these flags, where the cursor stands.
    virtual void MouseButtons(uint32_t flags) = 0;
    virtual void Key(uint8_t virtual_key, bool up) = 0;
};

// Button codes: 0 (or omitted) and 1 left, 2 right, 3 middle; any other code
// neither moves nor clicks.
inline constexpr int32_t kLeftButton = 1;

// Clicks at (x, y) relative to the window's client-area origin, or at screen
// point (x, y) when window is 0, and puts the cursor back. An omitted
// coordinate takes the cursor's own screen coordinate as its offset.
void ClickAt(SyntheticInput& input, WindowHandle window, std::optional<int32_t> x,
             std::optional<int32_t> y, int32_t button = 0);

// Ctrl down, V down, Ctrl up, V up: the order the chat client has always seen.
void PressCtrlV(SyntheticInput& input);

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // CF_TEXT: the ANSI bytes and a terminating zero. False when nothing was placed.
    virtual bool SetText(const std::string& text) = 0;
    // CF_HDROP: the block of BuildDropFilesBlock. False when nothing was placed.
    virtual bool SetFileList(const std::vector<std::string>& paths) = 0;
    // Returns once the program that took the paste has read what was placed
    // last, or after a short bounded wait; either way the clipboard then
    // holds it for whoever reads it later. The next reply may be placed only
    // after this, or the paste before it would take the wrong text.
    virtual void AwaitTaken() = 0;
};

// The CF_HDROP block: a 20-byte DROPFILES header (pFiles 20, the rest 0, ANSI
// names), each path's bytes and a zero, then one more zero.
std::vector<uint8_t> BuildDropFilesBlock(const std::vector<std::string>& paths);

class MessagePump {
  public:
    virtual ~MessagePump() = default;
    // Dispatches what is queued; returns when the queue is empty or WM_QUIT
    // is next, leaving WM_QUIT queued.
    virtual void PumpMessages() = 0;
    // GetTickCount: milliseconds, wrapping after 49.7 days.
    virtual uint32_t TickCount() = 0;
};

// Keeps dispatching messages, without sleeping, until the tick count has
// passed `milliseconds` from now. Returns at once for 0 or less.
void WaitPumping(MessagePump& pump, int32_t milliseconds);

}  // namespace tovanel::automation
