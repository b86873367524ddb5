#include "LibraryFiles.h"

#include "utils/ExecutableFolder.h"
#include "utils/win/WideText.h"

#include <windows.h>

#include <string>

namespace Portico {

namespace {

// The folder of the DLL this code lives in.
std::wstring LibraryFolder() {
    static const int kHere = 0;
    return Utils::WideFromUtf8(Utils::ModuleFolder(&kHere));
}

bool ReadWhole(const std::wstring& path, size_t maxBytes, std::vector<char>& bytes) {
    bytes.clear();
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER size{};
    bool ok = GetFileSizeEx(file, &size) && size.QuadPart >= 0 &&
              static_cast<unsigned long long>(size.QuadPart) <= maxBytes;
    if (ok) {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        size_t done = 0;
        while (ok && done < bytes.size()) {
            DWORD got = 0;
            ok = ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got,
                          nullptr) &&
                 got > 0;
            done += got;
        }
    }
    CloseHandle(file);
    if (!ok)
        bytes.clear();
    return ok;
}

// The override file that QUILLON_OVERRIDE names, or empty.
std::wstring NamedOverride() {
    std::wstring name = Utils::WideFromUtf8(LibraryFiles::kOverrideVariable);
    DWORD units = GetEnvironmentVariableW(name.c_str(), nullptr, 0);
    if (units <= 1)
        return {};
    std::wstring value(units, L'\0');
    units = GetEnvironmentVariableW(name.c_str(), value.data(), units);
    value.resize(units < value.size() ? units : 0);
    return value;
}

// A file beside the library; never one of the working folder when the library's is unknown.
bool ReadBeside(const char* name, size_t maxBytes, std::vector<char>& bytes) {
    std::wstring folder = LibraryFolder();
    bytes.clear();
    return !folder.empty() && ReadWhole(folder + Utils::WideFromUtf8(name), maxBytes, bytes);
}

} // namespace

bool LibraryFiles::ReadTable(std::vector<char>& bytes) {
    return ReadBeside(kTableFile, kMaxTableBytes, bytes);
}

bool LibraryFiles::ReadOverride(std::vector<char>& bytes, size_t maxBytes) {
    std::wstring named = NamedOverride();
    return named.empty() ? ReadBeside(kOverrideFile, maxBytes, bytes)
                         : ReadWhole(named, maxBytes, bytes);
}

} // namespace Portico
