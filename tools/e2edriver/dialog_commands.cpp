// Reading and answering message boxes (dialogs of class "#32770").
#include <vector>

#include "command_table.h"
#include "icon_matcher.h"

namespace e2edriver {
namespace {

constexpr char kDialogClass[] = "#32770";

struct DialogQuery {
    DWORD pid;  // 0: any process
    std::vector<HWND> found;
};

BOOL CALLBACK CollectDialog(HWND hwnd, LPARAM param) {
    auto* query = reinterpret_cast<DialogQuery*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (IsWindowVisible(hwnd) && WindowClass(hwnd) == kDialogClass &&
        (query->pid == 0 || query->pid == pid))
        query->found.push_back(hwnd);
    return TRUE;
}

std::vector<HWND> VisibleDialogs(DWORD pid) {
    DialogQuery query{pid, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

std::string WithoutAccelerators(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '&') out += c;
    return out;
}

struct DialogParts {
    JsonArray texts, buttons;
    bool hasIcon = false;
    RECT iconRect{};
};

BOOL CALLBACK CollectPart(HWND child, LPARAM param) {
    auto* parts = reinterpret_cast<DialogParts*>(param);
    const std::string cls = WindowClass(child);
    if (!IsWindowVisible(child)) return TRUE;
    if (cls == "Static") {
        if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
            parts->hasIcon = true;
            GetWindowRect(child, &parts->iconRect);
        } else if (!WindowText(child).empty()) {
            parts->texts.Add(WindowText(child));
        }
    } else if (cls == "Button") {
        parts->buttons.Add(WithoutAccelerators(WindowText(child)));
    }
    return TRUE;
}

// dialog TIMEOUT_MS [PID]: waits for a visible dialog and reads its caption,
// texts, buttons and icon ("unknown" until painted); "count" says how many
// such dialogs are up.
Reply Dialog(const Args& a) {
    const DWORD pid = a.size() > 1 ? static_cast<DWORD>(ParseNumber(a[1])) : 0;
    std::vector<HWND> dialogs;
    WaitUntil(ParseNumber(a[0]), [&] {
        dialogs = VisibleDialogs(pid);
        return !dialogs.empty();
    });
    if (dialogs.empty()) return Reply::Ok(JsonObject().Add("found", false).Add("count", 0));
    // Read as it is now: its texts may still be unset and its icon unpainted,
    // so a test polls until they are there.
    HWND dialog = dialogs.front();
    DialogParts parts;
    EnumChildWindows(dialog, CollectPart, reinterpret_cast<LPARAM>(&parts));
    JsonObject out = DescribeWindow(dialog);
    out.Add("found", true)
        .Add("count", static_cast<int64_t>(dialogs.size()))
        .Add("caption", WindowText(dialog))
        .AddRaw("texts", parts.texts.Str())
        .AddRaw("buttons", parts.buttons.Str())
        .Add("icon", parts.hasIcon ? MatchStandardIcon(parts.iconRect) : std::string("none"));
    return Reply::Ok(out);
}

struct ButtonSearch {
    std::string text;
    HWND found = nullptr;
};

BOOL CALLBACK FindButton(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<ButtonSearch*>(param);
    if (WindowClass(child) == "Button" && WithoutAccelerators(WindowText(child)) == search->text) {
        search->found = child;
        return FALSE;
    }
    return TRUE;
}

// dialog-press HWND [BUTTON_TEXT]: presses the named button, OK by default.
Reply DialogPress(const Args& a) {
    HWND dialog = ParseHwnd(a[0]);
    if (!IsWindow(dialog)) return Reply::Fail("no such dialog");
    WPARAM id = IDOK;
    HWND button = GetDlgItem(dialog, IDOK);
    if (a.size() > 1) {
        ButtonSearch search{a[1]};
        EnumChildWindows(dialog, FindButton, reinterpret_cast<LPARAM>(&search));
        if (!search.found) return Reply::Fail("no button " + a[1]);
        button = search.found;
        id = static_cast<WPARAM>(GetDlgCtrlID(button));
    }
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(button));
    const bool closed = WaitUntil(kStateTimeoutMs, [&] { return !IsWindowVisible(dialog); });
    return Reply::Ok(JsonObject().Add("closed", closed));
}

Reply DialogCount(const Args& a) {
    const DWORD pid = a.empty() ? 0 : static_cast<DWORD>(ParseNumber(a[0]));
    return Reply::Ok(JsonObject().Add("count", static_cast<int64_t>(VisibleDialogs(pid).size())));
}

}  // namespace

void AddDialogCommands(CommandTable& table) {
    table.Add("dialog", {"TIMEOUT_MS [PID]", 1, Dialog});
    table.Add("dialog-press", {"HWND [BUTTON_TEXT]", 1, DialogPress});
    table.Add("dialog-count", {"[PID]", 0, DialogCount});
}

}  // namespace e2edriver
