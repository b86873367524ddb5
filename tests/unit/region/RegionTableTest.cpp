#include "abi/RegionTable.h"

#include <gtest/gtest.h>

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

TEST(RegionTable, EdgesOfTheSortedTable) {
    EXPECT_EQ(RegionTable::Lookup(CountryCode('A', 'D')), 8);  // smallest code
    EXPECT_EQ(RegionTable::Lookup(CountryCode('Z', 'W')), 13); // largest code
    EXPECT_EQ(RegionTable::Lookup(CountryCode('A', 'C')), 0);
    EXPECT_EQ(RegionTable::Lookup(CountryCode('Z', 'X')), 0);
    EXPECT_EQ(RegionTable::Lookup(0xFFFF), 0);
}
