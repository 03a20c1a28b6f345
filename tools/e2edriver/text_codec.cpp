#include "text_codec.h"

#include <windows.h>

namespace e2edriver {
namespace {

std::wstring ToWide(UINT codePage, const std::string& bytes) {
    if (bytes.empty()) return {};
    const int size = static_cast<int>(bytes.size());
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), size, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(codePage, 0, bytes.data(), size, wide.data(), n);
    return wide;
}

std::string FromWide(UINT codePage, const std::wstring& wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), size, bytes.data(), n, nullptr, nullptr);
    return bytes;
}

}  // namespace

std::wstring WideFromUtf8(const std::string& utf8) {
    return ToWide(CP_UTF8, utf8);
}
std::string Utf8FromWide(const std::wstring& wide) {
    return FromWide(CP_UTF8, wide);
}
std::string AnsiFromUtf8(const std::string& utf8) {
    return FromWide(CP_ACP, WideFromUtf8(utf8));
}
std::string Utf8FromAnsi(const std::string& ansi) {
    return Utf8FromWide(ToWide(CP_ACP, ansi));
}

}  // namespace e2edriver
