// The web-browser control of the host's "CRoomsWebViewPanel": a window that hands out its
// browser object on the registered message "WM_ATLGETCONTROL". The browser does not render
// pages; it records each navigation in the host log and shows the address.
#pragma once

#include <windows.h>

namespace Lumora {

constexpr wchar_t kWebControlClass[] = L"LumoraWebControl";

LRESULT CALLBACK WebControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);
// References to the browser object that callers took and have not released.
unsigned long WebControlReferencesHeld();

} // namespace Lumora
