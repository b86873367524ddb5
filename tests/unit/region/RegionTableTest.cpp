#include "region/RegionTable.h"

#include <gtest/gtest.h>

#include <array>

using Portico::CountryCode;
using Portico::RegionTable;

TEST(RegionTable, KnownCountriesAndUnknownCode) {
    EXPECT_EQ(RegionTable::Lookup(CountryCode('S', 'G')), 1);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('D', 'E')), 7);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('F', 'R')), 8);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('U', 'S')), 12);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('A', 'Q')), 15);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('Z', 'Z')), 0);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('G', 'G')), 8); // Guernsey
    EXPECT_EQ(RegionTable::Lookup(CountryCode('d', 'e')), 0); // codes are upper case
    EXPECT_EQ(RegionTable::Lookup(0), 0);
}

TEST(RegionTable, CodeEncodingIsFirstLetterHigh) {
    EXPECT_EQ(CountryCode('D', 'E'), 0x4445);
    EXPECT_EQ(CountryCode('A', 'Q'), 0x4151);
}

TEST(RegionTable, RowsPerRegionOverEveryCode) {
    const std::array<size_t, 16> expected = {0,  11, 8, 9,  5,  17, 13, 5,
                                             13, 15, 8, 14, 40, 59, 28, 2};
    std::array<size_t, 16> counted{};
    size_t rows = 0;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        uint8_t region = RegionTable::Lookup(static_cast<uint16_t>(code));
        ASSERT_LE(region, RegionTable::kRegionCount) << code;
        if (region != 0) {
            ++counted[region];
            ++rows;
        }
    }
    EXPECT_EQ(counted, expected);
    EXPECT_EQ(rows, 247u);
    EXPECT_EQ(RegionTable::RowCount(), 247u);
}

TEST(RegionTable, EdgesOfTheSortedTable) {
    EXPECT_EQ(RegionTable::Lookup(CountryCode('A', 'D')), 8);  // smallest code
    EXPECT_EQ(RegionTable::Lookup(CountryCode('Z', 'W')), 13); // largest code
    EXPECT_EQ(RegionTable::Lookup(CountryCode('A', 'C')), 0);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('Z', 'X')), 0);
    EXPECT_EQ(RegionTable::Lookup(0xFFFF), 0);
}
