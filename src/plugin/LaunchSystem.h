// What a game launch needs from the host and the system: the host's launch services and event
// manager, files, the registry, process creation, the game-side hook and the watcher thread.
// The Windows side makes the real calls; tests answer from a script.
#pragma once

#include "plugin/GameWatch.h"

#include <cstdint>
#include <string>

namespace Portico {

class LaunchSystem {
public:
    // A started process, its handles as numbers. Resume releases the thread handle; Watch
    // takes the process handle.
    struct Process {
        uintptr_t handle = 0;
        uintptr_t thread = 0;
        uint32_t id = 0;
    };

    // The host's GetGameLaunchInfo: both buffers hold kLaunchPathChars, zeroed by the caller.
    virtual void GetGameLaunchInfo(uint32_t gameId, char16_t* executable, char16_t* parameters) = 0;
    virtual void RequestGameSetup(uint32_t gameId) = 0;
    // Asks the host for its event manager, once per launch; false when it has none.
    virtual bool FindEventManager() = 0;
    // Raises an event with its record through the event manager found last.
    virtual void RaiseEvent(const char16_t* name, void* record) = 0;

    virtual bool FileExists(const std::u16string& path) = 0;
    // A text value of the registry, fewer than kLaunchPathChars characters; false when the key
    // or the value is missing, or the value is no text of that size.
    virtual bool ReadRegistryText(uint32_t rootKey, const char16_t* subKey,
                                  const char16_t* valueName, std::u16string& text) = 0;

    // Creates the process suspended from the command line alone, in folder (empty: the
    // caller's own); false when it could not be created.
    virtual bool StartSuspended(const std::u16string& commandLine, const std::u16string& folder,
                                Process& process) = 0;
    // Runs the game-side hook inside the suspended process; false when it could not be run.
    virtual bool InjectHook(const Process& process) = 0;
    virtual void Resume(Process& process) = 0;
    // Hands the process handle to a new watcher: watch.Begin() before the watcher runs,
    // watch.End() once the game has ended. False when no watcher could be started; the handle
    // is released then and the game runs unwatched.
    virtual bool Watch(Process& process, const GameWatch& watch) = 0;

    // A launch that failed or went on without a part, for whoever debugs the host.
    virtual void Note(const std::u16string& what) = 0;

protected:
    ~LaunchSystem() = default;
};

} // namespace Portico
