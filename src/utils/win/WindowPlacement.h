// Placing a window over its owner (or its parent), as the plug-in's dialogs open.
#pragma once

#include <windows.h>

namespace Utils {

// Centres window on its owner, else its parent, else the screen's work area.
inline void CentreOnOwner(HWND window) {
    HWND over = GetWindow(window, GW_OWNER);
    if (!over)
        over = GetParent(window);
    RECT area{};
    if (!over || !GetWindowRect(over, &area))
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    RECT own{};
    GetWindowRect(window, &own);
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    SetWindowPos(window, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace Utils
