// An object that takes over an existing window (a host view or a control): its message map
// sees every message first, the rest goes on to the window's previous procedure.
// T provides ProcessWindowMessage (usually through the message-map macros).
#pragma once

#include "utils/win/MessageMap.h"

#include <windows.h>

#include <commctrl.h>

#include <atomic>

namespace Utils {

template <class T> class WindowImplT {
public:
    WindowImplT() = default;
    virtual ~WindowImplT() { UnsubclassWindow(); }
    WindowImplT(const WindowImplT&) = delete;
    WindowImplT& operator=(const WindowImplT&) = delete;

    // False for a null window, or when this object already holds a window: one object never
    // chains its procedure to itself.
    bool SubclassWindow(HWND target) {
        if (!target || hwnd || !IsWindow(target))
            return false;
        if (!SetWindowSubclass(target, &SubclassProc, kSubclassId,
                               reinterpret_cast<DWORD_PTR>(this)))
            return false;
        SetPropW(target, kWrappedProperty, reinterpret_cast<HANDLE>(this));
        hwnd = target;
        return true;
    }

    void UnsubclassWindow() {
        if (HWND held = hwnd.exchange(nullptr)) {
            RemoveWindowSubclass(held, &SubclassProc, kSubclassId);
            RemovePropW(held, kWrappedProperty);
        }
    }

    HWND Hwnd() const { return hwnd; }
    bool IsSubclassed() const { return hwnd != nullptr; }

    // The window's previous procedure.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }

protected:
    // Called once the window is gone and this object holds it no more.
    virtual void OnFinalMessage(HWND) {}

private:
    // The procedure differs per instantiation, so one id is enough to tell the classes apart.
    static constexpr UINT_PTR kSubclassId = 0x504F5254;

    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR, DWORD_PTR data) {
        auto* self = reinterpret_cast<WindowImplT*>(data);
        LRESULT result = 0;
        if (message != WM_NCDESTROY &&
            static_cast<T*>(self)->ProcessWindowMessage(window, message, wParam, lParam, result))
            return result;
        if (message != WM_NCDESTROY)
            return DefSubclassProc(window, message, wParam, lParam);
        result = DefSubclassProc(window, message, wParam, lParam);
        self->UnsubclassWindow();
        self->OnFinalMessage(window);
        return result;
    }

    // Read by other threads that send to the window.
    std::atomic<HWND> hwnd{nullptr};
};

} // namespace Utils
