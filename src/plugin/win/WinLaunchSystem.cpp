#include "plugin/win/WinLaunchSystem.h"

#include "common/LaunchRecords.h"
#include "common/win/HostBinding.h"
#include "plugin/win/GameWatcher.h"
#include "utils/win/WideText.h"

#include <cwchar>
#include <string>

namespace Portico {
namespace {

const wchar_t* Wide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}

wchar_t* Wide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}

HANDLE Handle(uintptr_t value) {
    return reinterpret_cast<HANDLE>(value);
}

} // namespace

WinLaunchSystem::WinLaunchSystem(HostBinding& host) : host(host) {}

void WinLaunchSystem::GetGameLaunchInfo(uint32_t gameId, char16_t* executable,
                                        char16_t* parameters) {
    host.GetGameLaunchInfo(gameId, Wide(executable), Wide(parameters));
}

void WinLaunchSystem::RequestGameSetup(uint32_t gameId) {
    host.RequestGameSetup(gameId);
}

bool WinLaunchSystem::FindEventManager() {
    events = static_cast<Host::EventManager*>(host.QueryService(Host::kEventManagerKey));
    return events != nullptr;
}

void WinLaunchSystem::RaiseEvent(const char16_t* name, void* record) {
    if (events)
        events->RaiseEvent(Wide(name), record);
}

bool WinLaunchSystem::FileExists(const std::u16string& path) {
    const DWORD attributes = GetFileAttributesW(Utils::AsWide(path));
    return !path.empty() && attributes != INVALID_FILE_ATTRIBUTES &&
           !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool WinLaunchSystem::ReadRegistryText(uint32_t rootKey, const char16_t* subKey,
                                       const char16_t* valueName, std::u16string& text) {
    // The predefined roots are 32-bit values whose handle form is sign-extended.
    HKEY root = reinterpret_cast<HKEY>(static_cast<intptr_t>(static_cast<int32_t>(rootKey)));
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, Wide(subKey), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    wchar_t value[kLaunchPathChars] = {};
    DWORD type = 0;
    DWORD bytes = sizeof(value);
    const LSTATUS status = RegQueryValueExW(key, Wide(valueName), nullptr, &type,
                                            reinterpret_cast<BYTE*>(value), &bytes);
    RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return false;
    // The stored text need not end with its terminator.
    size_t length = bytes / sizeof(wchar_t);
    while (length > 0 && value[length - 1] == 0)
        --length;
    if (length >= kLaunchPathChars)
        return false;
    text.assign(reinterpret_cast<const char16_t*>(value), wcsnlen(value, length));
    return true;
}

bool WinLaunchSystem::StartSuspended(const std::u16string& commandLine,
                                     const std::u16string& folder, Process& process) {
    std::wstring line(Utils::AsWide(commandLine));
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION created{};
    if (!CreateProcessW(nullptr, &line[0], nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr,
                        folder.empty() ? nullptr : Utils::AsWide(folder), &startup, &created)) {
        Note(u"CreateProcessW failed with error " +
             Utils::Utf::ToUtf16(std::to_string(GetLastError())));
        return false;
    }
    process.handle = reinterpret_cast<uintptr_t>(created.hProcess);
    process.thread = reinterpret_cast<uintptr_t>(created.hThread);
    process.id = created.dwProcessId;
    return true;
}

bool WinLaunchSystem::InjectHook(const Process& process) {
    return injector.Inject(Handle(process.handle));
}

void WinLaunchSystem::Resume(Process& process) {
    ResumeThread(Handle(process.thread));
    CloseHandle(Handle(process.thread));
    process.thread = 0;
}

bool WinLaunchSystem::Watch(Process& process, const GameWatch& watch) {
    HANDLE handle = Handle(process.handle);
    process.handle = 0;
    if (StartGameWatcher(handle, browser, watch))
        return true;
    CloseHandle(handle);
    return false;
}

void WinLaunchSystem::Note(const std::u16string& what) {
    OutputDebugStringW((L"Tessel: launch: " + std::wstring(Utils::AsWide(what))).c_str());
}

} // namespace Portico
