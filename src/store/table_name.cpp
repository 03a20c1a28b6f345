#include "store/table.h"

namespace tovanel::store {

namespace {

// Positions of the last separator and of the last dot, stepping over
// double-byte characters so a trail byte is never taken for either.
struct NameMarks {
    size_t last_separator = std::string::npos;
    size_t last_dot = std::string::npos;
};

NameMarks ScanName(const FileSystem& fs, const std::string& name) {
    NameMarks marks;
    for (size_t i = 0; i < name.size(); ++i) {
        const auto c = static_cast<unsigned char>(name[i]);
        if (fs.IsLeadByte(c) && i + 1 < name.size()) {
            ++i;
        } else if (fs.IsSeparator(name[i])) {
            marks.last_separator = i;
        } else if (c == '.') {
            marks.last_dot = i;
        }
    }
    return marks;
}

bool DotInFileName(const NameMarks& marks) {
    return marks.last_dot != std::string::npos &&
           (marks.last_separator == std::string::npos || marks.last_dot > marks.last_separator);
}

unsigned char FoldAscii(unsigned char c) {
    return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c;
}

}  // namespace

std::string WithDefaultExtension(const FileSystem& fs, const std::string& name) {
    const NameMarks marks = ScanName(fs, name);
    if (!DotInFileName(marks)) return name + ".RTB";
    if (marks.last_dot + 1 == name.size()) return name + "RTB";
    return name;
}

std::string WithExtension(const FileSystem& fs, const std::string& path, const std::string& ext) {
    const NameMarks marks = ScanName(fs, path);
    if (!DotInFileName(marks)) return path + "." + ext;
    return path.substr(0, marks.last_dot + 1) + ext;
}

std::string ShortName(const FileSystem& fs, const std::string& path) {
    const NameMarks marks = ScanName(fs, path);
    const size_t from = marks.last_separator == std::string::npos ? 0 : marks.last_separator + 1;
    const size_t to = DotInFileName(marks) ? marks.last_dot : path.size();
    return path.substr(from, to - from);
}

bool SamePath(const FileSystem& fs, const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        const auto ca = static_cast<unsigned char>(a[i]);
        const auto cb = static_cast<unsigned char>(b[i]);
        if (fs.IsLeadByte(ca) && i + 1 < a.size()) {
            // Double-byte characters compare exactly, trail byte included.
            if (ca != cb || a[i + 1] != b[i + 1]) return false;
            ++i;
        } else if (FoldAscii(ca) != FoldAscii(cb)) {
            return false;
        }
    }
    return true;
}

}  // namespace tovanel::store
