// The low-priority thread that waits for a started game to end and then ends its watch: the
// browser window hears that the game is on no server. The thread holds a reference to the
// plug-in's module until it has ended, so the module cannot go while it runs.
#pragma once

#include "plugin/GameWatch.h"

#include <windows.h>

namespace Portico {

// Takes the process handle when it returns true; false: no thread, the handle is the caller's.
bool StartGameWatcher(HANDLE process, HWND browser, const GameWatch& watch);

} // namespace Portico
