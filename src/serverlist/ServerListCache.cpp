#include "serverlist/ServerListCache.h"

#include "serverlist/HttpRequest.h"
#include "serverlist/ServerListSource.h"
#include "storage/DatabaseSqlite.h"
#include "storage/GameCatalogue.h"
#include "storage/SqlText.h"
#include "storage/StorePaths.h"
#include "storage/UserStoreSchema.h"
#include "utils/Utf.h"

namespace Portico {

namespace {

using Guard = std::lock_guard<std::recursive_mutex>;

std::unique_ptr<Utils::Database> MakeSqlite() { return std::make_unique<Utils::DatabaseSqlite>(); }

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
    std::u16string path;
    {
        Guard guard(stateLock);
        lastArea = 0;
        if (storePath.empty())
            storePath = UserStoreFilePath(host);
        path = storePath;
    }
    uint32_t gameId;
    uint32_t area;
    HttpRequest request;
    if (!FindTopArea(gameId, area) ||
        !request.Get(listHost.name, ListPath(gameId, area), listHost.port))
        return {};

    std::vector<ServerAddress> servers;
    if (FreshInMemory(area, request.LastModified(), servers))
        return servers;
    std::unique_ptr<Utils::Database> store = makeDatabase();
    if (!store->Open(Utils::Utf16ToUtf8(path).c_str()))
        return {};
    store->Exec(kStoreBusyTimeout);
    store->Exec(kCreateFslRegion);
    store->Exec(kCreateFsl);
    if (FreshInStore(*store, area, request.LastModified(), servers))
        return servers;
    if (!ReadServerListBody(request, servers))
        return {};
    // A list that could not be stored is still the current one; the store keeps its older
    // list and time, so the next run downloads again.
    WriteArea(*store, area, request.LastModified(), servers);
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

bool ServerListCache::FreshInStore(Utils::Database& store, uint32_t area, int64_t responseTime,
                                   std::vector<ServerAddress>& servers) {
    {
        Guard guard(stateLock);
        if (entries[area].lastModified != 0)
            return false; // memory had this area: its list is older, the store's is too
    }
    auto stamp = store.Query(
        SqlFormat("SELECT lastmod FROM FslRegion WHERE areaid = %d", int32_t(area)).c_str());
    if (!stamp || stamp->RowCount() == 0)
        return false;
    const int64_t storedTime = stamp->CellAt(0, 0).AsInt(); // 32 bits, widened with the sign
    if (storedTime < responseTime)
        return false;
    auto rows =
        store.Query(SqlFormat("SELECT ip, port FROM Fsl WHERE areaid = %d", int32_t(area)).c_str());
    servers.clear();
    for (size_t row = 0; rows && row < rows->RowCount(); ++row) {
        servers.push_back(ServerAddress{static_cast<uint32_t>(rows->CellAt(row, 0).AsInt()),
                                        static_cast<uint16_t>(rows->CellAt(row, 1).AsInt()), 0});
    }
    Keep(area, storedTime, servers);
    return true;
}

bool ServerListCache::WriteArea(Utils::Database& store, uint32_t area, int64_t lastModified,
                                const std::vector<ServerAddress>& servers) {
    // The time and the rows go in together: a store must never claim a fresh list while it
    // holds a partial or empty one.
    if (!store.Exec("BEGIN"))
        return false;
    bool ok = store.Exec(SqlFormat("REPLACE INTO FslRegion (areaid, lastmod) VALUES (%d, %d)",
                                   int32_t(area), int32_t(uint32_t(lastModified)))
                             .c_str()) &&
              store.Exec(SqlFormat("DELETE FROM Fsl WHERE areaid = %d", int32_t(area)).c_str());
    for (size_t i = 0; ok && i < servers.size(); ++i) {
        ok = store.Exec(SqlFormat("REPLACE INTO Fsl (areaid, ip, port) VALUES (%d, %d, %d)",
                                  int32_t(area), int32_t(servers[i].ip), int(servers[i].port))
                            .c_str());
    }
    if (ok && store.Exec("COMMIT"))
        return true;
    store.Exec("ROLLBACK");
    return false;
}

void ServerListCache::Keep(uint32_t area, int64_t lastModified,
                           const std::vector<ServerAddress>& servers) {
    Guard guard(stateLock);
    AreaEntry& entry = entries[area];
    entry.lastModified = lastModified;
    entry.servers = servers;
}

} // namespace Portico
