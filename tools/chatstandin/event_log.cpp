#include "event_log.h"

#include <windows.h>

#include "text_codec.h"
#include "common/win_handle.h"

namespace chatstandin {

using tovanel::tools::UniqueHandle;

std::string EscapeForLog(const std::string& utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char c : utf8) {
        switch (c) {
            case '\\':
                out += "\\\\";
                break;
            case '\t':
                out += "\\t";
                break;
            case '\r':
                out += "\\r";
                break;
            case '\n':
                out += "\\n";
                break;
            default:
                out += c;
        }
    }
    return out;
}

void EventLog::Append(const std::string& kind, const std::wstring& payload) const {
    if (path_.empty()) return;
    const std::string line = kind + "\t" + EscapeForLog(Utf8FromWide(payload)) + "\n";
    UniqueHandle file(CreateFileW(path_.c_str(), FILE_APPEND_DATA,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) return;
    DWORD written = 0;
    WriteFile(file.Get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
}

}  // namespace chatstandin
