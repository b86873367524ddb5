// The region tree of the browser window: region nodes with the user's own first, country
// nodes from the language's country names, and the node the stored selection picks.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace Portico {

struct RegionNode {
    int32_t parent = -1; // index of the region node above a country node; -1 for a region
    uint32_t textId = 0; // a region node's label text; 0 for a country node
    std::u16string text; // a country node's label (its flag comes from the FlagCache)
    uint32_t data = 0;   // region bits, or the country code shifted left by 16
};

struct RegionTreePlan {
    std::vector<RegionNode> nodes; // in insertion order: a country follows its region
    int32_t selected = -1;         // the node to select (its region expanded for a country)
};

class RegionTree {
public:
    using RegionOfCountry = uint8_t (*)(uint16_t code);

    // The selection at start: a stored one, else the user's own region (0 = none).
    static uint32_t InitialMask(uint32_t stored, uint8_t userRegion);

    // texts: the language's text table, whose country names are keyed by country code.
    // Of several matching nodes the last one is selected.
    static RegionTreePlan Build(uint8_t userRegion, uint16_t userCountry, uint32_t mask,
                                const std::map<uint16_t, std::u16string>& texts,
                                RegionOfCountry regionOf);
};

} // namespace Portico
