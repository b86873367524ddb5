// Many simulated game servers, masters and remote consoles on loopback, from one process.
// Start and Stop come from one controlling thread; the rest may be asked from any thread while
// it runs.
#pragma once

#include "RconTcpListener.h"
#include "ReplyQueue.h"
#include "SimConfig.h"
#include "SimEndpoint.h"
#include "SimRandom.h"

#include <memory>
#include <string>
#include <vector>

namespace Portico {

class GameServerSimulator {
public:
    GameServerSimulator() = default;
    ~GameServerSimulator() { Stop(); }
    GameServerSimulator(const GameServerSimulator&) = delete;
    GameServerSimulator& operator=(const GameServerSimulator&) = delete;

    // Binds and starts everything the configuration names. False, with nothing left running and
    // the reason in error, when the configuration is not servable or an address is taken.
    bool Start(const SimConfig& config, std::string& error);
    // Stops every thread and closes every socket; returns within about a second.
    void Stop();
    bool Running() const { return running; }

    // True when the servers share 127.0.0.1 on distinct ports instead of their own addresses.
    bool UsesPorts() const { return usesPorts; }
    // Where each server, master and TCP console answers, in configuration order (consoles: port
    // 0 for servers without one).
    const std::vector<SimAddress>& ServerAddresses() const { return serverAddresses; }
    const std::vector<SimAddress>& MasterAddresses() const { return masterAddresses; }
    const std::vector<SimAddress>& RconAddresses() const { return rconAddresses; }
    // The first master that answers kind's requests; port 0 when there is none.
    SimAddress MasterAddress(SimMasterKind kind) const;
    const SimConfig& Config() const { return config; }

    SimStats ServerStats(size_t index) const;
    SimStats MasterStats(size_t index) const;

private:
    // Where a configured address is bound under the addressing in use.
    SimAddress BindAddress(const SimAddress& configured) const;
    bool StartServer(const SimServer& server, std::string& error);
    bool StartMaster(const SimMaster& master, std::string& error);
    std::unique_ptr<SimEndpoint> Bind(const SimAddress& configured, const SimFaults& faults,
                                      SimAddress& bound, std::string& error);

    SimConfig config;
    bool running = false;
    bool usesPorts = false;
    std::unique_ptr<SimRandom> random;
    ReplyQueue queue;
    std::vector<std::unique_ptr<SimEndpoint>> servers;
    std::vector<std::unique_ptr<SimEndpoint>> masters;
    std::vector<std::unique_ptr<RconTcpListener>> listeners;
    std::vector<SimAddress> serverAddresses;
    std::vector<SimAddress> masterAddresses;
    std::vector<SimAddress> rconAddresses;
};

// What the simulator serves, one line per server and master, for people to read.
std::string DescribeSimulator(const GameServerSimulator& simulator);

} // namespace Portico
