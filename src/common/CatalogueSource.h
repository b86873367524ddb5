// Where login takes the host's game catalogue from: the supported games in their order, with
// name and icon cell. The storage layer's catalogue reader stands behind it in the plug-in.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

struct CatalogueGame {
    uint32_t gameId = 0;
    std::u16string name;
    int32_t icon = 0; // cell of the host's game icon strip
};

class CatalogueSource {
public:
    // False when the catalogue file could not be opened: the plug-in then keeps what it had.
    virtual bool ReadGames(std::vector<CatalogueGame>& games) = 0;

protected:
    ~CatalogueSource() = default;
};

// Where the catalogue goes: icons cut from the host's icon strip, items in the host's list.
class CatalogueSink {
public:
    // Null when the strip has no such cell.
    virtual void* ExtractIcon(int32_t cell) = 0;
    virtual void ReleaseIcon(void* icon) = 0;
    virtual void AddCategoryItem(const std::u16string& name, void* icon, uint32_t itemId) = 0;

protected:
    ~CatalogueSink() = default;
};

} // namespace Portico
