#include "settings/win32_document_shell.h"

#include <windows.h>
#include <objbase.h>
#include <shellapi.h>

namespace tovanel::settings {

void Win32DocumentShell::OpenDocument(const std::string& name) {
    // The shell may hand the verb to COM extensions. Initialised on first use
    // only, so start-up does not pay for it; never uninitialised before exit.
    if (!com_initialised_) {
        CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
        com_initialised_ = true;
    }
    // No directory: a relative name resolves against the working directory.
    ShellExecuteA(nullptr, "open", name.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tovanel::settings
