// The driver speaks UTF-8 to the tests; windows are named in the ANSI code
// page (GBK under zh_CN), exactly as the programs under test name them.
#pragma once

#include <string>

namespace e2edriver {

std::wstring WideFromUtf8(const std::string& utf8);
std::string Utf8FromWide(const std::wstring& wide);
std::string AnsiFromUtf8(const std::string& utf8);
std::string Utf8FromAnsi(const std::string& ansi);

}  // namespace e2edriver
