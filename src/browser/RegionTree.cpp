#include "browser/RegionTree.h"

namespace Portico {
namespace {

struct RegionLabel {
    uint32_t textId;
    uint32_t bits;
};

// Regions 7 and 8 share a node; region 15 has none.
constexpr RegionLabel kRegions[] = {{2003, 0x1},   {2004, 0x2},   {2005, 0x4},   {2006, 0x8},
                                    {2007, 0x10},  {2009, 0x20},  {2010, 0xC0},  {2011, 0x100},
                                    {2012, 0x200}, {2013, 0x800}, {2014, 0x400}, {2015, 0x2000},
                                    {2016, 0x1000}};

constexpr uint8_t kLastRegionWithNode = 14;

uint32_t RegionBit(uint8_t region) {
    return region >= 1 && region <= 32 ? 1u << (region - 1) : 0;
}

using Country = std::pair<const uint16_t, std::u16string>;

void AddCountry(RegionTreePlan& plan, int32_t parent, const Country& country, uint32_t mask) {
    plan.nodes.push_back({parent, 0, country.second, uint32_t(country.first) << 16});
    if (mask >= 0x10000 && mask >> 16 == country.first)
        plan.selected = int32_t(plan.nodes.size()) - 1;
}

} // namespace

uint32_t RegionTree::InitialMask(uint32_t stored, uint8_t userRegion) {
    return stored != 0 ? stored : RegionBit(userRegion);
}

RegionTreePlan RegionTree::Build(uint8_t userRegion, uint16_t userCountry, uint32_t mask,
                                 const std::map<uint16_t, std::u16string>& texts,
                                 RegionOfCountry regionOf) {
    // The node of the user's region first, then the others in the table's order.
    std::vector<RegionLabel> roots;
    const uint32_t userBit = userRegion <= kLastRegionWithNode ? RegionBit(userRegion) : 0;
    for (const RegionLabel& label : kRegions) {
        if (label.bits & userBit)
            roots.insert(roots.begin(), label);
        else
            roots.push_back(label);
    }

    // The user's own country under the first node, every other country under its region's.
    std::vector<std::vector<const Country*>> children(roots.size());
    const auto own = texts.find(userCountry);
    if (own != texts.end())
        children[0].push_back(&*own);
    for (const Country& country : texts) {
        const uint32_t bit = country.first != userCountry ? RegionBit(regionOf(country.first)) : 0;
        for (size_t i = 0; i < roots.size(); ++i) {
            if (roots[i].bits & bit)
                children[i].push_back(&country);
        }
    }

    RegionTreePlan plan;
    for (size_t i = 0; i < roots.size(); ++i) {
        const int32_t parent = int32_t(plan.nodes.size());
        plan.nodes.push_back({-1, roots[i].textId, {}, roots[i].bits});
        if (mask < 0x10000 && (mask & roots[i].bits) != 0)
            plan.selected = parent;
        for (const Country* country : children[i])
            AddCountry(plan, parent, *country, mask);
    }
    return plan;
}

} // namespace Portico
