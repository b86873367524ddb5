#include "utils/win/MessageMap.h"

namespace Utils {
namespace {

HWND SendingChild(HWND parent, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NOTIFY:
        return reinterpret_cast<NMHDR*>(lParam)->hwndFrom;
    case WM_DRAWITEM:
        return wParam ? reinterpret_cast<DRAWITEMSTRUCT*>(lParam)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wParam ? GetDlgItem(parent, int(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->CtlID))
                      : nullptr;
    default:
        // The others name their child in lParam.
        return IsReflectedMessage(kReflectedBase + message) ? reinterpret_cast<HWND>(lParam)
                                                            : nullptr;
    }
}

} // namespace

bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    HWND child = SendingChild(parent, message, wParam, lParam);
    if (!child || !IsWindow(child) || GetParent(child) != parent ||
        !GetPropW(child, kWrappedProperty))
        return false;
    result = SendMessageW(child, kReflectedBase + message, wParam, lParam);
    return true;
}

} // namespace Utils
