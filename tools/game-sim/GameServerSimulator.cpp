#include "GameServerSimulator.h"

#include "LoopbackProbe.h"
#include "MasterResponder.h"
#include "ServerResponder.h"
#include "SimBytes.h"
#include "SimConfigCheck.h"
#include "SimNames.h"

#include <algorithm>
#include <sstream>

namespace Portico {

namespace {

constexpr uint32_t kSharedLoopback = 0x7F000001;

SimFaults FaultsOf(uint32_t delayMinMs, uint32_t delayMaxMs, double drop) {
    SimFaults faults;
    faults.delayMinMs = delayMinMs;
    faults.delayMaxMs = delayMaxMs;
    faults.drop = drop;
    return faults;
}

// The receive threads of all endpoints together wake about a thousand times a second at most
// (one per endpoint every 200 ms up to 200 endpoints, then less often, up to every 2 s).
uint32_t WakeMs(const SimConfig& config) {
    const size_t endpoints = config.servers.size() + config.masters.size();
    return uint32_t(std::min<size_t>(2000, std::max<size_t>(200, endpoints)));
}

} // namespace

bool GameServerSimulator::Start(const SimConfig& wanted, std::string& error) {
    if (running) {
        error = "the simulator runs already";
        return false;
    }
    if (!CheckSimConfig(wanted, error))
        return false;
    config = wanted;
    usesPorts = config.addressing == SimAddressing::Ports ||
                (config.addressing == SimAddressing::Auto && !LoopbackAliasesWork());
    random.reset(new SimRandom(config.seed));
    running = true;
    if (!queue.Start()) {
        error = "cannot start the reply thread";
        Stop();
        return false;
    }
    for (const SimServer& server : config.servers)
        if (!StartServer(server, error)) {
            Stop();
            return false;
        }
    for (const SimMaster& master : config.masters)
        if (!StartMaster(master, error)) {
            Stop();
            return false;
        }
    return true;
}

void GameServerSimulator::Stop() {
    for (const auto& endpoint : servers)
        endpoint->BeginStop();
    for (const auto& endpoint : masters)
        endpoint->BeginStop();
    for (const auto& listener : listeners)
        listener->BeginStop();
    queue.Stop();
    servers.clear();
    masters.clear();
    listeners.clear();
    serverAddresses.clear();
    masterAddresses.clear();
    rconAddresses.clear();
    running = false;
}

// On shared 127.0.0.1, what was configured there keeps its port; everything else takes a free
// one, which the system picks from its ephemeral range, away from the games' fixed ports.
SimAddress GameServerSimulator::BindAddress(const SimAddress& configured) const {
    if (usesPorts && configured.ip != kSharedLoopback)
        return SimAddress{kSharedLoopback, 0};
    return configured;
}

std::unique_ptr<SimEndpoint> GameServerSimulator::Bind(const SimAddress& configured,
                                                       const SimFaults& faults, SimAddress& bound,
                                                       std::string& error) {
    const SimAddress address = BindAddress(configured);
    std::unique_ptr<SimEndpoint> endpoint(new SimEndpoint(address, faults, queue, *random));
    endpoint->SetWakeMs(WakeMs(config));
    if (!endpoint->Bound()) {
        error = "cannot bind UDP " + AddressText(address.ip, address.port) +
                (endpoint->AddressInUse() ? ": the address is in use" : "");
        return nullptr;
    }
    bound = SimAddress{address.ip, endpoint->LocalPort()};
    return endpoint;
}

// The console listens on the server's own port number unless told otherwise.
bool GameServerSimulator::StartServer(const SimServer& server, std::string& error) {
    SimAddress bound;
    std::unique_ptr<SimEndpoint> endpoint = Bind(
        server.address, FaultsOf(server.delayMinMs, server.delayMaxMs, server.drop), bound, error);
    if (!endpoint)
        return false;
    endpoint->SetResponder(
        std::unique_ptr<SimResponder>(new ServerResponder(server, bound, random->Next())));
    SimAddress console;
    if (server.rcon == SimRcon::Tcp) {
        std::unique_ptr<RconTcpListener> listener(new RconTcpListener(
            RconConsole(server.rconPassword, server.commands), server.rconFault));
        const uint16_t port = server.rconPort != 0 && !usesPorts ? server.rconPort : bound.port;
        if (!listener->Open(SimAddress{bound.ip, port}, error) || !listener->Start())
            return false;
        console = SimAddress{bound.ip, listener->Port()};
        listeners.push_back(std::move(listener));
    }
    if (!endpoint->Start()) {
        error = "cannot start the thread of " + AddressText(bound.ip, bound.port);
        return false;
    }
    servers.push_back(std::move(endpoint));
    serverAddresses.push_back(bound);
    rconAddresses.push_back(console);
    return true;
}

bool GameServerSimulator::StartMaster(const SimMaster& master, std::string& error) {
    SimAddress bound;
    std::unique_ptr<SimEndpoint> endpoint = Bind(
        master.address, FaultsOf(master.delayMinMs, master.delayMaxMs, master.drop), bound, error);
    if (!endpoint)
        return false;
    std::vector<MasterListing> listings;
    for (size_t i = 0; i < config.servers.size(); ++i)
        if (config.servers[i].listed)
            listings.push_back(ListingOf(config.servers[i], serverAddresses[i]));
    endpoint->SetResponder(std::unique_ptr<SimResponder>(
        new MasterResponder(master, std::move(listings), random->Next())));
    if (!endpoint->Start()) {
        error = "cannot start the thread of " + AddressText(bound.ip, bound.port);
        return false;
    }
    masters.push_back(std::move(endpoint));
    masterAddresses.push_back(bound);
    return true;
}

SimAddress GameServerSimulator::MasterAddress(SimMasterKind kind) const {
    for (size_t i = 0; i < masterAddresses.size(); ++i) {
        const SimMasterKind served = config.masters[i].kind;
        if (served == kind || served == SimMasterKind::Both)
            return masterAddresses[i];
    }
    return SimAddress();
}

SimStats GameServerSimulator::ServerStats(size_t index) const {
    return index < servers.size() ? servers[index]->Stats() : SimStats();
}

SimStats GameServerSimulator::MasterStats(size_t index) const {
    return index < masters.size() ? masters[index]->Stats() : SimStats();
}

std::string DescribeSimulator(const GameServerSimulator& simulator) {
    const SimConfig& config = simulator.Config();
    std::ostringstream out;
    if (simulator.UsesPorts())
        out << "# loopback aliases unavailable: every endpoint is on 127.0.0.1, own port\n";
    const auto& addresses = simulator.MasterAddresses();
    for (size_t i = 0; i < addresses.size(); ++i)
        out << "master  " << SimName(MasterKindNames(), config.masters[i].kind) << " "
            << AddressText(addresses[i].ip, addresses[i].port)
            << (config.masters[i].hostile != SimHostile::None
                    ? std::string(" hostile ") + SimName(HostileNames(), config.masters[i].hostile)
                    : std::string())
            << "\n";
    for (size_t i = 0; i < simulator.ServerAddresses().size(); ++i) {
        const SimServer& server = config.servers[i];
        const SimAddress& bound = simulator.ServerAddresses()[i];
        const SimAddress& console = simulator.RconAddresses()[i];
        out << "server  " << SimName(ProtocolNames(), server.protocol) << " "
            << AddressText(bound.ip, bound.port) << " game " << server.gameId << " \""
            << server.name << "\" " << server.map << " " << server.players.size() << "/"
            << int(server.maxPlayers);
        if (server.password)
            out << " password";
        if (server.challenge)
            out << " challenge";
        if (server.split != 0)
            out << " split " << server.split;
        if (server.oldInfo)
            out << " old-info";
        if (server.hostile != SimHostile::None)
            out << " hostile " << SimName(HostileNames(), server.hostile);
        if (server.gamePort != 0)
            out << " gameport " << server.gamePort;
        if (server.rcon != SimRcon::Off)
            out << " rcon " << SimName(RconNames(), server.rcon);
        if (console.port != 0)
            out << " " << AddressText(console.ip, console.port);
        out << "\n";
    }
    return out.str();
}

} // namespace Portico
