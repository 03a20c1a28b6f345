#include "options.h"

#include <cwchar>

namespace chatstandin {
namespace {

bool ParsePlacement(const std::wstring& text, WindowPlacement& out) {
    int values[4];
    const wchar_t* p = text.c_str();
    for (int i = 0; i < 4; ++i) {
        wchar_t* end = nullptr;
        long v = std::wcstol(p, &end, 10);
        if (end == p) return false;
        values[i] = static_cast<int>(v);
        if (i < 3) {
            if (*end != L',') return false;
            p = end + 1;
        } else if (*end != L'\0') {
            return false;
        }
    }
    if (values[2] <= 0 || values[3] <= 0) return false;
    out = {values[0], values[1], values[2], values[3]};
    return true;
}

}  // namespace

std::optional<Options> ParseOptions(const std::vector<std::wstring>& args, std::wstring& error) {
    Options options;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::wstring& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == L"--log" && hasValue) {
            options.logPath = args[++i];
        } else if (arg == L"--rect" && hasValue) {
            WindowPlacement placement;
            if (!ParsePlacement(args[++i], placement)) {
                error = L"--rect wants L,T,W,H with a positive width and height";
                return std::nullopt;
            }
            options.placement = placement;
        } else {
            error = L"usage: chatstandin [--log FILE] [--rect L,T,W,H]";
            return std::nullopt;
        }
    }
    return options;
}

}  // namespace chatstandin
