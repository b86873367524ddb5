// Message-map dispatch for the window classes: a class lists the messages it handles between
// PORTICO_BEGIN_MSG_MAP and PORTICO_END_MSG_MAP; whatever the map does not handle goes on to
// the window's own procedure. A handler may clear `handled` to let the message go on.
#pragma once

#include <windows.h>

#include <commctrl.h>

namespace Utils {

// Reflected notifications arrive at the control as this base plus the original message, so
// that a control class sees its own custom draw (a reflected WM_NOTIFY is 0x204E).
constexpr UINT kReflectedBase = WM_USER + 0x1C00;

// Marks a window that a class of ours has taken over: only such children are reflected to.
constexpr const wchar_t* kWrappedProperty = L"Portico.Wrapped";

// The messages that name the child they come from and are reflected to it.
constexpr UINT kReflectedMessages[] = {WM_COMMAND,        WM_NOTIFY,           WM_DRAWITEM,
                                       WM_MEASUREITEM,    WM_HSCROLL,          WM_VSCROLL,
                                       WM_CTLCOLORBTN,    WM_CTLCOLOREDIT,     WM_CTLCOLORLISTBOX,
                                       WM_CTLCOLORSTATIC, WM_CTLCOLORSCROLLBAR};

constexpr bool IsReflectedMessage(UINT message) {
    for (UINT reflected : kReflectedMessages) {
        if (kReflectedBase + reflected == message)
            return true;
    }
    return false;
}

// Sends a notification back to the child control that sent it; false when the message is
// not one that names a child, or the child is not one our classes wrap (a host window then
// sees its own notifications in its own procedure).
bool ReflectNotification(HWND parent, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace Utils

#define PORTICO_BEGIN_MSG_MAP()                                                                    \
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,             \
                              LRESULT& result) {                                                   \
        bool handled = true;                                                                       \
        (void)window, (void)message, (void)wParam, (void)lParam, (void)result, (void)handled;

// LRESULT Handler(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
#define PORTICO_MESSAGE_HANDLER(msg, handler)                                                      \
    if (message == (msg)) {                                                                        \
        handled = true;                                                                            \
        result = handler(message, wParam, lParam, handled);                                        \
        if (handled)                                                                               \
            return true;                                                                           \
    }

// LRESULT Handler(WORD code, WORD id, HWND control, bool& handled)
#define PORTICO_COMMAND_ID_HANDLER(commandId, handler)                                             \
    if (message == WM_COMMAND && LOWORD(wParam) == (commandId)) {                                  \
        handled = true;                                                                            \
        result = handler(HIWORD(wParam), LOWORD(wParam), reinterpret_cast<HWND>(lParam), handled); \
        if (handled)                                                                               \
            return true;                                                                           \
    }

// LRESULT Handler(int controlId, NMHDR* header, bool& handled)
#define PORTICO_NOTIFY_HANDLER(controlId, notifyCode, handler)                                     \
    if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->idFrom == (controlId) &&         \
        reinterpret_cast<NMHDR*>(lParam)->code == UINT(notifyCode)) {                              \
        handled = true;                                                                            \
        result = handler(int(wParam), reinterpret_cast<NMHDR*>(lParam), handled);                  \
        if (handled)                                                                               \
            return true;                                                                           \
    }

#define PORTICO_REFLECT_NOTIFICATIONS()                                                            \
    if (::Utils::ReflectNotification(window, message, wParam, lParam, result))                     \
        return true;

#define PORTICO_END_MSG_MAP()                                                                      \
    return false;                                                                                  \
    }
