// Tells which standard icon (error, warning, information, question) a window
// region shows, by comparing screen pixels with the driver's own rendering of
// the system icons. Icon handles cannot be compared across processes.
#pragma once

#include <windows.h>

#include <string>

namespace e2edriver {

// "error", "warning", "information", "question" or "unknown".
std::string MatchStandardIcon(const RECT& screenRect);

}  // namespace e2edriver
