#include "storage/GameCatalogue.h"

#include "storage/SqlText.h"
#include "utils/Utf.h"

#include <set>

namespace Portico {

bool GameCatalogue::Open(const std::u16string& path) {
    return database.Open(Utils::Utf::ToUtf8(path).c_str());
}

std::vector<CatalogueGame> GameCatalogue::ReadGames() {
    std::vector<CatalogueGame> games;
    auto order = database.Query("SELECT GameId FROM PorticoTab ORDER BY OrderId");
    if (!order)
        return games;
    for (size_t row = 0; row < order->RowCount(); ++row) {
        const int32_t gameId = order->CellAt(row, 0).AsInt();
        auto game = database.Query(
            SqlFormat("SELECT Icon, Name FROM GameTab WHERE GameId = %d", gameId).c_str());
        if (!game || game->RowCount() == 0)
            continue;
        CatalogueGame entry;
        entry.gameId = static_cast<uint32_t>(gameId);
        entry.icon = game->CellAt(0, 0).AsInt();
        const std::string name = game->CellAt(0, 1).AsText();
        entry.name = Utils::Utf::ToUtf16(name);
        games.push_back(entry);
    }
    return games;
}

bool GameCatalogue::TopLevelArea(uint32_t areaId, uint32_t& topArea) {
    // Each step reads a row; a tree with a cycle would otherwise be walked forever.
    std::set<uint32_t> seen;
    uint32_t current = areaId;
    while (seen.insert(current).second) {
        auto parent = database.Query(
            SqlFormat("SELECT ParentId FROM AreaTab WHERE AreaId = %d", int32_t(current)).c_str());
        if (!parent || parent->RowCount() == 0)
            return false;
        const uint32_t parentId = static_cast<uint32_t>(parent->CellAt(0, 0).AsInt());
        if (parentId == 0) {
            topArea = current;
            return true;
        }
        current = parentId;
    }
    return false;
}

} // namespace Portico
