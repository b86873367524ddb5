// Where login takes the host's game catalogue from: the supported games in their order, with
// name and icon cell. The storage layer's catalogue reader stands behind it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct CatalogueRow {
    uint32_t gameId = 0;
    std::u16string name;
    int32_t icon = 0; // cell of the host's game icon strip
};

class CatalogueSource {
public:
    // False when the catalogue file could not be opened: the plug-in then keeps what it had.
    virtual bool ReadGames(std::vector<CatalogueRow>& games) = 0;

protected:
    ~CatalogueSource() = default;
};

} // namespace Portico
