#include "utils/ExecutableFolder.h"

#include "utils/Utf.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <vector>

namespace Utils {

namespace {

// The folder of the module's file; null: the process's executable.
std::string FolderOf(HMODULE module) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(module, path.data(), DWORD(path.size()));
        if (length == 0)
            return {};
        if (length < path.size()) {
            const std::wstring_view file(path.data(), length);
            return Utf::ToUtf8(AsUtf16(file.substr(0, file.find_last_of(L"\\/") + 1)));
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

std::string ExecutableFolder() {
    return FolderOf(nullptr);
}

std::string ModuleFolder(const void* address) {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                                GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            static_cast<LPCWSTR>(address), &module))
        return {};
    return FolderOf(module);
}

} // namespace Utils
