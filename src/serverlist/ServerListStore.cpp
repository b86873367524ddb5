#include "serverlist/ServerListStore.h"

#include "storage/SqlText.h"
#include "storage/UserStoreSchema.h"
#include "utils/Utf.h"

namespace Portico {

bool ServerListStore::Open(const std::u16string& path) {
    if (!database.Open(Utils::Utf::ToUtf8(path).c_str()))
        return false;
    database.Exec(kStoreBusyTimeout);
    // The browser creates them at its start; a fetch may come first.
    database.Exec(kCreateFslRegion);
    database.Exec(kCreateFsl);
    return true;
}

bool ServerListStore::ReadTime(uint32_t area, int64_t& lastModified) {
    auto stamp = database.Query(
        SqlFormat("SELECT lastmod FROM FslRegion WHERE areaid = %d", int32_t(area)).c_str());
    if (!stamp || stamp->RowCount() == 0)
        return false;
    lastModified = stamp->CellAt(0, 0).AsInt();
    return true;
}

std::vector<ServerAddress> ServerListStore::ReadServers(uint32_t area) {
    std::vector<ServerAddress> servers;
    auto rows = database.Query(
        SqlFormat("SELECT ip, port FROM Fsl WHERE areaid = %d", int32_t(area)).c_str());
    for (size_t row = 0; rows && row < rows->RowCount(); ++row) {
        servers.push_back(ServerAddress{static_cast<uint32_t>(rows->CellAt(row, 0).AsInt()),
                                        static_cast<uint16_t>(rows->CellAt(row, 1).AsInt()), 0});
    }
    return servers;
}

bool ServerListStore::WriteArea(uint32_t area, int64_t lastModified,
                                const std::vector<ServerAddress>& servers) {
    // The time and the rows go in together: a store must never claim a fresh list while it
    // holds a partial or empty one.
    if (!database.Exec("BEGIN"))
        return false;
    bool ok = database.Exec(SqlFormat("REPLACE INTO FslRegion (areaid, lastmod) VALUES (%d, %d)",
                                      int32_t(area), int32_t(uint32_t(lastModified)))
                                .c_str()) &&
              database.Exec(SqlFormat("DELETE FROM Fsl WHERE areaid = %d", int32_t(area)).c_str());
    for (size_t i = 0; ok && i < servers.size(); ++i) {
        ok = database.Exec(SqlFormat("REPLACE INTO Fsl (areaid, ip, port) VALUES (%d, %d, %d)",
                                     int32_t(area), int32_t(servers[i].ip), int(servers[i].port))
                               .c_str());
    }
    if (ok && database.Exec("COMMIT"))
        return true;
    database.Exec("ROLLBACK");
    return false;
}

} // namespace Portico
