// The server-list cache's tables in the user's store: per area the time of the stored list
// (FslRegion) and its addresses (Fsl).
#pragma once

#include "abi/ProtocolInterface.h"
#include "storage/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

class ServerListStore {
public:
    // The database belongs to the caller and must outlive this object.
    explicit ServerListStore(Utils::Database& database) : database(database) {}

    // Opens the store (a wide path, opened as UTF-8) and makes sure its two tables exist.
    bool Open(const std::u16string& path);
    // The stored time of the area's list (32 bits, widened with the sign); false when none.
    bool ReadTime(uint32_t area, int64_t& lastModified);
    // The area's addresses, game id 0, in table order.
    std::vector<ServerAddress> ReadServers(uint32_t area);
    // Replaces the area's time and rows together; false, with both as they were, when a
    // write fails.
    bool WriteArea(uint32_t area, int64_t lastModified, const std::vector<ServerAddress>& servers);

private:
    Utils::Database& database;
};

} // namespace Portico
