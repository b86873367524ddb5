// Runs the game-side hook Gantry.dll inside a game created suspended, through the injection
// library Infuser.dll; both lie in the host's folder. The library and its entry are looked for on
// the first use and kept for the process; without them no game gets the hook.
#pragma once

#include "abi/Infuser.h"

#include <windows.h>

#include <string>

namespace Portico {

class HookInjector {
public:
    // False when the injection library or its entry is missing, or the hook did not run.
    bool Inject(HANDLE process);

private:
    std::u16string folder; // the host's, where both libraries lie
    bool looked = false;
    InfuseCodeFn infuseCode = nullptr;
};

} // namespace Portico
