#include "ReportListener.h"

#include "HostLog.h"

namespace Lumora {
namespace {

constexpr UINT kSocketReady = WM_APP + 1;
constexpr int kDatagramBound = 2048; // longer datagrams are logged cut to this
const wchar_t kWindowClass[] = L"LumoraReportListener";

std::wstring Hex(const char* bytes, int count) {
    std::wstring hex;
    for (int i = 0; i < count; ++i)
        hex += Format(L"%02x", unsigned(uint8_t(bytes[i])));
    return hex;
}

} // namespace

ReportListener::~ReportListener() {
    for (SOCKET socket : sockets)
        closesocket(socket);
    if (window)
        DestroyWindow(window);
}

bool ReportListener::Listen(uint16_t port) {
    if (!MakeWindow())
        return false;
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (socket == INVALID_SOCKET)
        return false;
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(socket, reinterpret_cast<const sockaddr*>(&address), sizeof(address)) != 0 ||
        WSAAsyncSelect(socket, window, kSocketReady, FD_READ) != 0) {
        closesocket(socket);
        return false;
    }
    sockets.push_back(socket);
    return true;
}

bool ReportListener::MakeWindow() {
    if (window)
        return true;
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = kWindowClass;
    RegisterClassExW(&wc);
    window = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             wc.hInstance, nullptr);
    return window != nullptr;
}

LRESULT CALLBACK ReportListener::WindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam) {
    if (message != kSocketReady)
        return DefWindowProcW(window, message, wParam, lParam);
    if (WSAGETSELECTEVENT(lParam) == FD_READ)
        Drain(SOCKET(wParam));
    return 0;
}

// One datagram per event: while more wait, the socket reports itself ready again.
void ReportListener::Drain(SOCKET socket) {
    char bytes[kDatagramBound];
    int count = recv(socket, bytes, kDatagramBound, 0);
    if (count == SOCKET_ERROR && WSAGetLastError() == WSAEMSGSIZE)
        count = kDatagramBound;
    if (count >= 0)
        HostLog::Instance().Add(L"report: " + Hex(bytes, count));
}

} // namespace Lumora
