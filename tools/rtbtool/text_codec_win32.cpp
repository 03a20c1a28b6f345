// Windows converters through UTF-16 with code page 936 (GBK).
#include <windows.h>

#include "text_codec_os.h"

namespace tovanel::rtbtool::os {
namespace {

constexpr UINT kGbk = 936;

bool ToWide(UINT code_page, const std::string& in, std::wstring* out) {
    out->clear();
    if (in.empty()) return true;
    const int n = MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(),
                                      static_cast<int>(in.size()), nullptr, 0);
    if (n <= 0) return false;
    out->resize(static_cast<size_t>(n));
    return MultiByteToWideChar(code_page, MB_ERR_INVALID_CHARS, in.data(),
                               static_cast<int>(in.size()), &(*out)[0], n) == n;
}

bool FromWide(UINT code_page, const std::wstring& in, std::string* out) {
    out->clear();
    if (in.empty()) return true;
    // UTF-8 takes neither flags nor a default character.
    const bool utf8 = code_page == CP_UTF8;
    const DWORD flags = utf8 ? WC_ERR_INVALID_CHARS : WC_NO_BEST_FIT_CHARS;
    BOOL used_default = FALSE;
    BOOL* used = utf8 ? nullptr : &used_default;
    const int n = WideCharToMultiByte(code_page, flags, in.data(), static_cast<int>(in.size()),
                                      nullptr, 0, nullptr, used);
    if (n <= 0 || used_default) return false;
    out->resize(static_cast<size_t>(n));
    const int done = WideCharToMultiByte(code_page, flags, in.data(), static_cast<int>(in.size()),
                                         &(*out)[0], n, nullptr, used);
    return done == n && !used_default;
}

}  // namespace

bool StrictUtf8ToGbk(const std::string& utf8, std::string* gbk) {
    std::wstring wide;
    return ToWide(CP_UTF8, utf8, &wide) && FromWide(kGbk, wide, gbk);
}

bool StrictGbkToUtf8(const std::string& gbk, std::string* utf8) {
    std::wstring wide;
    return ToWide(kGbk, gbk, &wide) && FromWide(CP_UTF8, wide, utf8);
}

}  // namespace tovanel::rtbtool::os
