#include "query/ProtocolLibrary.h"

#include <windows.h>

#include <vector>

namespace Portico {

namespace {

constexpr wchar_t kRelativeName[] = L"dlls\\PorticoMan.dll";
constexpr DWORD kLongestPath = 32768;

std::wstring Widen(const std::string& text) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring wide(size_t(length > 0 ? length : 0), L'\0');
    if (length > 0)
        MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &wide[0], length);
    return wide;
}

std::string Narrow(const std::wstring& text) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                           nullptr, nullptr);
    std::string narrow(size_t(length > 0 ? length : 0), '\0');
    if (length > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &narrow[0], length, nullptr,
                            nullptr);
    return narrow;
}

} // namespace

// The host executable's path up to and including its last backslash.
std::string ProtocolLibrary::DefaultPath() {
    std::vector<wchar_t> path(kLongestPath);
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath)
        return Narrow(kRelativeName);
    std::wstring folder(path.data(), length);
    folder.erase(folder.rfind(L'\\') + 1);
    return Narrow(folder + kRelativeName);
}

ProtocolManager* ProtocolLibrary::Load(const std::string& path) {
    HMODULE module = LoadLibraryW(Widen(path).c_str());
    if (!module)
        return nullptr;
    const FARPROC address = GetProcAddress(module, MAKEINTRESOURCEA(1));
    const auto entry = reinterpret_cast<ProtocolManagerEntry>(reinterpret_cast<void*>(address));
    return entry ? entry() : nullptr;
}

} // namespace Portico
