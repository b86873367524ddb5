// A dialog run from the plug-in's own resources, modeless (Create) or modal (DoModal).
// T provides kDialogId and ProcessWindowMessage.
#pragma once

#include "utils/win/Module.h"

#include <windows.h>

namespace Utils {

template <class T> class DialogImplT {
public:
    DialogImplT() = default;
    virtual ~DialogImplT() = default;
    DialogImplT(const DialogImplT&) = delete;
    DialogImplT& operator=(const DialogImplT&) = delete;

    // Modeless; the template's own style decides whether it starts visible.
    HWND Create(HWND owner) {
        if (hwnd)
            return hwnd;
        return CreateDialogParamW(ModuleInstance(), MAKEINTRESOURCEW(T::kDialogId), owner,
                                  &DialogProc, reinterpret_cast<LPARAM>(this));
    }

    INT_PTR DoModal(HWND owner) {
        return DialogBoxParamW(ModuleInstance(), MAKEINTRESOURCEW(T::kDialogId), owner, &DialogProc,
                               reinterpret_cast<LPARAM>(this));
    }

    bool DestroyWindow() { return hwnd && ::DestroyWindow(hwnd); }
    bool EndDialog(INT_PTR code) { return hwnd && ::EndDialog(hwnd, code); }
    HWND Hwnd() const { return hwnd; }

protected:
    virtual void OnFinalMessage(HWND) {}

private:
    // Messages whose handler result is the dialog procedure's own return value.
    static bool ReturnsDirectly(UINT message) {
        switch (message) {
        case WM_INITDIALOG:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORMSGBOX:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
            return true;
        default:
            return false;
        }
    }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_INITDIALOG) {
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            reinterpret_cast<DialogImplT*>(lParam)->hwnd = window;
        }
        auto* self = reinterpret_cast<DialogImplT*>(GetWindowLongPtrW(window, DWLP_USER));
        if (!self)
            return FALSE;
        if (message == WM_NCDESTROY) {
            self->hwnd = nullptr;
            SetWindowLongPtrW(window, DWLP_USER, 0);
            self->OnFinalMessage(window);
            return FALSE;
        }
        LRESULT result = 0;
        if (!static_cast<T*>(self)->ProcessWindowMessage(window, message, wParam, lParam, result))
            return message == WM_INITDIALOG; // default focus for an unhandled initialisation
        if (ReturnsDirectly(message))
            return INT_PTR(result);
        SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
        return TRUE;
    }

    HWND hwnd = nullptr;
};

} // namespace Utils
