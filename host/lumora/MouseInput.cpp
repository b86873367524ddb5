#include "MouseInput.h"

#include "ScriptDriver.h"

namespace Lumora {

bool ClickAt(HWND window, const RECT& rect, MouseClick click, WPARAM keys) {
    if (IsRectEmpty(&rect))
        return false;
    POINT at{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    POINT screen = at;
    ClientToScreen(window, &screen);
    // Handlers that ask where the message happened (GetMessagePos) or where the cursor is
    // (context menus) find this point.
    SetCursorPos(screen.x, screen.y);
    const LPARAM position = MAKELPARAM(at.x, at.y);
    const bool right = click == MouseClick::Right;
    const WPARAM held = keys | (right ? MK_RBUTTON : MK_LBUTTON);
    // Posted, not sent: controls that track the mouse after a button goes down (trees, tabs,
    // headers) wait in their own loop for the button to come up, and find it in the queue.
    PostMessageW(window, right ? WM_RBUTTONDOWN : WM_LBUTTONDOWN, held, position);
    PostMessageW(window, right ? WM_RBUTTONUP : WM_LBUTTONUP, keys, position);
    if (click == MouseClick::Double) {
        PostMessageW(window, WM_LBUTTONDBLCLK, held, position);
        PostMessageW(window, WM_LBUTTONUP, keys, position);
    }
    Pump(20);
    return true;
}

} // namespace Lumora
