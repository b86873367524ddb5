#include "browser/win/CHorSplitter.h"

#include "browser/win/ChildWindows.h"

#include <windowsx.h>

namespace Portico {

void CHorSplitter::SetPanes(HWND frameWindow, HWND upperPane, HWND lowerPane) {
    frame = frameWindow;
    upper = upperPane;
    lower = lowerPane;
}

void CHorSplitter::Layout() {
    if (bar.Enabled() && upper)
        bar.Layout(PaneRect(upper));
}

Rect CHorSplitter::PaneRect(HWND pane) const {
    return ChildRect(frame, pane);
}

void CHorSplitter::Move(HWND pane, const Rect& to) {
    PlaceWindow(pane, to);
    UpdateWindow(pane);
}

bool CHorSplitter::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!bar.Enabled() || !upper)
        return false;
    const int32_t x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
    switch (message) {
    case WM_SETCURSOR: {
        if (HWND(wParam) != frame || LOWORD(lParam) != HTCLIENT)
            return false;
        POINT at{};
        GetCursorPos(&at);
        ScreenToClient(frame, &at);
        if (!bar.Hit(at.x, at.y))
            return false;
        SetCursor(cursor);
        return true;
    }
    case WM_LBUTTONDOWN:
        if (bar.Press(x, y))
            SetCapture(frame);
        return false;
    case WM_MOUSEMOVE:
        if (bar.Dragging() && (wParam & MK_LBUTTON) && GetCapture() == frame) {
            const SplitterBar::Panes panes = bar.Drag(y, {PaneRect(upper), PaneRect(lower)});
            Move(upper, panes.upper);
            Move(lower, panes.lower);
        } else if (bar.Hit(x, y)) {
            SetCursor(cursor);
        }
        return false;
    case WM_LBUTTONUP:
        if (bar.Dragging()) {
            ReleaseCapture();
            bar.Release(PaneRect(upper));
        }
        return false;
    default:
        return false;
    }
}

} // namespace Portico
