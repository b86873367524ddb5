// Where a window's child controls lie and where they go, in the parent's client coordinates.
#pragma once

#include "browser/BrowserLayout.h"

#include <windows.h>

namespace Portico {

inline Rect ChildRect(HWND parent, HWND child) {
    RECT r{};
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
    return Rect{r.left, r.top, r.right, r.bottom};
}

inline void PlaceWindow(HWND window, const Rect& to) {
    MoveWindow(window, to.left, to.top, to.Width(), to.Height(), TRUE);
}

} // namespace Portico
