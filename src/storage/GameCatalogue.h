// The host's read-only game catalogue: the games the plug-in supports, in order, and the
// tree of areas.
#pragma once

#include "common/CatalogueSource.h"
#include "storage/Database.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

class GameCatalogue {
public:
    // The database belongs to the caller and must outlive this object.
    explicit GameCatalogue(Utils::Database& database) : database(database) {}

    // Opens the file (a wide path, opened as UTF-8).
    bool Open(const std::u16string& path);
    // The supported games in their order; games without a name row are left out. Empty
    // when the game query fails.
    std::vector<CatalogueGame> ReadGames();
    // Walks up the area tree to the area whose parent is 0. False when an area on the way
    // has no row, or the walk comes back to an area it has seen.
    bool TopLevelArea(uint32_t areaId, uint32_t& topArea);

private:
    Utils::Database& database;
};

} // namespace Portico
