// Joining a server: finds the game's executable through the host, the registry and the host's
// setup, lets the host's handlers see and change the launch, builds the command line, starts
// the game suspended with the game-side hook inside, and has it watched until it ends. Runs
// on the window thread; every failure ends the launch with nothing started.
#pragma once

#include "abi/ProtocolInterface.h"
#include "plugin/LaunchSystem.h"

#include <cstdint>
#include <string>

namespace Portico {

class PluginState;

class GameLauncher {
public:
    using ProtocolSource = ProtocolManager* (*)();

    GameLauncher(LaunchSystem& system, PluginState& state, ProtocolSource protocols)
        : system(system), state(state), protocols(protocols) {}

    // password: null when the server needs none.
    void Launch(const ServerAddress& address, const std::u16string* password);

private:
    struct Paths {
        std::u16string executable;
        std::u16string parameters;
    };

    bool FindExecutable(uint32_t gameId, const GameProtocol& protocol, Paths& paths);
    void AskHost(uint32_t gameId, Paths& paths);
    bool FromRegistry(const GameProtocol& protocol, Paths& paths);
    // False when a handler cancelled the launch.
    bool RaiseBeforeLaunch(uint32_t gameId, Paths& paths);
    bool BuildLine(const GameProtocol& protocol, const ServerAddress& address, const Paths& paths,
                   const std::u16string* password, std::u16string& line);
    void Start(uint32_t gameId, bool events, const std::u16string& line,
               const std::u16string& folder);

    LaunchSystem& system;
    PluginState& state;
    ProtocolSource protocols;
};

} // namespace Portico
