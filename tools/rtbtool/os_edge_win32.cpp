#include "os_edge.h"

#include <windows.h>
#include <shellapi.h>

#include <fcntl.h>
#include <io.h>
#include <stdio.h>

namespace tovanel::rtbtool::os {
namespace {

// Owns the array CommandLineToArgvW returns.
class WideArgv {
  public:
    WideArgv() : argv_(CommandLineToArgvW(GetCommandLineW(), &count_)) {}
    ~WideArgv() {
        if (argv_ != nullptr) LocalFree(argv_);
    }
    WideArgv(const WideArgv&) = delete;
    WideArgv& operator=(const WideArgv&) = delete;

    int count() const { return argv_ != nullptr ? count_ : 0; }
    const wchar_t* at(int i) const { return argv_[i]; }

  private:
    int count_ = 0;
    LPWSTR* argv_;
};

std::string WideToMultiByte(UINT code_page, const std::wstring& wide, bool* lossless) {
    *lossless = true;
    if (wide.empty()) return std::string();
    const bool utf8 = code_page == CP_UTF8;
    BOOL used_default = FALSE;
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    const int n = WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, utf8 ? nullptr : &used_default);
    std::string out(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0) {
        WideCharToMultiByte(code_page, flags, wide.data(), static_cast<int>(wide.size()), &out[0],
                            n, nullptr, utf8 ? nullptr : &used_default);
    }
    *lossless = n > 0 && !used_default;
    return out;
}

}  // namespace

std::vector<std::string> Utf8Arguments(int, char**) {
    WideArgv argv;
    std::vector<std::string> args;
    for (int i = 1; i < argv.count(); ++i) {
        bool lossless;
        args.push_back(WideToMultiByte(CP_UTF8, argv.at(i), &lossless));
    }
    return args;
}

bool NativePathFromUtf8(const std::string& utf8, std::string* native) {
    if (utf8.empty()) {
        native->clear();
        return true;
    }
    const int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                      static_cast<int>(utf8.size()), nullptr, 0);
    if (n <= 0) return false;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()),
                        &wide[0], n);
    bool lossless;
    *native = WideToMultiByte(CP_ACP, wide, &lossless);
    return lossless;
}

void PrepareStandardStreams() {
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
}

}  // namespace tovanel::rtbtool::os
