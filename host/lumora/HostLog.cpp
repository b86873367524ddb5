#include "HostLog.h"

#include <windows.h>

#include <cstdarg>
#include <cwchar>

namespace Lumora {

HostLog& HostLog::Instance() {
    static HostLog log;
    return log;
}

bool HostLog::Contains(const std::wstring& text) const {
    for (const auto& line : lines)
        if (line.find(text) != std::wstring::npos)
            return true;
    return false;
}

std::wstring Format(const wchar_t* format, ...) {
    wchar_t buffer[2048];
    va_list args;
    va_start(args, format);
    const int n = _vsnwprintf(buffer, 2047, format, args);
    va_end(args);
    buffer[2047] = 0;
    return std::wstring(buffer, n < 0 ? wcslen(buffer) : size_t(n));
}

std::string ToUtf8(const std::wstring& text) {
    if (text.empty())
        return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string out(size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n, nullptr, nullptr);
    return out;
}

std::wstring FromUtf8(const std::string& text) {
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.data(), int(text.size()), &out[0], n);
    return out;
}

} // namespace Lumora
