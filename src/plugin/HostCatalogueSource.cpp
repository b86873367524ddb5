#include "plugin/HostCatalogueSource.h"

#include "storage/DatabaseSqlite.h"
#include "storage/GameCatalogue.h"
#include "storage/StorePaths.h"

namespace Portico {

bool HostCatalogueSource::ReadGames(std::vector<CatalogueGame>& games) {
    Utils::DatabaseSqlite database;
    GameCatalogue catalogue(database);
    if (!catalogue.Open(CatalogueFilePath(host)))
        return false;
    games = catalogue.ReadGames();
    return true;
}

} // namespace Portico
