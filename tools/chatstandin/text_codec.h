// Conversions between the ANSI code page (GBK here), UTF-16 and UTF-8.
#pragma once

#include <string>

namespace chatstandin {

std::wstring WideFromAnsi(const std::string& ansi);
std::string Utf8FromWide(const std::wstring& wide);

}  // namespace chatstandin
