// Entry of Tessel.dll. The module exports nothing: it registers its handlers with the host.
#include "plugin/win/Plugin.h"

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    if (reason == DLL_PROCESS_ATTACH)
        Portico::Plugin::Instance().OnLoad();
    else if (reason == DLL_PROCESS_DETACH)
        Portico::Plugin::Instance().OnUnload(reserved != nullptr);
    return TRUE;
}
