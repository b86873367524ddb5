// The module this code is linked into (the plug-in DLL, or a test program).
#pragma once

#include <windows.h>

namespace Utils {

HINSTANCE ModuleInstance();

} // namespace Utils
