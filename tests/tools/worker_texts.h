// Self-checking texts for the multi-process tests: each names its writer and
// its own length, so a text stitched from another chain's blocks shows.
#pragma once

#include <cstdlib>
#include <string>

namespace tovanel::testing {

// "<id>|<length>|" followed by GBK filler, `length` bytes in all (at least
// the prefix and one filler byte).
inline std::string SelfCheckingText(const std::string& id, size_t length) {
    std::string prefix;
    for (;;) {
        prefix = id + "|" + std::to_string(length) + "|";
        if (length > prefix.size()) break;
        length = prefix.size() + 1;
    }
    std::string text = prefix;
    static const char kFiller[] = "\xBB\xD8\xB8\xB4";  // two GBK characters
    while (text.size() + 1 < length) text.append(kFiller + (text.size() - prefix.size()) % 4, 2);
    if (text.size() < length) text += '.';
    return text;
}

// The id of a well-formed text; false when the text is damaged.
inline bool ParseSelfCheckingText(const std::string& text, std::string* id) {
    const size_t bar1 = text.find('|');
    if (bar1 == std::string::npos || bar1 == 0) return false;
    const size_t bar2 = text.find('|', bar1 + 1);
    if (bar2 == std::string::npos) return false;
    const std::string digits = text.substr(bar1 + 1, bar2 - bar1 - 1);
    if (digits.empty() || digits.size() > 6) return false;
    const size_t length = std::strtoul(digits.c_str(), nullptr, 10);
    *id = text.substr(0, bar1);
    return SelfCheckingText(*id, length) == text;
}

}  // namespace tovanel::testing
