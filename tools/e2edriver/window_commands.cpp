// Looking at windows: finding them by class and title (ANSI, as the programs
// under test name them), their geometry, state and child controls.
#include <string>
#include <vector>

#include "command_table.h"
#include "text_codec.h"

namespace e2edriver {
namespace {

// "-" stands for "any" in a class or title argument.
const char* AnsiOrAny(const std::string& utf8, std::string& storage) {
    if (utf8 == "-") return nullptr;
    storage = AnsiFromUtf8(utf8);
    return storage.c_str();
}

HWND FindTopLevel(const std::string& className, const std::string& title) {
    std::string classStorage, titleStorage;
    return FindWindowExA(nullptr, nullptr, AnsiOrAny(className, classStorage),
                         AnsiOrAny(title, titleStorage));
}

Reply Found(HWND hwnd) {
    if (!hwnd) return Reply::Ok(JsonObject().Add("found", false));
    return Reply::Ok(DescribeWindow(hwnd).Add("found", true));
}

Reply Acp(const Args&) {
    return Reply::Ok(JsonObject().Add("acp", static_cast<int64_t>(GetACP())));
}

Reply Find(const Args& a) {
    return Found(FindTopLevel(a[0], a[1]));
}

Reply WaitWindow(const Args& a) {
    const bool wantVisible = a.size() > 3 && a[3] == "visible";
    HWND hwnd = nullptr;
    WaitUntil(ParseNumber(a[2]), [&] {
        hwnd = FindTopLevel(a[0], a[1]);
        return hwnd && (!wantVisible || IsWindowVisible(hwnd));
    });
    return Found(hwnd);  // "visible" tells whether a wanted visibility came
}

Reply Window(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    return Found(IsWindow(hwnd) ? hwnd : nullptr);
}

Reply WaitGone(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    const bool gone = WaitUntil(ParseNumber(a[1]), [&] { return !IsWindow(hwnd); });
    return Reply::Ok(JsonObject().Add("gone", gone));
}

Reply WaitVisible(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    const bool want = a[1] == "1";
    const bool reached = WaitUntil(ParseNumber(a[2]), [&] {
        return IsWindow(hwnd) && (IsWindowVisible(hwnd) != FALSE) == want;
    });
    return Reply::Ok(
        JsonObject().Add("reached", reached).Add("visible", IsWindowVisible(hwnd) != FALSE));
}

bool IsCheckable(HWND hwnd) {
    if (WindowClass(hwnd) != "Button") return false;
    const LONG type = GetWindowLongW(hwnd, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON || type == BS_CHECKBOX ||
           type == BS_AUTOCHECKBOX || type == BS_3STATE || type == BS_AUTO3STATE;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    auto* list = reinterpret_cast<JsonArray*>(param);
    JsonObject info = DescribeWindow(child);
    info.Add("id", static_cast<int64_t>(GetDlgCtrlID(child)))
        .Add("parent", static_cast<int64_t>(reinterpret_cast<uintptr_t>(GetParent(child))));
    if (IsCheckable(child))
        info.Add("checked", SendMessageW(child, BM_GETCHECK, 0, 0) == BST_CHECKED);
    list->AddRaw(info.Str());
    return TRUE;
}

// Every descendant, in Z order per parent, with screen rectangles.
Reply Children(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    JsonArray list;
    EnumChildWindows(hwnd, CollectChild, reinterpret_cast<LPARAM>(&list));
    return Reply::Ok(JsonObject().AddRaw("children", list.Str()));
}

struct TopLevelQuery {
    DWORD pid;
    JsonArray list;
};

BOOL CALLBACK CollectTopLevel(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<TopLevelQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (query->pid == 0 || query->pid == pid) query->list.AddRaw(DescribeWindow(hwnd).Str());
    return TRUE;
}

// Top-level windows, of one process when a pid is given.
Reply TopWindows(const Args& a) {
    TopLevelQuery query{a.empty() ? 0 : static_cast<DWORD>(ParseNumber(a[0])), {}};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&query));
    return Reply::Ok(JsonObject().AddRaw("windows", query.list.Str()));
}

Reply Activate(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    SetForegroundWindow(hwnd);
    const bool active = WaitUntil(kStateTimeoutMs, [&] { return GetForegroundWindow() == hwnd; });
    return Reply::Ok(JsonObject().Add("foreground", active));
}

Reply Foreground(const Args&) {
    HWND hwnd = GetForegroundWindow();
    return Found(hwnd);
}

// resize HWND LEFT TOP WIDTH HEIGHT: moves and sizes a top-level window.
Reply Resize(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    MoveWindow(hwnd, static_cast<int>(ParseNumber(a[1])), static_cast<int>(ParseNumber(a[2])),
               static_cast<int>(ParseNumber(a[3])), static_cast<int>(ParseNumber(a[4])), TRUE);
    return Found(hwnd);
}

// text HWND: the text a control holds, asked by WM_GETTEXT. GetWindowText
// does not send it to another process's window and reads only the caption
// kept by the system, which an edit box does not update.
Reply Text(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kStateTimeoutMs, &length))
        return Reply::Fail("the window does not answer");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(hwnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                             SMTO_NORMAL, kStateTimeoutMs, &copied))
        return Reply::Fail("the window does not answer");
    text.resize(copied);
    return Reply::Ok(JsonObject().Add("text", Utf8FromWide(text)));
}

// focus HWND: the active and the focus window of the thread that owns HWND,
// which another process cannot learn from GetFocus.
Reply Focus(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    const DWORD thread = GetWindowThreadProcessId(hwnd, nullptr);
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    if (!thread || !GetGUIThreadInfo(thread, &info)) return Reply::Fail("no such window");
    return Reply::Ok(
        JsonObject()
            .Add("focus", static_cast<int64_t>(reinterpret_cast<uintptr_t>(info.hwndFocus)))
            .Add("active", static_cast<int64_t>(reinterpret_cast<uintptr_t>(info.hwndActive))));
}

// sync HWND TIMEOUT_MS: answers once the window's thread takes messages again,
// so whatever it was doing when asked (start-up inside WM_CREATE, a handler)
// has run to its end. Input queued for it may still be pending.
Reply Sync(const Args& a) {
    HWND hwnd = ParseHwnd(a[0]);
    if (!IsWindow(hwnd)) return Reply::Fail("no such window");
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL,
                                              static_cast<UINT>(ParseNumber(a[1])), &result) != 0;
    return Reply::Ok(JsonObject().Add("answered", answered));
}

Reply Screen(const Args&) {
    return Reply::Ok(JsonObject()
                         .Add("width", GetSystemMetrics(SM_CXSCREEN))
                         .Add("height", GetSystemMetrics(SM_CYSCREEN)));
}

}  // namespace

void AddWindowCommands(CommandTable& table) {
    table.Add("acp", {"", 0, Acp});
    table.Add("screen", {"", 0, Screen});
    table.Add("find", {"CLASS TITLE   (- for any)", 2, Find});
    table.Add("wait-window", {"CLASS TITLE TIMEOUT_MS [visible]", 3, WaitWindow});
    table.Add("window", {"HWND", 1, Window});
    table.Add("wait-gone", {"HWND TIMEOUT_MS", 2, WaitGone});
    table.Add("wait-visible", {"HWND 0|1 TIMEOUT_MS", 3, WaitVisible});
    table.Add("children", {"HWND", 1, Children});
    table.Add("top-windows", {"[PID]", 0, TopWindows});
    table.Add("resize", {"HWND LEFT TOP WIDTH HEIGHT", 5, Resize});
    table.Add("activate", {"HWND", 1, Activate});
    table.Add("foreground", {"", 0, Foreground});
    table.Add("text", {"HWND", 1, Text});
    table.Add("focus", {"HWND", 1, Focus});
    table.Add("sync", {"HWND TIMEOUT_MS", 2, Sync});
}

}  // namespace e2edriver
