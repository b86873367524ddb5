#include "serverlist/ServerListCache.h"

#include "serverlist/HttpRequest.h"
#include "serverlist/ServerListSource.h"
#include "serverlist/ServerListStore.h"
#include "storage/DatabaseSqlite.h"
#include "storage/GameCatalogue.h"
#include "storage/SqlText.h"
#include "storage/StorePaths.h"

namespace Portico {

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

std::unique_ptr<Utils::Database> MakeSqlite() {
    return std::make_unique<Utils::DatabaseSqlite>();
}

std::u16string ListPath(uint32_t gameId, uint32_t area) {
    const std::string path = SqlFormat("/fsl/%d_%d.fsl", int32_t(gameId), int32_t(area));
    return std::u16string(path.begin(), path.end());
}

} // namespace

ServerListCache::ServerListCache(HostInfo& host)
    : ServerListCache(host, ConfiguredServerListHost(), &MakeSqlite) {}

ServerListCache::ServerListCache(HostInfo& host, ServerListHost listHost,
                                 DatabaseFactory makeDatabase)
    : host(host), listHost(std::move(listHost)), makeDatabase(std::move(makeDatabase)) {}

std::vector<ServerAddress> ServerListCache::CurrentServers() {
    Guard guard(stateLock);
    auto found = entries.find(lastArea);
    return found == entries.end() ? std::vector<ServerAddress>() : found->second.servers;
}

std::vector<ServerAddress> ServerListCache::FetchRoomServers() {
    Guard fetching(fetchLock);
    {
        Guard guard(stateLock);
        lastArea = 0;
    }
    if (storePath.empty())
        storePath = UserStoreFilePath(host);
    uint32_t gameId;
    uint32_t area;
    HttpRequest request;
    if (!FindTopArea(gameId, area) ||
        !request.Get(listHost.name, ListPath(gameId, area), listHost.port))
        return {};

    std::vector<ServerAddress> servers;
    if (FreshInMemory(area, request.LastModified(), servers))
        return servers;
    std::unique_ptr<Utils::Database> database = makeDatabase();
    ServerListStore store(*database);
    if (!store.Open(storePath))
        return {};
    if (FreshInStore(store, area, request.LastModified(), servers))
        return servers;
    if (ReadServerListBody(request, servers) != ServerListProblem::kNone)
        return {};
    // A list that could not be stored is still the current one; the store keeps its older
    // list and time, so the next run downloads again.
    store.WriteArea(area, request.LastModified(), servers);
    Keep(area, request.LastModified(), servers);
    return servers;
}

bool ServerListCache::FindTopArea(uint32_t& gameId, uint32_t& topArea) {
    std::unique_ptr<Utils::Database> database = makeDatabase();
    GameCatalogue catalogue(*database);
    CurrentRoom room;
    if (!catalogue.Open(CatalogueFilePath(host)) || !host.GetCurrentRoom(room) ||
        !catalogue.TopLevelArea(room.areaId, topArea))
        return false;
    gameId = room.gameId;
    return true;
}

bool ServerListCache::FreshInMemory(uint32_t area, int64_t responseTime,
                                    std::vector<ServerAddress>& servers) {
    Guard guard(stateLock);
    lastArea = area;
    const AreaEntry& entry = entries[area];
    if (entry.lastModified == 0 || entry.lastModified < responseTime)
        return false;
    servers = entry.servers;
    return true;
}

bool ServerListCache::FreshInStore(ServerListStore& store, uint32_t area, int64_t responseTime,
                                   std::vector<ServerAddress>& servers) {
    {
        Guard guard(stateLock);
        if (entries[area].lastModified != 0)
            return false; // memory had this area: its list is older, the store's is too
    }
    int64_t storedTime;
    if (!store.ReadTime(area, storedTime) || storedTime < responseTime)
        return false;
    servers = store.ReadServers(area);
    Keep(area, storedTime, servers);
    return true;
}

void ServerListCache::Keep(uint32_t area, int64_t lastModified,
                           const std::vector<ServerAddress>& servers) {
    Guard guard(stateLock);
    AreaEntry& entry = entries[area];
    entry.lastModified = lastModified;
    entry.servers = servers;
}

} // namespace Portico
