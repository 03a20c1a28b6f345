// The three table commands, on any file system port. Texts arrive as UTF-8
// and are converted to GBK here; results and errors are written to the streams.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "command_line.h"
#include "store/file_port.h"

namespace tovanel::rtbtool {

constexpr int kExitOk = 0;
constexpr int kExitStoreError = 1;
constexpr int kExitUsage = 2;

// Turns a UTF-8 path from the command line into the bytes the port expects.
using PathConverter = std::function<bool(const std::string& utf8, std::string* native)>;

struct ToolContext {
    store::FileSystem& fs;
    PathConverter to_native_path;
    std::ostream& out;
    std::ostream& err;
};

int RunCommand(const Command& command, ToolContext& context);

// The store's naming rule: no extension → ".RTB", a trailing dot → "RTB".
std::string WithTableExtension(const std::string& path, const store::FileSystem& fs);

}  // namespace tovanel::rtbtool
