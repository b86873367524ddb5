// The host's side of a game launch: what GetGameLaunchInfo answers per game, what the game's
// setup (RequestGameSetup) changes, the host's own handlers of "OnBeforeLaunchGame" that a
// script installs, and the log text of the two launch events' records.
#pragma once

#include <cstdint>
#include <map>
#include <string>

namespace Lumora {

struct GameLaunchHost {
    static GameLaunchHost& Instance();

    std::map<uint32_t, std::wstring> executables;   // GetGameLaunchInfo's executable per game
    std::map<uint32_t, std::wstring> parameters;    // and its parameters
    std::map<uint32_t, std::wstring> setupInstalls; // the executable a setup request leaves
    std::wstring rewriteTo;                         // a before-launch handler's new executable
};

// The script's commands game-path, game-params, game-setup and before-launch; rest is the
// line after the verb. False when the rest does not fit the command.
bool IsLaunchCommand(const std::string& verb);
bool RunLaunchCommand(const std::string& verb, const std::string& rest);

// " key=value ..." after "RaiseEvent NAME" for the launch events; empty for other events.
std::wstring LaunchEventText(const std::wstring& eventName, const void* record);

} // namespace Lumora
