// Conversions between the UTF-8 of the command line and terminal and the GBK
// bytes kept inside the tables.
#pragma once

#include <string>

namespace tovanel::rtbtool {

bool IsValidUtf8(const std::string& text);

// False for invalid UTF-8 or a character that GBK cannot hold.
bool Utf8ToGbk(const std::string& utf8, std::string* gbk);

// Never fails: a byte that does not start a GBK character (for instance half
// of a double-byte character cut off by a fixed width) becomes U+FFFD.
std::string GbkToUtf8(const std::string& gbk);

// True for a byte that starts a GBK double-byte character.
inline bool IsGbkLeadByte(unsigned char c) {
    return c >= 0x81 && c <= 0xFE;
}

// Field names compare like the store compares them: ASCII letters without
// regard to case, double-byte characters byte for byte.
bool GbkNamesEqual(const std::string& a, const std::string& b);

}  // namespace tovanel::rtbtool
