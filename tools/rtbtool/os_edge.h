// What differs between Windows and the rest for a command-line tool.
#pragma once

#include <string>
#include <vector>

namespace tovanel::rtbtool::os {

// The arguments after the program name, as UTF-8.
std::vector<std::string> Utf8Arguments(int argc, char** argv);

// A UTF-8 path in the form the file system port takes: unchanged on POSIX,
// the ANSI code page on Windows. False when the path cannot be expressed.
bool NativePathFromUtf8(const std::string& utf8, std::string* native);

// Output goes out byte for byte (no newline translation).
void PrepareStandardStreams();

}  // namespace tovanel::rtbtool::os
