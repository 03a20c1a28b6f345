// The stand-in chat client: see standin_window.h.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "event_log.h"
#include "options.h"
#include "standin_window.h"

namespace {

std::vector<std::wstring> CommandLineArguments() {
    std::vector<std::wstring> args;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return args;
    for (int i = 1; i < count; ++i) args.emplace_back(argv[i]);
    LocalFree(argv);
    return args;
}

// The chat client is per-monitor DPI aware, as Velquin is: both then speak
// physical pixels. Looked up at run time, for Windows before 10 1703.
void DeclarePerMonitorDpiAwareness() {
    using SetContext = BOOL(WINAPI*)(HANDLE);
    const auto set_context = reinterpret_cast<SetContext>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleW(L"user32.dll"), "SetProcessDpiAwarenessContext")));
    const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(-4);
    if (set_context) set_context(kPerMonitorAwareV2);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    DeclarePerMonitorDpiAwareness();
    std::wstring error;
    const auto options = chatstandin::ParseOptions(CommandLineArguments(), error);
    if (!options) {
        MessageBoxW(nullptr, error.c_str(), L"chatstandin", MB_ICONERROR);
        return 2;
    }
    const chatstandin::EventLog log(options->logPath);
    chatstandin::StandinWindow window(log);
    if (!window.Create(instance, options->placement)) return 1;

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}
