// Hands: keys, mouse clicks and the clipboard, the way a person's input
// arrives (keybd_event and mouse_event go through the system's input queue).
// A command returns once its input is queued, not once a program has handled
// it: a test waits for the effect it expects. The short pauses inside a click
// or a drag only pace the gesture as a hand would.
#include <windows.h>
#include <shlobj.h>

#include <cctype>
#include <cstring>
#include <map>
#include <vector>

#include "command_table.h"
#include "text_codec.h"

namespace e2edriver {
namespace {

// "esc", "ctrl", "f5", "a", "7", ... to a virtual key; 0 if unknown.
WORD VirtualKey(const std::string& name) {
    static const std::map<std::string, WORD> named = {
        {"esc", VK_ESCAPE},    {"enter", VK_RETURN},   {"tab", VK_TAB},      {"space", VK_SPACE},
        {"ctrl", VK_CONTROL},  {"shift", VK_SHIFT},    {"alt", VK_MENU},     {"win", VK_LWIN},
        {"up", VK_UP},         {"down", VK_DOWN},      {"left", VK_LEFT},    {"right", VK_RIGHT},
        {"delete", VK_DELETE}, {"backspace", VK_BACK}, {"insert", VK_INSERT}};
    const auto found = named.find(name);
    if (found != named.end()) return found->second;
    if (name.size() >= 2 && name[0] == 'f' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        const long n = std::strtol(name.c_str() + 1, nullptr, 10);
        if (n >= 1 && n <= 24) return static_cast<WORD>(VK_F1 + n - 1);
    }
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0])))
        return static_cast<WORD>(std::toupper(static_cast<unsigned char>(name[0])));
    return 0;
}

void SendKey(WORD vk, bool up) {
    keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)),
                up ? KEYEVENTF_KEYUP : 0, 0);
}

// key COMBO: "esc", "ctrl+v", ...: pressed in order, released in reverse.
Reply Key(const Args& a) {
    std::vector<WORD> keys;
    size_t start = 0;
    const std::string& combo = a[0];
    for (;;) {
        const size_t plus = combo.find('+', start);
        const std::string name =
            combo.substr(start, plus == std::string::npos ? plus : plus - start);
        const WORD vk = VirtualKey(name);
        if (!vk) return Reply::Fail("unknown key " + name);
        keys.push_back(vk);
        if (plus == std::string::npos) break;
        start = plus + 1;
    }
    for (WORD vk : keys) SendKey(vk, false);
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) SendKey(*it, true);
    return Reply::Ok();
}

// click X Y [left|right|move]: screen coordinates.
Reply Click(const Args& a) {
    const int x = static_cast<int>(ParseNumber(a[0]));
    const int y = static_cast<int>(ParseNumber(a[1]));
    const std::string button = a.size() > 2 ? a[2] : "left";
    SetCursorPos(x, y);
    Sleep(30);
    if (button == "left" || button == "right") {
        const bool left = button == "left";
        mouse_event(left ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_RIGHTDOWN, 0, 0, 0, 0);
        Sleep(30);
        mouse_event(left ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_RIGHTUP, 0, 0, 0, 0);
    } else if (button != "move") {
        return Reply::Fail("button must be left, right or move");
    }
    POINT at{};
    GetCursorPos(&at);
    return Reply::Ok(
        JsonObject().Add("x", static_cast<int64_t>(at.x)).Add("y", static_cast<int64_t>(at.y)));
}

void MoveMouseTo(int x, int y) {
    // Absolute moves are given in 0..65535 across the primary screen.
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + 32768) / GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = static_cast<LONG>((y * 65536LL + 32768) / GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &input, sizeof input);
}

// drag X1 Y1 X2 Y2: left button held from the first point to the second,
// moving in small steps as a hand would.
Reply Drag(const Args& a) {
    const int x1 = static_cast<int>(ParseNumber(a[0])), y1 = static_cast<int>(ParseNumber(a[1]));
    const int x2 = static_cast<int>(ParseNumber(a[2])), y2 = static_cast<int>(ParseNumber(a[3]));
    MoveMouseTo(x1, y1);
    Sleep(50);
    mouse_event(MOUSEEVENTF_LEFTDOWN, 0, 0, 0, 0);
    Sleep(50);
    constexpr int kSteps = 10;
    for (int i = 1; i <= kSteps; ++i) {
        MoveMouseTo(x1 + (x2 - x1) * i / kSteps, y1 + (y2 - y1) * i / kSteps);
        Sleep(20);
    }
    mouse_event(MOUSEEVENTF_LEFTUP, 0, 0, 0, 0);
    return Reply::Ok();
}

// The clipboard is opened for a while only, and always closed again.
class OpenedClipboard {
  public:
    // Another program (the one that pastes) may hold it for a moment.
    OpenedClipboard() {
        WaitUntil(kStateTimeoutMs, [this] { return open_ = OpenClipboard(nullptr) != FALSE; });
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (open_) CloseClipboard();
    }
    bool IsOpen() const { return open_; }

  private:
    bool open_ = false;
};

// Hands a filled global block to the clipboard, which then owns it.
bool PutOnClipboard(UINT format, const void* data, size_t size) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) return false;
    void* target = GlobalLock(block);
    std::memcpy(target, data, size);
    GlobalUnlock(block);
    OpenedClipboard clipboard;
    if (!clipboard.IsOpen() || !EmptyClipboard() || !SetClipboardData(format, block)) {
        GlobalFree(block);
        return false;
    }
    return true;
}

// clip-text TEXT: CF_TEXT in the ANSI code page, as Velquin sets it.
Reply ClipText(const Args& a) {
    const std::string ansi = AnsiFromUtf8(a[0]);
    if (!PutOnClipboard(CF_TEXT, ansi.c_str(), ansi.size() + 1)) return Reply::Fail("clipboard");
    return Reply::Ok();
}

// clip-files PATH...: a CF_HDROP list of Windows paths.
Reply ClipFiles(const Args& a) {
    std::wstring list;
    for (const std::string& path : a) list += WideFromUtf8(path) + L'\0';
    list += L'\0';
    std::vector<char> block(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
    auto* header = reinterpret_cast<DROPFILES*>(block.data());
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(block.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    if (!PutOnClipboard(CF_HDROP, block.data(), block.size())) return Reply::Fail("clipboard");
    return Reply::Ok();
}

}  // namespace

void AddInputCommands(CommandTable& table) {
    table.Add("key", {"COMBO   (esc, enter, ctrl+v, f1, ...)", 1, Key});
    table.Add("click", {"X Y [left|right|move]", 2, Click});
    table.Add("drag", {"X1 Y1 X2 Y2", 4, Drag});
    table.Add("clip-text", {"TEXT", 1, ClipText});
    table.Add("clip-files", {"PATH...", 1, ClipFiles});
}

}  // namespace e2edriver
