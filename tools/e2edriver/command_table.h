// The driver's commands: a name, its arguments (UTF-8) and one JSON answer.
#pragma once

#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "json_writer.h"

namespace e2edriver {

using Args = std::vector<std::string>;

struct Reply {
    bool ok = true;
    std::string error;
    JsonObject fields;

    static Reply Ok(JsonObject fields = {}) { return {true, {}, std::move(fields)}; }
    static Reply Fail(std::string error) { return {false, std::move(error), {}}; }
    std::string Json() const;
};

struct Command {
    std::string usage;  // argument names, for the help text
    size_t minArgs;
    Reply (*run)(const Args& args);
};

class CommandTable {
  public:
    void Add(const std::string& name, Command command) { commands_[name] = command; }
    // Runs args[0] with the rest; unknown names and missing arguments fail.
    Reply Run(const Args& args) const;
    std::string Help() const;

  private:
    std::map<std::string, Command> commands_;
};

void AddWindowCommands(CommandTable& table);
void AddProcessCommands(CommandTable& table);
void AddDialogCommands(CommandTable& table);
void AddTrayCommands(CommandTable& table);
void AddInputCommands(CommandTable& table);
void AddListViewCommands(CommandTable& table);
void AddControlCommands(CommandTable& table);
void AddAutomationCommands(CommandTable& table);
void AddVersionCommands(CommandTable& table);
void AddFileCommands(CommandTable& table);

// Helpers shared by the command files.
HWND ParseHwnd(const std::string& text);
long ParseNumber(const std::string& text, long fallback = 0);
std::string WindowText(HWND hwnd);
std::string WindowClass(HWND hwnd);
std::string RectJson(const RECT& r);
// hwnd, class, title, pid, rect (outer) and client (both screen coordinates),
// owner, visible, enabled, styles.
JsonObject DescribeWindow(HWND hwnd);
// How long a command waits for a state it brought about itself (a dialog
// closed, a window in front, the clipboard free); generous, as it returns as
// soon as the state comes.
constexpr long kStateTimeoutMs = 30000;
// Calls `done` every 20 ms until it returns true or timeoutMs passes.
template <typename Done>
bool WaitUntil(long timeoutMs, Done done) {
    const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(timeoutMs);
    for (;;) {
        if (done()) return true;
        if (GetTickCount64() >= end) return false;
        Sleep(20);
    }
}

}  // namespace e2edriver
