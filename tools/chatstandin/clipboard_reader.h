// Reads what a Ctrl+V would paste: a file list (CF_HDROP) wins over text
// (CF_TEXT), as in the chat client, which sends files as attachments.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace chatstandin {

struct ClipboardContent {
    enum class Kind { Empty, Text, Files };
    Kind kind = Kind::Empty;
    std::wstring text;                // CF_TEXT, decoded from the ANSI code page
    std::vector<std::wstring> files;  // full paths of a CF_HDROP list
};

ClipboardContent ReadClipboard(HWND owner);

}  // namespace chatstandin
