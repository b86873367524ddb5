// The game launch's calls on Windows: the host's launch services and event manager, files,
// the registry, CreateProcessW, the hook injector and the watcher thread. Notes go to the
// debugger's output.
#pragma once

#include "plugin/LaunchSystem.h"
#include "plugin/win/HookInjector.h"

#include <windows.h>

namespace Portico {

class HostBinding;

namespace Host {
class EventManager;
}

class WinLaunchSystem : public LaunchSystem {
public:
    explicit WinLaunchSystem(HostBinding& host);

    // The window that hears of every game's end; set once the browser window exists.
    void SetBrowserWindow(HWND window) { browser = window; }

    void GetGameLaunchInfo(uint32_t gameId, char16_t* executable, char16_t* parameters) override;
    void RequestGameSetup(uint32_t gameId) override;
    bool FindEventManager() override;
    void RaiseEvent(const char16_t* name, void* record) override;
    bool FileExists(const std::u16string& path) override;
    bool ReadRegistryText(uint32_t rootKey, const char16_t* subKey, const char16_t* valueName,
                          std::u16string& text) override;
    bool StartSuspended(const std::u16string& commandLine, const std::u16string& folder,
                        Process& process) override;
    bool InjectHook(const Process& process) override;
    void Resume(Process& process) override;
    bool Watch(Process& process, const GameWatch& watch) override;
    void Note(const std::u16string& what) override;

private:
    HostBinding& host;
    HookInjector injector;
    Host::EventManager* events = nullptr;
    HWND browser = nullptr;
};

} // namespace Portico
