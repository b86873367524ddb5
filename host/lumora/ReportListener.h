// Receives UDP datagrams on loopback ports, as the plug-in's report endpoint would, and writes
// each one to the host log as "report: HEX" while the host handles window messages.
#pragma once

// Winsock 2 before windows.h, which would otherwise bring the old Winsock.
#include <winsock2.h>

#include <windows.h>

#include <cstdint>
#include <vector>

namespace Lumora {

class ReportListener {
public:
    ReportListener() = default;
    ReportListener(const ReportListener&) = delete;
    ReportListener& operator=(const ReportListener&) = delete;
    ~ReportListener();

    // Opens a socket on 127.0.0.1:port; false when the port cannot be had.
    bool Listen(uint16_t port);

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static void Drain(SOCKET socket);
    bool MakeWindow();

    HWND window = nullptr; // receives the sockets' read events
    std::vector<SOCKET> sockets;
};

} // namespace Lumora
