#include "command_table.h"

#include <cstdlib>

#include "text_codec.h"

namespace e2edriver {

std::string Reply::Json() const {
    JsonObject out;
    out.Add("ok", ok);
    if (!ok) out.Add("error", error);
    std::string json = out.Str();
    const std::string extra = fields.Str();
    if (extra.size() > 2) json = json.substr(0, json.size() - 1) + "," + extra.substr(1);
    return json;
}

Reply CommandTable::Run(const Args& args) const {
    if (args.empty()) return Reply::Fail("empty command");
    const auto found = commands_.find(args[0]);
    if (found == commands_.end()) return Reply::Fail("unknown command: " + args[0]);
    const Args rest(args.begin() + 1, args.end());
    if (rest.size() < found->second.minArgs)
        return Reply::Fail("usage: " + args[0] + " " + found->second.usage);
    return found->second.run(rest);
}

std::string CommandTable::Help() const {
    std::string help;
    for (const auto& [name, command] : commands_) help += "  " + name + " " + command.usage + "\n";
    return help;
}

HWND ParseHwnd(const std::string& text) {
    return reinterpret_cast<HWND>(static_cast<uintptr_t>(std::strtoull(text.c_str(), nullptr, 0)));
}

long ParseNumber(const std::string& text, long fallback) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 0);
    return end == text.c_str() ? fallback : value;
}

std::string WindowText(HWND hwnd) {
    wchar_t buffer[1024] = {};
    GetWindowTextW(hwnd, buffer, 1024);
    return Utf8FromWide(buffer);
}

std::string WindowClass(HWND hwnd) {
    wchar_t buffer[256] = {};
    GetClassNameW(hwnd, buffer, 256);
    return Utf8FromWide(buffer);
}

std::string RectJson(const RECT& r) {
    return JsonArray().Add(r.left).Add(r.top).Add(r.right).Add(r.bottom).Str();
}

JsonObject DescribeWindow(HWND hwnd) {
    RECT rect{};
    GetWindowRect(hwnd, &rect);
    RECT client{};
    GetClientRect(hwnd, &client);
    MapWindowPoints(hwnd, nullptr, reinterpret_cast<POINT*>(&client), 2);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    JsonObject info;
    info.Add("hwnd", static_cast<int64_t>(reinterpret_cast<uintptr_t>(hwnd)))
        .Add("class", WindowClass(hwnd))
        .Add("title", WindowText(hwnd))
        .Add("pid", static_cast<int64_t>(pid))
        .AddRaw("rect", RectJson(rect))
        .AddRaw("client", RectJson(client))
        .Add("owner", static_cast<int64_t>(reinterpret_cast<uintptr_t>(GetWindow(hwnd, GW_OWNER))))
        .Add("visible", IsWindowVisible(hwnd) != FALSE)
        .Add("enabled", IsWindowEnabled(hwnd) != FALSE)
        .Add("style", static_cast<int64_t>(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_STYLE))))
        .Add("exstyle",
             static_cast<int64_t>(static_cast<DWORD>(GetWindowLongW(hwnd, GWL_EXSTYLE))));
    return info;
}

}  // namespace e2edriver
