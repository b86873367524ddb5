#include "abi/RegionTable.h"

#include <gtest/gtest.h>

#include <utility>

using Portico::CountryCode;
using Portico::RegionTable;

// Known countries (GG is Guernsey), the smallest and largest codes of the sorted table (AD, ZW),
// their neighbours, lower case and codes of no country.
TEST(RegionTable, KnownCountriesEdgesAndUnknownCodes) {
    EXPECT_EQ(CountryCode('D', 'E'), 0x4445); // first letter high
    const std::pair<const char*, int> cases[] = {{"SG", 1},  {"DE", 7}, {"FR", 8}, {"US", 12},
                                                 {"AQ", 15}, {"GG", 8}, {"AD", 8}, {"ZW", 13},
                                                 {"AC", 0},  {"ZX", 0}, {"ZZ", 0}, {"de", 0}};
    for (const auto& [code, region] : cases)
        EXPECT_EQ(RegionTable::Lookup(CountryCode(code[0], code[1])), region) << code;
    EXPECT_EQ(RegionTable::Lookup(0), 0);
    EXPECT_EQ(RegionTable::Lookup(0xFFFF), 0);
}
