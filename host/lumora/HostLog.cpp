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

} // namespace Lumora
