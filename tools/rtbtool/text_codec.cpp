#include "text_codec.h"

#include <cstdint>

#include "text_codec_os.h"

namespace tovanel::rtbtool {
namespace {

bool IsAscii(const std::string& text) {
    for (unsigned char c : text) {
        if (c >= 0x80) return false;
    }
    return true;
}

bool IsContinuation(unsigned char c) {
    return (c & 0xC0) == 0x80;
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

const char kReplacement[] = "\xEF\xBF\xBD";

}  // namespace

bool IsValidUtf8(const std::string& text) {
    const size_t n = text.size();
    size_t i = 0;
    while (i < n) {
        const unsigned char c = text[i];
        size_t len;
        uint32_t cp;
        if (c < 0x80) {
            ++i;
            continue;
        } else if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n) return false;
        for (size_t k = 1; k < len; ++k) {
            const unsigned char t = text[i + k];
            if (!IsContinuation(t)) return false;
            cp = (cp << 6) | (t & 0x3F);
        }
        const bool overlong = (len == 3 && cp < 0x800) || (len == 4 && cp < 0x10000);
        const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
        if (overlong || surrogate || cp > 0x10FFFF) return false;
        i += len;
    }
    return true;
}

bool Utf8ToGbk(const std::string& utf8, std::string* gbk) {
    if (IsAscii(utf8)) {
        *gbk = utf8;
        return true;
    }
    if (!IsValidUtf8(utf8)) return false;
    return os::StrictUtf8ToGbk(utf8, gbk);
}

std::string GbkToUtf8(const std::string& gbk) {
    std::string utf8;
    if (IsAscii(gbk)) return gbk;
    if (os::StrictGbkToUtf8(gbk, &utf8)) return utf8;
    // Some bytes are not GBK: convert character by character.
    utf8.clear();
    size_t i = 0;
    while (i < gbk.size()) {
        const unsigned char c = gbk[i];
        const size_t len = (IsGbkLeadByte(c) && i + 1 < gbk.size()) ? 2 : 1;
        std::string piece;
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else if (len == 2 && os::StrictGbkToUtf8(gbk.substr(i, 2), &piece)) {
            utf8 += piece;
        } else {
            utf8 += kReplacement;
            i += 1;  // resynchronise on the next byte
            continue;
        }
        i += len;
    }
    return utf8;
}

bool GbkNamesEqual(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (IsGbkLeadByte(static_cast<unsigned char>(a[i])) && i + 1 < a.size()) {
            if (a[i] != b[i] || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (AsciiLower(a[i]) != AsciiLower(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace tovanel::rtbtool
