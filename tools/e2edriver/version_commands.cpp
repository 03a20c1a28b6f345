// What a program file says about itself, read as Windows reads it: the
// version resource (Explorer's Details tab) and the manifest (the loader).
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "command_table.h"
#include "text_codec.h"

namespace e2edriver {
namespace {

const wchar_t* const kVersionStrings[] = {L"CompanyName",  L"FileDescription", L"FileVersion",
                                          L"InternalName", L"LegalCopyright",  L"OriginalFilename",
                                          L"ProductName",  L"ProductVersion"};

struct ModuleFree {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleFree>;

std::string FourNumbers(DWORD high, DWORD low) {
    char text[64];
    std::snprintf(text, sizeof text, "%u.%u.%u.%u", HIWORD(high), LOWORD(high), HIWORD(low),
                  LOWORD(low));
    return text;
}

// The strings of the block named by the first translation, as Explorer shows.
JsonObject VersionStrings(const std::vector<BYTE>& block) {
    JsonObject strings;
    struct Translation {
        WORD language, codepage;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(block.data(), L"\\VarFileInfo\\Translation",
                        reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return strings;
    for (const wchar_t* name : kVersionStrings) {
        wchar_t path[128];
        std::swprintf(path, 128, L"\\StringFileInfo\\%04x%04x\\%ls", translation->language,
                      translation->codepage, name);
        wchar_t* value = nullptr;
        if (VerQueryValueW(block.data(), path, reinterpret_cast<void**>(&value), &size) && value)
            strings.Add(Utf8FromWide(name), Utf8FromWide(value));
    }
    return strings;
}

// The manifest a program carries for its own process (resource id 1).
std::string ManifestText(const std::wstring& path) {
    UniqueModule module(LoadLibraryExW(path.c_str(), nullptr,
                                       LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE));
    if (!module) return {};
    HRSRC found = FindResourceW(module.get(), MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
    HGLOBAL loaded = found ? LoadResource(module.get(), found) : nullptr;
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return {};
    return std::string(static_cast<const char*>(data), SizeofResource(module.get(), found));
}

// version-info FILE: the fixed file and product versions, the version
// strings, and the manifest ("" when there is none).
Reply VersionInfo(const Args& a) {
    const std::wstring path = WideFromUtf8(a[0]);
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    if (size == 0)
        return Reply::Fail("no version resource, error " + std::to_string(GetLastError()));
    std::vector<BYTE> block(size);
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoW(path.c_str(), 0, size, block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &fixedSize) ||
        fixedSize < sizeof *fixed)
        return Reply::Fail("unreadable version resource");
    return Reply::Ok(
        JsonObject()
            .Add("file_version", FourNumbers(fixed->dwFileVersionMS, fixed->dwFileVersionLS))
            .Add("product_version",
                 FourNumbers(fixed->dwProductVersionMS, fixed->dwProductVersionLS))
            .AddRaw("strings", VersionStrings(block).Str())
            .Add("manifest", ManifestText(path)));
}

}  // namespace

void AddVersionCommands(CommandTable& table) {
    table.Add("version-info", {"FILE", 1, VersionInfo});
}

}  // namespace e2edriver
