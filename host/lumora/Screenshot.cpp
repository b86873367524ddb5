#include "Screenshot.h"

#include "HostLog.h"
#include "ScriptDriver.h"

#include "utils/win/WideText.h"

namespace Lumora {
namespace {

bool StartImport(const RECT& rect, const std::string& file) {
    // The display is the X server the host runs on; import is a program of that machine.
    std::string command = "/usr/bin/import -window root -crop " +
                          std::to_string(rect.right - rect.left) + "x" +
                          std::to_string(rect.bottom - rect.top) + "+" +
                          std::to_string(rect.left < 0 ? 0 : rect.left) + "+" +
                          std::to_string(rect.top < 0 ? 0 : rect.top) + " " + file;
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process)) {
        Print(Format(L"screenshot: cannot start import (%lu)", GetLastError()));
        return false;
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

// The started program is not a Windows process that can be waited for: waits until its file
// exists and has stopped growing, painting the windows meanwhile.
bool WaitForPicture(const std::wstring& watched) {
    LONGLONG lastSize = -1;
    for (int i = 0; i < 300; ++i) {
        Pump(100);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!GetFileAttributesExW(watched.c_str(), GetFileExInfoStandard, &data))
            continue;
        const LONGLONG size = (LONGLONG(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (size > 0 && size == lastSize)
            return true;
        lastSize = size;
    }
    Print(L"screenshot: no picture appeared");
    return false;
}

} // namespace

bool TakeScreenshot(HWND window, const std::string& file) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(500);
    RECT rect;
    GetWindowRect(window, &rect);
    // Wine's drive Z: is the machine's root: that is where the picture appears.
    std::wstring watched = L"Z:" + Utils::WideFromUtf8(file);
    for (auto& ch : watched)
        if (ch == L'/')
            ch = L'\\';
    DeleteFileW(watched.c_str());
    return StartImport(rect, file) && WaitForPicture(watched);
}

} // namespace Lumora
