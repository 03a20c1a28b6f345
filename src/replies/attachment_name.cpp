#include "replies/attachment_name.h"

#include "replies/gbk_text.h"

namespace tovanel::replies {

namespace {

bool IsPathSeparator(char c) {
    return c == '\\' || c == '/' || c == ':';
}

}  // namespace

std::string FileNameOfPath(const std::string& path) {
    size_t start = 0;
    for (size_t at = 0; at < path.size(); at += CharLengthAt(path, at)) {
        if (IsPathSeparator(path[at])) start = at + 1;
    }
    return path.substr(start);
}

bool IsPlainFileName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    return FileNameOfPath(name) == name;
}

}  // namespace tovanel::replies
