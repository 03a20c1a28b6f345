// The folder that holds the running executable.
#pragma once

#include <string>

namespace tovanel::app {

// Without a trailing backslash ("C:" for a program in a drive's root).
std::wstring ProgramFolderWide();
// The same in the ANSI code page, as the Run value stores it.
std::string ProgramFolderAnsi();

}  // namespace tovanel::app
