// Command line of the stand-in chat client.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace chatstandin {

struct WindowPlacement {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct Options {
    std::wstring logPath;                      // --log FILE: where events are appended
    std::optional<WindowPlacement> placement;  // --rect L,T,W,H: outer rectangle
};

// Parses "--log FILE --rect L,T,W,H" (both optional). On a bad argument
// returns nothing and puts a one-line reason into `error`.
std::optional<Options> ParseOptions(const std::vector<std::wstring>& args, std::wstring& error);

}  // namespace chatstandin
