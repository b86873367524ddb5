#include "BrowserFakes.h"

#include "browser/RegionTree.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

uint8_t RegionOf(uint16_t code) {
    return code == Code('D', 'E')   ? 7
           : code == Code('F', 'R') ? 8
           : code == Code('U', 'S') ? 12
                                    : 0;
}

const std::map<uint16_t, std::u16string> kTexts = {{201, u"Servers"},
                                                   {Code('D', 'E'), u"Germany"},
                                                   {Code('F', 'R'), u"France"},
                                                   {Code('U', 'S'), u"United States"}};

std::vector<uint32_t> RootLabels(const RegionTreePlan& plan) {
    std::vector<uint32_t> labels;
    for (const RegionNode& node : plan.nodes) {
        if (node.parent < 0)
            labels.push_back(node.textId);
    }
    return labels;
}

} // namespace

TEST(RegionTree, TheUsersRegionComesFirstAndIsSelectedAtFirstStart) {
    const uint32_t mask = RegionTree::InitialMask(0, 7);
    EXPECT_EQ(mask, 0x40u);
    const RegionTreePlan plan = RegionTree::Build(7, Code('D', 'E'), mask, kTexts, RegionOf);
    EXPECT_EQ(RootLabels(plan), (std::vector<uint32_t>{2010, 2003, 2004, 2005, 2006, 2007, 2009,
                                                       2011, 2012, 2013, 2014, 2015, 2016}));
    ASSERT_EQ(plan.selected, 0);
    EXPECT_EQ(plan.nodes[0].data, 0xC0u); // the scheduler gets both regions of the node

    // Region 15 has no node: the table's order, nothing selected.
    const RegionTreePlan none = RegionTree::Build(15, 0, 0, {}, RegionOf);
    EXPECT_EQ(RootLabels(none).front(), 2003u);
    EXPECT_EQ(none.selected, -1);
    EXPECT_EQ(RegionTree::InitialMask(0x300, 7), 0x300u); // a stored selection stays
}

TEST(RegionTree, CountriesUnderTheirRegionsWithTheUsersOwnFirst) {
    const RegionTreePlan plan = RegionTree::Build(12, Code('F', 'R'), 0x800, kTexts, RegionOf);
    std::vector<std::pair<uint32_t, std::u16string>> children; // parent label, country
    for (const RegionNode& node : plan.nodes) {
        if (node.parent >= 0)
            children.push_back({plan.nodes[size_t(node.parent)].textId, node.text});
    }
    // France, the user's own, goes under the first node (the user's region 12) and only there.
    EXPECT_EQ(children, (std::vector<std::pair<uint32_t, std::u16string>>{
                            {2013, u"France"}, {2013, u"United States"}, {2010, u"Germany"}}));
    EXPECT_EQ(plan.nodes[1].data, uint32_t(Code('F', 'R')) << 16);
}

TEST(RegionTree, TheLastMatchingNodeIsSelected) {
    // A stored mask over two region nodes selects the later one.
    RegionTreePlan plan = RegionTree::Build(0, 0, 0x3, kTexts, RegionOf);
    EXPECT_EQ(plan.nodes[size_t(plan.selected)].textId, 2004u);

    // A stored country selects its node (and no region node).
    plan = RegionTree::Build(0, 0, uint32_t(Code('D', 'E')) << 16, kTexts, RegionOf);
    ASSERT_GE(plan.selected, 0);
    const RegionNode& country = plan.nodes[size_t(plan.selected)];
    EXPECT_EQ(country.text, u"Germany");
    EXPECT_EQ(plan.nodes[size_t(country.parent)].textId, 2010u);
}
