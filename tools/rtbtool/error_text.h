// Plain sentences for the store's error codes.
#pragma once

#include <string>

namespace tovanel::rtbtool {

// "error -78: the password is missing or wrong" and the like.
std::string DescribeStoreError(int code);

}  // namespace tovanel::rtbtool
