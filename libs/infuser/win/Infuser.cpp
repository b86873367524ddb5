// Infuser.dll: loads a library inside another process, normally one created suspended, by a
// thread of that process that runs LoadLibraryW on the library's path. The library's entry
// has run when the export returns.
#include "abi/Infuser.h"

#include <windows.h>

#include <tlhelp32.h>

#include <cwchar>

namespace {

// Longest path the export takes, in characters (the system's own limit for long paths).
constexpr size_t kMaxPathChars = 32767;
// How long the library's loading may take; a thread that has not ended by then keeps the
// memory it reads.
constexpr DWORD kLoadWaitMs = 15000;

// On 64-bit Windows a thread's exit code holds only the low half of the loaded module's
// address, which may be 0: the process's module list tells for sure.
bool HasModule(HANDLE process, const wchar_t* path) {
    HANDLE snapshot =
        CreateToolhelp32Snapshot(TH32CS_SNAPMODULE | TH32CS_SNAPMODULE32, GetProcessId(process));
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32W module{};
    module.dwSize = sizeof(module);
    bool found = false;
    for (BOOL more = Module32FirstW(snapshot, &module); more && !found;
         more = Module32NextW(snapshot, &module))
        found = _wcsicmp(module.szExePath, path) == 0;
    CloseHandle(snapshot);
    return found;
}

// Runs LoadLibraryW(path) in the process on a thread of its own; the thread's exit code, or
// false when it could not run or did not end in time.
bool LoadInProcess(HANDLE process, const wchar_t* path, size_t bytes, DWORD& exitCode) {
    void* remote =
        VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (!remote)
        return false;
    // kernel32 lies at the same address in every process of one architecture.
    auto* load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
    HANDLE thread = nullptr;
    if (load && WriteProcessMemory(process, remote, path, bytes, nullptr))
        thread = CreateRemoteThread(process, nullptr, 0, load, remote, 0, nullptr);
    if (!thread) {
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
        return false;
    }
    const bool ended = WaitForSingleObject(thread, kLoadWaitMs) == WAIT_OBJECT_0;
    if (ended) {
        GetExitCodeThread(thread, &exitCode);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(thread);
    return ended;
}

} // namespace

extern "C" __declspec(dllexport) int32_t PORTICO_INFUSER_CALL
    InfuseCode(void* process, const char16_t* library) {
    if (!process || !library)
        return 0;
    const auto* path = reinterpret_cast<const wchar_t*>(library);
    const size_t length = wcsnlen(path, kMaxPathChars);
    if (length == 0 || length == kMaxPathChars)
        return 0;
    DWORD exitCode = 0;
    if (!LoadInProcess(process, path, (length + 1) * sizeof(wchar_t), exitCode))
        return 0;
    return exitCode != 0 || HasModule(process, path) ? 1 : 0;
}
