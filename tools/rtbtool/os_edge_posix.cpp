#include "os_edge.h"

#include "text_codec.h"

namespace tovanel::rtbtool::os {

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

bool NativePathFromUtf8(const std::string& utf8, std::string* native) {
    if (!IsValidUtf8(utf8)) return false;
    *native = utf8;
    return true;
}

void PrepareStandardStreams() {}

}  // namespace tovanel::rtbtool::os
