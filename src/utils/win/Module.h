// The module this code is linked into (the plug-in DLL, or a test program).
#pragma once

#include <windows.h>

#include <string>

namespace Utils {

HINSTANCE ModuleInstance();
// Folder of the process's main executable, with its trailing backslash.
std::wstring ExecutableFolder();

} // namespace Utils
