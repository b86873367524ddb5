#include "storage/SqliteLibrary.h"

#include <windows.h>

#include <vector>

namespace Utils {

const char* const SqliteLibrary::kDefaultName = "sqlite3.dll";

void* SqliteLibrary::LoadByName(const std::string& name) {
    int length = MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, nullptr, 0);
    if (length <= 0)
        return nullptr;
    std::vector<wchar_t> wide(static_cast<size_t>(length));
    if (MultiByteToWideChar(CP_UTF8, 0, name.c_str(), -1, wide.data(), length) != length)
        return nullptr;
    return LoadLibraryW(wide.data());
}

SqliteLibrary::Symbol SqliteLibrary::FindSymbol(void* library, const char* name) {
    return reinterpret_cast<Symbol>(GetProcAddress(static_cast<HMODULE>(library), name));
}

} // namespace Utils
