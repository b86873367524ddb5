#include "win/SendHook.h"

// Types only: the calls go to the addresses found in the Winsock the game loaded.
#include <winsock2.h>

#include <windows.h>

#include <tlhelp32.h>

#include <atomic>

namespace Portico {
namespace {

using SendToFn = int(WSAAPI*)(SOCKET, const char*, int, int, const sockaddr*, int);
using WsaSendToFn = int(WSAAPI*)(SOCKET, LPWSABUF, DWORD, LPDWORD, DWORD, const sockaddr*, int,
                                 LPWSAOVERLAPPED, LPWSAOVERLAPPED_COMPLETION_ROUTINE);

std::atomic<SendToFn> realSendTo{nullptr};
std::atomic<WsaSendToFn> realWsaSendTo{nullptr};
std::atomic<SendNote> sendNote{nullptr};

// Read only after the call succeeded: the address was then readable.
void Note(const sockaddr* to, int length) {
    const SendNote note = sendNote.load();
    if (!note || !to || length < int(sizeof(sockaddr_in)) || to->sa_family != AF_INET)
        return;
    const auto* in = reinterpret_cast<const sockaddr_in*>(to);
    const auto* port = reinterpret_cast<const uint8_t*>(&in->sin_port);
    const auto* ip = reinterpret_cast<const uint8_t*>(&in->sin_addr);
    note(uint32_t(ip[0]) << 24 | uint32_t(ip[1]) << 16 | uint32_t(ip[2]) << 8 | ip[3],
         uint16_t(port[0] << 8 | port[1]));
}

int WSAAPI SendToHook(SOCKET s, const char* buffer, int length, int flags, const sockaddr* to,
                      int toLength) {
    const int sent = realSendTo.load()(s, buffer, length, flags, to, toLength);
    if (sent != SOCKET_ERROR)
        Note(to, toLength);
    return sent;
}

int WSAAPI WsaSendToHook(SOCKET s, LPWSABUF buffers, DWORD count, LPDWORD sent, DWORD flags,
                         const sockaddr* to, int toLength, LPWSAOVERLAPPED overlapped,
                         LPWSAOVERLAPPED_COMPLETION_ROUTINE completion) {
    const int result =
        realWsaSendTo.load()(s, buffers, count, sent, flags, to, toLength, overlapped, completion);
    // Winsock's last error is the thread's; an overlapped send on its way counts as sent.
    if (result == 0 || GetLastError() == WSA_IO_PENDING)
        Note(to, toLength);
    return result;
}

void Redirect(ULONG_PTR& entry, const void* hook) {
    DWORD protection = 0;
    if (!VirtualProtect(&entry, sizeof(entry), PAGE_READWRITE, &protection))
        return;
    entry = reinterpret_cast<ULONG_PTR>(hook);
    VirtualProtect(&entry, sizeof(entry), protection, &protection);
}

void PatchModule(HMODULE module) {
    auto* base = reinterpret_cast<uint8_t*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    if (dos->e_magic != IMAGE_DOS_SIGNATURE)
        return;
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    if (nt->Signature != IMAGE_NT_SIGNATURE ||
        nt->OptionalHeader.NumberOfRvaAndSizes <= IMAGE_DIRECTORY_ENTRY_IMPORT)
        return;
    const IMAGE_DATA_DIRECTORY& imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (imports.VirtualAddress == 0 || imports.Size == 0)
        return;
    const ULONG_PTR sendTo = reinterpret_cast<ULONG_PTR>(realSendTo.load());
    const ULONG_PTR wsaSendTo = reinterpret_cast<ULONG_PTR>(realWsaSendTo.load());
    // Entries are matched by the address they hold, whether imported by name or by number.
    for (auto* library =
             reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name != 0; ++library) {
        if (library->FirstThunk == 0)
            continue;
        for (auto* entry = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
             entry->u1.Function != 0; ++entry) {
            if (entry->u1.Function == sendTo)
                Redirect(entry->u1.Function, reinterpret_cast<const void*>(&SendToHook));
            else if (entry->u1.Function == wsaSendTo)
                Redirect(entry->u1.Function, reinterpret_cast<const void*>(&WsaSendToHook));
        }
    }
}

void* Address(FARPROC address) {
    return reinterpret_cast<void*>(address);
}

bool FindWinsock() {
    if (realSendTo.load() && realWsaSendTo.load())
        return true;
    const HMODULE winsock = GetModuleHandleW(L"ws2_32.dll");
    if (!winsock)
        return false;
    const auto sendTo = reinterpret_cast<SendToFn>(Address(GetProcAddress(winsock, "sendto")));
    const auto wsaSendTo =
        reinterpret_cast<WsaSendToFn>(Address(GetProcAddress(winsock, "WSASendTo")));
    if (!sendTo || !wsaSendTo)
        return false;
    realSendTo = sendTo;
    realWsaSendTo = wsaSendTo;
    return true;
}

} // namespace

void SetSendNote(SendNote note) {
    sendNote = note;
}

void PatchSendImports() {
    if (!FindWinsock())
        return;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    for (BOOL more = Module32FirstW(snapshot, &module); more;
         more = Module32NextW(snapshot, &module)) {
        // Held while its table is written: a module unloaded meanwhile is not touched.
        HMODULE held = nullptr;
        if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                reinterpret_cast<LPCWSTR>(module.modBaseAddr), &held))
            continue;
        PatchModule(held);
        FreeLibrary(held);
    }
    CloseHandle(snapshot);
}

} // namespace Portico
