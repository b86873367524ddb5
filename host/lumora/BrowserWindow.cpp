#include "BrowserWindow.h"

#include "common/ResourceIds.h"

#include <string>

namespace Lumora {
namespace {

BOOL CALLBACK CollectDialog(HWND window, LPARAM list) {
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    if (std::wstring(cls) == L"#32770")
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

} // namespace

std::vector<HWND> ThreadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(GetCurrentThreadId(), CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

HWND FindBrowser() {
    for (HWND dialog : ThreadDialogs())
        if (GetDlgItem(dialog, IDC_SERVER_LIST))
            return dialog;
    return nullptr;
}

HWND BrowserControl(int id) {
    HWND browser = FindBrowser();
    return browser ? GetDlgItem(browser, id) : nullptr;
}

} // namespace Lumora
