// The operating system's own code page converters; strict, whole strings.
#pragma once

#include <string>

namespace tovanel::rtbtool::os {

// False when any byte sequence is invalid or cannot be represented.
bool StrictUtf8ToGbk(const std::string& utf8, std::string* gbk);
bool StrictGbkToUtf8(const std::string& gbk, std::string* utf8);

}  // namespace tovanel::rtbtool::os
