// The room's server list: fetched per game and top-level area from the server-list host and
// cached twice, in memory for the process and in the user's store across runs. The response's
// Last-Modified decides whether the body is downloaded at all.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/HostInfo.h"
#include "serverlist/RoomServerSource.h"
#include "serverlist/ServerListHost.h"
#include "storage/Database.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace Portico {

class ServerListStore;

class ServerListCache : public RoomServerSource {
public:
    // Makes one unopened database; each fetch opens the catalogue and the store with its own.
    using DatabaseFactory = std::function<std::unique_ptr<Utils::Database>()>;

    explicit ServerListCache(HostInfo& host);
    ServerListCache(HostInfo& host, ServerListHost listHost, DatabaseFactory makeDatabase);

    // The addresses (game id 0) of the current room's top-level area, or an empty list when
    // any step fails. Runs on a worker thread; overlapping calls run one after the other.
    std::vector<ServerAddress> FetchRoomServers() override;
    // The list of the area that the last fetch reached (empty while a fetch is under way).
    std::vector<ServerAddress> CurrentServers() override;

private:
    struct AreaEntry {
        int64_t lastModified = 0; // 0: never loaded
        std::vector<ServerAddress> servers;
    };

    bool FindTopArea(uint32_t& gameId, uint32_t& topArea);
    // The entry's state after the response's time is known; false when it is stale.
    bool FreshInMemory(uint32_t area, int64_t responseTime, std::vector<ServerAddress>& servers);
    bool FreshInStore(ServerListStore& store, uint32_t area, int64_t responseTime,
                      std::vector<ServerAddress>& servers);
    void Keep(uint32_t area, int64_t lastModified, const std::vector<ServerAddress>& servers);

    HostInfo& host;
    const ServerListHost listHost;
    const DatabaseFactory makeDatabase;
    // Held by a whole fetch, so fetches run one at a time; guards storePath. Taken before
    // stateLock.
    std::recursive_mutex fetchLock;
    std::recursive_mutex stateLock; // guards entries and lastArea; never held over I/O
    std::u16string storePath;
    std::map<uint32_t, AreaEntry> entries;
    uint32_t lastArea = 0;
};

} // namespace Portico
