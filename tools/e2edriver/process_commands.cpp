// Starting programs and waiting for their exit codes. The driver keeps the
// handles of the processes it started, so an exit code stays readable after
// the process is gone.
#include <map>

#include "command_table.h"
#include "text_codec.h"
#include "common/win_handle.h"

namespace e2edriver {

using tovanel::tools::UniqueHandle;
namespace {

std::map<DWORD, UniqueHandle>& Started() {
    static std::map<DWORD, UniqueHandle> processes;
    return processes;
}

// Quotes one argument the way CommandLineToArgvW reads it back.
std::wstring Quote(const std::wstring& arg) {
    if (!arg.empty() && arg.find_first_of(L" \t\"") == std::wstring::npos) return arg;
    std::wstring out = L"\"";
    size_t backslashes = 0;
    for (wchar_t c : arg) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

// start EXE CWD [ARGS...]: CWD "-" keeps the driver's own directory. Starting
// from another directory shows whether a program finds its files by itself.
Reply Start(const Args& a) {
    std::wstring commandLine = Quote(WideFromUtf8(a[0]));
    for (size_t i = 2; i < a.size(); ++i) commandLine += L" " + Quote(WideFromUtf8(a[i]));
    const std::wstring exe = WideFromUtf8(a[0]);
    const std::wstring cwd = WideFromUtf8(a[1]);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        a[1] == "-" ? nullptr : cwd.c_str(), &si, &pi))
        return Reply::Fail("CreateProcess failed, error " + std::to_string(GetLastError()));
    CloseHandle(pi.hThread);
    Started()[pi.dwProcessId] = UniqueHandle(pi.hProcess);
    return Reply::Ok(JsonObject().Add("pid", static_cast<int64_t>(pi.dwProcessId)));
}

HANDLE ProcessHandle(DWORD pid) {
    auto found = Started().find(pid);
    if (found != Started().end()) return found->second.Get();
    HANDLE opened = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_LIMITED_INFORMATION | PROCESS_TERMINATE,
                                FALSE, pid);
    if (!opened) return nullptr;
    Started()[pid] = UniqueHandle(opened);
    return opened;
}

Reply Wait(const Args& a) {
    const DWORD pid = static_cast<DWORD>(ParseNumber(a[0]));
    HANDLE process = ProcessHandle(pid);
    if (!process) return Reply::Fail("no such process");
    const bool exited =
        WaitForSingleObject(process, static_cast<DWORD>(ParseNumber(a[1]))) == WAIT_OBJECT_0;
    JsonObject out;
    out.Add("exited", exited);
    DWORD code = 0;
    if (exited && GetExitCodeProcess(process, &code)) out.Add("code", static_cast<int64_t>(code));
    return Reply::Ok(out);
}

// kill PID [TIMEOUT_MS]: terminating is asynchronous; "exited" tells whether
// the process had ended within the timeout (0: do not wait).
Reply Kill(const Args& a) {
    HANDLE process = ProcessHandle(static_cast<DWORD>(ParseNumber(a[0])));
    if (!process) return Reply::Fail("no such process");
    TerminateProcess(process, 99);
    const DWORD timeout = a.size() > 1 ? static_cast<DWORD>(ParseNumber(a[1])) : 0;
    const bool exited = WaitForSingleObject(process, timeout) == WAIT_OBJECT_0;
    return Reply::Ok(JsonObject().Add("exited", exited));
}

// sleep MS: for sessions by hand. Tests wait for a state instead, which
// neither fails on a slow machine nor wastes time on a fast one.
Reply Sleep(const Args& a) {
    ::Sleep(static_cast<DWORD>(ParseNumber(a[0])));
    return Reply::Ok();
}

}  // namespace

void AddProcessCommands(CommandTable& table) {
    table.Add("start", {"EXE CWD|- [ARGS...]", 2, Start});
    table.Add("wait", {"PID TIMEOUT_MS", 2, Wait});
    table.Add("kill", {"PID [TIMEOUT_MS]", 1, Kill});
    table.Add("sleep", {"MS", 1, Sleep});
}

}  // namespace e2edriver
