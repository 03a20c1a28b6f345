// Fakes of the automation's ports. They keep what a person would see (the
// panel's place, the clipboard, the cursor) and one log of calls in order.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "automation/chat_windows.h"
#include "automation/docking.h"
#include "automation/input_synthesis.h"
#include "automation/reply_delivery.h"

namespace tovanel::automation::testing {

using CallLog = std::vector<std::string>;

inline std::string Str(int32_t a, int32_t b) {
    return std::to_string(a) + "," + std::to_string(b);
}

// A desktop with at most one chat window and a foreground window.
class FakeChatWindows : public ChatWindows {
  public:
    WindowHandle FindChatWindow() override { return chat_exists ? chat : 0; }
    app::ChatWindowRect ReadWindowRect(WindowHandle window) override {
        return window == chat && chat_exists ? chat_rect : app::ChatWindowRect{};
    }
    bool IsWindowVisible(WindowHandle window) override {
        return window == chat && chat_exists && chat_visible;
    }
    bool IsChatForeground() override {
        if (on_foreground_query) on_foreground_query();
        return IsChatIdentity(fg_class, fg_title);
    }
    bool IsOwnProcessWindow(WindowHandle window) override { return own_windows.count(window) != 0; }
    void AwaitInputHandled(WindowHandle window) override {
        if (log != nullptr) log->push_back(window == chat ? "sync" : "sync elsewhere");
    }
    int Dpi(WindowHandle window) override { return window == chat ? chat_dpi : 96; }

    WindowHandle chat = 0x1312;
    bool chat_exists = true;
    bool chat_visible = true;
    app::ChatWindowRect chat_rect{100, 50, 800, 700};
    std::string fg_class = kChatWindowClass;
    std::string fg_title = kChatWindowTitle;
    std::map<WindowHandle, bool> own_windows;
    std::function<void()> on_foreground_query;
    CallLog* log = nullptr;
    int chat_dpi = 96;
};

class FakePanel : public DockedPanel {
  public:
    explicit FakePanel(CallLog& log) : log_(log) {}
    void Hide() override {
        visible = false;
        log_.push_back("hide");
    }
    void ShowWithoutActivating() override {
        visible = true;
        log_.push_back("show");
    }
    void SetTopmost(bool on) override {
        topmost = on;
        log_.push_back(on ? "topmost" : "not topmost");
    }
    void Dock(int l, int t, int h) override {
        left = l;
        top = t;
        // A window cannot be shorter than the system allows.
        height = h < min_height ? min_height : h;
        log_.push_back("dock " + Str(l, t) + " h" + std::to_string(h));
    }
    int Width() override { return width; }
    int Height() override { return height; }
    int Dpi() override { return dpi; }
    void ApplyLayout(const DockLayout& l) override {
        layout = l;
        log_.push_back("layout " + std::to_string(l.list_height));
    }

    bool visible = true;
    bool topmost = false;
    int left = 50, top = 50, width = 300, height = 650, min_height = 0, dpi = 96;
    DockLayout layout{};

  private:
    CallLog& log_;
};

// The cursor, the chat client's client-area origin and every synthetic event.
class FakeInput : public SyntheticInput {
  public:
    explicit FakeInput(CallLog& log) : log_(log) {}
    ScreenPoint CursorPos() override { return cursor; }
    ScreenPoint ClientOrigin(WindowHandle window) override {
        const auto it = origins.find(window);
        return it == origins.end() ? ScreenPoint{} : it->second;
    }
    void SetCursorPos(ScreenPoint at) override { cursor = at; }
    void MouseButtons(uint32_t flags) override {
        log_.push_back("click " + std::to_string(flags) + " at " + Str(cursor.x, cursor.y));
    }
    void Key(uint8_t vk, bool up) override {
        log_.push_back(std::string(up ? "up " : "down ") + std::to_string(vk));
        if (on_key) on_key();
    }

    ScreenPoint cursor{640, 480};
    std::map<WindowHandle, ScreenPoint> origins;
    std::function<void()> on_key;  // runs inside a delivery, as a hook would

  private:
    CallLog& log_;
};

class FakeClipboard : public Clipboard {
  public:
    explicit FakeClipboard(CallLog& log) : log_(log) {}
    bool SetText(const std::string& text) override {
        log_.push_back("text " + text);
        if (held_by_other) return false;
        content = "text " + text;
        return true;
    }
    bool SetFileList(const std::vector<std::string>& paths) override {
        std::string all;
        for (const std::string& p : paths) all += p + ";";
        log_.push_back("files " + all);
        if (held_by_other) return false;
        content = "files " + all;
        return true;
    }
    std::string content;
    bool held_by_other = false;

  private:
    CallLog& log_;
};

// A queue whose every pump lets the tick count advance by `ms_per_pump`;
// `on_pump` stands for a message dispatched in the middle of a delivery.
class FakePump : public MessagePump {
  public:
    explicit FakePump(CallLog& log) : log_(log) {}
    void PumpMessages() override {
        ++pumps;
        tick += ms_per_pump;
        if (log_pumps) log_.push_back("pump");
        if (on_pump) {
            auto run = std::move(on_pump);
            on_pump = nullptr;
            run();
        }
    }
    uint32_t TickCount() override { return tick; }

    uint32_t tick = 1000;
    uint32_t ms_per_pump = 1;
    int pumps = 0;
    bool log_pumps = true;
    std::function<void()> on_pump;

  private:
    CallLog& log_;
};

class FakeRows : public ReplyRows {
  public:
    int RowCount() override { return static_cast<int>(rows.size()); }
    replies::ReplyRow RowAt(int index) override { return rows.at(index); }
    int SelectedRow() override { return selected; }
    void ClearSelection() override { selected = -1; }

    std::vector<replies::ReplyRow> rows;
    int selected = -1;
};

}  // namespace tovanel::automation::testing
