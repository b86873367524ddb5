#include "utils/win/MessageMap.h"

namespace Utils {
namespace {

HWND SendingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        return reinterpret_cast<HWND>(lParam);
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return wParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam ? GetDlgItem(parent, int(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))
                      : nullptr;
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORSCROLLBAR:
        return reinterpret_cast<HWND>(lParam);
    default:
        return nullptr;
    }
}

} // namespace

bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam,
                         LRESULT& result) {
    HWND child = SendingChild(parent, message, wParam, lParam);
    if (!child || !IsWindow(child) || GetParent(child) != parent)
        return false;
    result = SendMessageW(child, kReflectedBase + message, wParam, lParam);
    return true;
}

} // namespace Utils
