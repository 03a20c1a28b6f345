// Comparing file names and paths the way the file system does.
#pragma once

#include <string>

#include "store/file_port.h"

namespace tovanel::store {

// Equal ignoring the case of ASCII letters; double-byte characters of the
// code page compare exactly, trail byte included.
bool SamePath(const FileSystem& fs, const std::string& a, const std::string& b);

}  // namespace tovanel::store
