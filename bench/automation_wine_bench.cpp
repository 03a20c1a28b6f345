// Timings of the automation on the real Win32 side, run under Wine by
// bench/automation.sh:
//   dock-ticks N            one DockTick against a real chat-class window and
//                           the real panel: still, and following a moving window
//   paste LOG N             the floor of a delivery: clipboard and Ctrl+V into
//                           the focused stand-in, until its log shows the text
//   fkey LOG N VK LINES     a press of virtual key VK, until the stand-in's log
//                           has LINES more lines (the paste, and Send)
// Each prints one line of JSON with the median and the worst, in microseconds.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "automation/docking.h"
#include "automation/input_synthesis.h"
#include "automation/win32_ports.h"
#include "quiet_window_events.h"
#include "ui/main_window.h"

namespace {

using tovanel::automation::kChatWindowClass;
using tovanel::automation::kChatWindowTitle;

double NowUs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) * 1e6 / static_cast<double>(frequency.QuadPart);
}

void Report(const char* what, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    std::printf("{\"what\": \"%s\", \"runs\": %zu, \"median_us\": %.1f, \"worst_us\": %.1f}\n",
                what, times.size(), times[times.size() / 2], times.back());
    std::fflush(stdout);
}

HWND MakeChatWindow(HINSTANCE instance) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = instance;
    wc.lpszClassName = kChatWindowClass;
    RegisterClassA(&wc);
    HWND chat = CreateWindowExA(0, kChatWindowClass, kChatWindowTitle, WS_OVERLAPPEDWINDOW, 100, 50,
                                800, 700, nullptr, nullptr, instance, nullptr);
    ShowWindow(chat, SW_SHOW);
    SetForegroundWindow(chat);
    return chat;
}

int DockTicks(int runs) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HWND chat = MakeChatWindow(instance);
    tovanel::bench::QuietWindowEvents events;
    tovanel::ui::MainWindow panel(instance);
    if (!panel.Create(events)) return 1;
    tovanel::app::ChatWindowRect rect;
    tovanel::app::AppState state;
    state.chat_window_rect = &rect;
    tovanel::automation::Win32ChatWindows windows;
    tovanel::automation::Win32DockedPanel docked(panel);
    tovanel::automation::Win32MessagePump pump;
    for (const bool moving : {false, true}) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            if (moving) MoveWindow(chat, 100 + i % 50, 50, 800, 700 - i % 50, TRUE);
            pump.PumpMessages();
            const double start = NowUs();
            tovanel::automation::DockTick(state, windows, docked);
            times.push_back(NowUs() - start);
        }
        Report(moving ? "dock tick, moving chat window" : "dock tick, still chat window", times);
    }
    return 0;
}

size_t FileSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    return data.nFileSizeLow;
}

size_t LineCount(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    std::string text(FileSize(path), '\0');
    DWORD read = 0;
    ReadFile(file, text.data(), static_cast<DWORD>(text.size()), &read, nullptr);
    CloseHandle(file);
    return static_cast<size_t>(std::count(text.begin(), text.begin() + read, '\n'));
}

// Polls the log every millisecond; false after 5 s.
bool WaitLines(const std::wstring& log, size_t lines) {
    const double end = NowUs() + 5e6;
    while (LineCount(log) < lines) {
        if (NowUs() > end) return false;
        Sleep(1);
    }
    return true;
}

class NoPump : public tovanel::automation::MessagePump {
  public:
    void PumpMessages() override {}
    uint32_t TickCount() override { return GetTickCount(); }
};

int PasteFloor(const std::wstring& log, int runs) {
    tovanel::automation::Win32SyntheticInput input;
    NoPump pump;
    tovanel::automation::Win32Clipboard clipboard(pump);
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const size_t before = LineCount(log);
        const double start = NowUs();
        clipboard.SetText("floor " + std::to_string(i));
        tovanel::automation::PressCtrlV(input);
        if (!WaitLines(log, before + 1)) return 2;
        times.push_back(NowUs() - start);
    }
    Report("paste floor: clipboard and Ctrl+V", times);
    return 0;
}

int FKey(const std::wstring& log, int runs, int vk, int lines) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const size_t before = LineCount(log);
        const double start = NowUs();
        keybd_event(static_cast<BYTE>(vk), 0, 0, 0);
        keybd_event(static_cast<BYTE>(vk), 0, KEYEVENTF_KEYUP, 0);
        if (!WaitLines(log, before + static_cast<size_t>(lines))) return 2;
        times.push_back(NowUs() - start);
        Sleep(20);  // lets the chat client settle before the next press
    }
    Report(lines > 1 ? "F-key delivery, paste and send" : "F-key delivery, paste only", times);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring mode = argc > 1 ? argv[1] : L"";
    if (mode == L"dock-ticks" && argc > 2) return DockTicks(_wtoi(argv[2]));
    if (mode == L"paste" && argc > 3) return PasteFloor(argv[2], _wtoi(argv[3]));
    if (mode == L"fkey" && argc > 5)
        return FKey(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]));
    std::fprintf(stderr, "usage: dock-ticks N | paste LOG N | fkey LOG N VK LINES\n");
    return 64;
}
