// The automation's own work per event: what the hook procedures do for the
// events they ignore (every key but the F-keys, every mouse event but a left
// press), a left press judged by the click-outside test, and one docking tick
// against a fake desktop. Aim: an ignored event well under 1 µs.
#include <benchmark/benchmark.h>

#include "automation/docking.h"
#include "automation/key_events.h"
#include "automation/mouse_events.h"

namespace tovanel::automation {
namespace {

class CountingSink : public HotkeySink {
  public:
    void OnHotkey(const char*) override { ++count; }
    int count = 0;
};

// A desktop that answers at once: the tick's own decisions, not the OS's.
class StillDesktop : public ChatWindows {
  public:
    WindowHandle FindChatWindow() override { return 0x1312; }
    app::ChatWindowRect ReadWindowRect(WindowHandle) override { return {100, 50, 800, 700}; }
    bool IsWindowVisible(WindowHandle) override { return true; }
    bool IsChatForeground() override { return IsChatIdentity(kChatWindowClass, title); }
    bool IsOwnProcessWindow(WindowHandle window) override { return window == 0x500; }
    void AwaitInputHandled(WindowHandle) override {}
    int Dpi(WindowHandle) override { return 96; }
    std::string title = kChatWindowTitle;
};

class StillPanel : public DockedPanel {
  public:
    void Hide() override { visible = false; }
    void ShowWithoutActivating() override { visible = true; }
    void SetTopmost(bool on) override { topmost = on; }
    void Dock(int l, int t, int h) override { left = l, top = t, height = h; }
    int Width() override { return 300; }
    int Height() override { return height; }
    int Dpi() override { return 96; }
    void ApplyLayout(const DockLayout& l) override { layout = l; }
    bool visible = true, topmost = true;
    int left = 0, top = 0, height = 0;
    DockLayout layout{};
};

// A letter key down and up, as the keyboard hook handles it.
void IgnoredKey(benchmark::State& state) {
    CountingSink sink;
    int32_t modifiers = 0;
    uint32_t vk = 65;
    for (auto _ : state) {
        const uint32_t flags = (vk & 1) ? 128 : 0;
        const int32_t action = DecodeKeyEvent(vk, flags, modifiers);
        if (action != 0) OnKeyEvent(modifiers, static_cast<int32_t>(vk), action, sink);
        vk = vk == 90 ? 65 : vk + 1;
        benchmark::DoNotOptimize(modifiers);
    }
    benchmark::DoNotOptimize(sink.count);
}
BENCHMARK(IgnoredKey);

// A mouse move, the most frequent event of all.
void IgnoredMouseMove(benchmark::State& state) {
    uint32_t data = 0;
    for (auto _ : state) {
        const MouseCodes codes = DecodeMouseEvent(512, data++);
        benchmark::DoNotOptimize(codes);
    }
}
BENCHMARK(IgnoredMouseMove);

// A left press on the panel: the text built, parsed and both tests run.
void LeftPressOnPanel(benchmark::State& state) {
    app::ChatWindowRect rect{100, 50, 800, 700};
    app::AppState app;
    app.chat_window_rect = &rect;
    app.chat_window = 0x1312;
    StillDesktop desktop;
    StillPanel panel;
    for (auto _ : state) {
        const MouseCodes codes = DecodeMouseEvent(513, 0);
        OnMouseEvent(codes.button, codes.action, EventText(0x500, 1000, 400), app, desktop, panel);
    }
    benchmark::DoNotOptimize(panel.visible);
}
BENCHMARK(LeftPressOnPanel);

void DockTickFakeDesktop(benchmark::State& state) {
    app::ChatWindowRect rect;
    app::AppState app;
    app.chat_window_rect = &rect;
    StillDesktop desktop;
    StillPanel panel;
    for (auto _ : state) DockTick(app, desktop, panel);
    benchmark::DoNotOptimize(panel.layout);
}
BENCHMARK(DockTickFakeDesktop);

}  // namespace
}  // namespace tovanel::automation

BENCHMARK_MAIN();
