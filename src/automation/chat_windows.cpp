#include "automation/chat_windows.h"

namespace tovanel::automation {

namespace {

// Finds `needle` at a character boundary of a GBK text: a lead byte (0x81 to
// 0xFE) always takes the byte after it, which may look like any ASCII letter.
bool ContainsGbk(std::string_view text, std::string_view needle) {
    for (size_t at = 0; at + needle.size() <= text.size();) {
        if (text.compare(at, needle.size(), needle) == 0) return true;
        const auto byte = static_cast<unsigned char>(text[at]);
        at += (byte >= 0x81 && byte <= 0xFE && at + 1 < text.size()) ? 2 : 1;
    }
    return false;
}

}  // namespace

bool IsChatIdentity(std::string_view class_name, std::string_view title_gbk) {
    return class_name == kChatWindowClass && ContainsGbk(title_gbk, kChatWindowTitle);
}

}  // namespace tovanel::automation
