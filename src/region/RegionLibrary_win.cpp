#include "region/RegionLibrary.h"

#include <windows.h>

#include <vector>

namespace Portico {

namespace {

constexpr wchar_t kLibraryFile[] = L"Quillon.dll";

// The host executable's folder, up to and including its last backslash, + "dlls\".
std::wstring DefaultFolder() {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            std::wstring exe(path.data(), length);
            return exe.substr(0, exe.rfind(L'\\') + 1) + L"dlls\\";
        }
        path.resize(path.size() * 2);
    }
}

std::wstring Widen(const std::string& text) {
    int units =
        MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), units);
    return wide;
}

} // namespace

RegionLookupFn RegionLibrary::OpenEntry(const std::string& folder) {
    std::wstring path = folder.empty() ? DefaultFolder() : Widen(folder);
    if (path.empty())
        return nullptr;
    if (path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += kLibraryFile;
    HMODULE module = LoadLibraryW(path.c_str());
    if (!module)
        return nullptr;
    FARPROC entry = GetProcAddress(module, MAKEINTRESOURCEA(kRegionLookupOrdinal));
    return reinterpret_cast<RegionLookupFn>(reinterpret_cast<void*>(entry));
}

} // namespace Portico
