// Start-up of Velquin.exe against a bare Win32 window, in one run: from
// CreateProcess to the panel visible with its replies listed (the bare
// window: visible), and the private memory the process holds at that moment.
// Usage: startup_bench VELQUIN_EXE BARE_EXE ROWS ROUNDS
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Target {
    const char* name;
    std::string exe;
    const char* window_class;
    int rows;  // list rows to wait for; -1: no list
};

struct Sample {
    double milliseconds;
    double private_kb;
};

struct WindowQuery {
    DWORD pid;
    const char* window_class;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
    auto* query = reinterpret_cast<WindowQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    if (pid != query->pid || std::string(name) != query->window_class) return TRUE;
    query->found = window;
    return FALSE;
}

// The target's window is visible and, for the panel, lists all its rows.
bool Ready(const Target& target, DWORD pid) {
    WindowQuery query{pid, target.window_class, nullptr};
    EnumWindows(&MatchWindow, reinterpret_cast<LPARAM>(&query));
    if (query.found == nullptr || !IsWindowVisible(query.found)) return false;
    if (target.rows < 0) return true;
    HWND list = FindWindowExA(query.found, nullptr, WC_LISTVIEWA, nullptr);
    DWORD_PTR count = 0;
    return list != nullptr &&
           SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &count) &&
           static_cast<int>(count) == target.rows;
}

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

bool Measure(const Target& target, Sample* sample) {
    std::string command = "\"" + target.exe + "\"";
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    const double start = Now();
    if (!CreateProcessA(target.exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &si, &pi)) {
        std::fprintf(stderr, "%s: CreateProcess failed (%lu)\n", target.name, GetLastError());
        return false;
    }
    bool ready = false;
    while (Now() - start < 60000) {
        if ((ready = Ready(target, pi.dwProcessId))) break;
        if (WaitForSingleObject(pi.hProcess, 1) == WAIT_OBJECT_0) break;
    }
    sample->milliseconds = Now() - start;
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(pi.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory),
                         sizeof memory);
    // Both count the private memory committed to the process; Wine fills in
    // only the older of the two.
    const SIZE_T private_bytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    sample->private_kb = static_cast<double>(private_bytes) / 1024.0;

    TerminateProcess(pi.hProcess, 0);
    WaitForSingleObject(pi.hProcess, 10000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    // Let the system finish with the ended process (its windows, its tray
    // icon) before the next start is timed.
    Sleep(1000);
    if (!ready) std::fprintf(stderr, "%s: never became ready\n", target.name);
    return ready;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: startup_bench VELQUIN_EXE BARE_EXE ROWS ROUNDS\n");
        return 2;
    }
    const Target targets[] = {{"Velquin", argv[1], "TovanelMainWindow", std::atoi(argv[3])},
                              {"bare", argv[2], "TovanelBareWindow", -1}};
    const int rounds = std::max(1, std::atoi(argv[4]));
    std::vector<double> times[2], memory[2];
    // Alternating, so a busy moment of the machine falls on both.
    for (int round = 0; round < rounds; ++round) {
        for (int t = 0; t < 2; ++t) {
            Sample sample{};
            if (!Measure(targets[t], &sample)) return 1;
            times[t].push_back(sample.milliseconds);
            memory[t].push_back(sample.private_kb);
            std::printf("%-8s round %2d: %8.1f ms %9.0f KB private\n", targets[t].name, round + 1,
                        sample.milliseconds, sample.private_kb);
        }
    }
    const double time_ratio = Median(times[0]) / Median(times[1]);
    const double memory_ratio = Median(memory[0]) / Median(memory[1]);
    std::printf("\nmedian of %d   %12s %12s\n", rounds, "start ms", "private KB");
    for (int t = 0; t < 2; ++t) {
        std::printf("%-14s %12.1f %12.0f\n", targets[t].name, Median(times[t]), Median(memory[t]));
    }
    std::printf("%-14s %12.2f %12.2f\n", "Velquin/bare", time_ratio, memory_ratio);
    return 0;
}
