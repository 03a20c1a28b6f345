// Holding a file open the way a running program's image or a virus scanner
// does (others may read it, nobody may write it), so tests see what a writer
// does when it meets such a file.
#include <windows.h>

#include <map>
#include <string>

#include "command_table.h"
#include "common/win_handle.h"
#include "text_codec.h"

namespace e2edriver {

using tovanel::tools::UniqueHandle;
namespace {

std::map<std::string, UniqueHandle>& Held() {
    static std::map<std::string, UniqueHandle> files;
    return files;
}

Reply HoldFile(const Args& a) {
    UniqueHandle file(CreateFileW(WideFromUtf8(a[0]).c_str(), GENERIC_READ, FILE_SHARE_READ,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid())
        return Reply::Fail("cannot open the file, error " + std::to_string(GetLastError()));
    Held()[a[0]] = std::move(file);
    return Reply::Ok();
}

Reply ReleaseFile(const Args& a) {
    if (Held().erase(a[0]) == 0) return Reply::Fail("the file is not held");
    return Reply::Ok();
}

}  // namespace

void AddFileCommands(CommandTable& table) {
    table.Add("hold-file", {"FILE", 1, HoldFile});
    table.Add("release-file", {"FILE", 1, ReleaseFile});
}

}  // namespace e2edriver
