// The password prompt in a Windows console: the console input with its echo off. The password
// goes to the server in the ANSI code page, as the plug-in's console sends it.
#include "PasswordSource.h"

#include <windows.h>

#include <cstring>

namespace Portico {

bool PromptPassword(const char* prompt, std::string& password) {
    HANDLE input = CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    HANDLE output = CreateFileW(L"CONOUT$", GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                0, nullptr);
    DWORD mode = 0;
    const bool console = input != INVALID_HANDLE_VALUE && output != INVALID_HANDLE_VALUE &&
                         GetConsoleMode(input, &mode);
    bool read = false;
    if (console) {
        SetConsoleMode(input, (mode | ENABLE_LINE_INPUT) & ~DWORD(ENABLE_ECHO_INPUT));
        DWORD written = 0;
        WriteConsoleA(output, prompt, DWORD(std::strlen(prompt)), &written, nullptr);
        wchar_t line[512];
        DWORD got = 0;
        read = ReadConsoleW(input, line, 511, &got, nullptr) != FALSE;
        while (got > 0 && (line[got - 1] == L'\n' || line[got - 1] == L'\r'))
            --got;
        char bytes[1024] = {};
        const int n = WideCharToMultiByte(CP_ACP, 0, line, int(got), bytes, sizeof bytes - 1,
                                          nullptr, nullptr);
        password.assign(bytes, n > 0 ? size_t(n) : 0);
        SetConsoleMode(input, mode);
        WriteConsoleA(output, "\r\n", 2, &written, nullptr);
    }
    if (input != INVALID_HANDLE_VALUE)
        CloseHandle(input);
    if (output != INVALID_HANDLE_VALUE)
        CloseHandle(output);
    return read;
}

} // namespace Portico
