// Finds the plug-in's dialog windows among the host thread's top-level windows.
#pragma once

#include <windows.h>

#include <vector>

namespace Lumora {

// The thread's dialog windows (class "#32770"), topmost first.
std::vector<HWND> ThreadDialogs();
// The plug-in's browser window: the dialog that holds the server list; null when none does
// (a modal dialog of the plug-in may be above it).
HWND FindBrowser();
// A control of the browser window; null when the window or the control is missing.
HWND BrowserControl(int id);

} // namespace Lumora
