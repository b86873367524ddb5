// Lumora.exe, the stand-in host: its views, its services by ordinal, and a script driver
// (a file named on the command line, or standard input) in place of a user.
#include "DebugOutput.h"
#include "HostState.h"
#include "HostViews.h"
#include "ScriptDriver.h"

// Winsock 2 before windows.h, which would otherwise bring the old Winsock.
#include <winsock2.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <fstream>
#include <iostream>

int wmain(int argc, wchar_t** argv) {
    // The plug-in uses sockets of the host's Winsock; it never starts Winsock itself.
    Lumora::CaptureDebugOutput();
    WSADATA winsock;
    WSAStartup(MAKEWORD(2, 2), &winsock);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    if (!Lumora::CreateHostWindows(GetModuleHandleW(nullptr))) {
        fprintf(stderr, "cannot create the host windows\n");
        return 2;
    }
    Lumora::Pump(100);
    Lumora::ScriptDriver driver;
    bool ok;
    if (argc > 1) {
        std::ifstream script(argv[1]);
        if (!script) {
            fprintf(stderr, "cannot read the script\n");
            return 2;
        }
        ok = driver.Run(script);
    } else {
        ok = driver.Run(std::cin);
    }
    DestroyWindow(Lumora::HostState::Instance().frame);
    WSACleanup();
    return ok ? 0 : 1;
}
