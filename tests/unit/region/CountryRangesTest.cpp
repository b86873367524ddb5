#include "CountryRanges.h"
#include "RangeTableImage.h"
#include "abi/RegionTable.h"

#include <gtest/gtest.h>

#include <utility>

using Portico::CountryCode;
using Portico::CountryRanges;
using RegionTest::Ip;
using RegionTest::RangeTableImage;

namespace {

bool Parse(CountryRanges& ranges, const std::vector<uint8_t>& image) {
    return ranges.Parse(image.data(), image.size());
}

} // namespace

TEST(CountryRanges, FindsTheRunHoldingEachAddress) {
    CountryRanges ranges;
    ASSERT_TRUE(Parse(ranges, RangeTableImage({{0, ""},
                                               {Ip(1, 0, 0, 0), "AU"},
                                               {Ip(1, 0, 1, 0), "CN"},
                                               {Ip(127, 0, 0, 0), ""},
                                               {Ip(192, 168, 0, 0), "US"},
                                               {0xFFFFFFFF, "DE"}})));
    EXPECT_EQ(ranges.RunCount(), 6u);
    const std::pair<uint32_t, const char*> expected[] = {{0, ""},
                                                         {Ip(0, 255, 255, 255), ""},
                                                         {Ip(1, 0, 0, 0), "AU"},
                                                         {Ip(1, 0, 0, 255), "AU"},
                                                         {Ip(1, 0, 1, 0), "CN"},
                                                         {Ip(126, 255, 255, 255), "CN"},
                                                         {Ip(127, 0, 0, 1), ""},
                                                         {Ip(192, 168, 0, 0), "US"},
                                                         {0xFFFFFFFE, "US"},
                                                         {0xFFFFFFFF, "DE"}};
    for (const auto& [ip, code] : expected)
        EXPECT_EQ(ranges.Find(ip), *code ? CountryCode(code[0], code[1]) : 0) << std::hex << ip;
}

TEST(CountryRanges, MalformedImagesAreRefusedWhole) {
    auto good = RangeTableImage({{0, ""}, {Ip(8, 0, 0, 0), "US"}});
    std::vector<std::vector<uint8_t>> bad;
    bad.push_back({});
    bad.push_back(std::vector<uint8_t>(good.begin(), good.begin() + 7)); // short header
    auto magic = good;
    magic[3] = '2';
    bad.push_back(magic);
    bad.push_back(RangeTableImage({})); // no run
    auto extra = good;
    extra.push_back(0);
    bad.push_back(extra);
    bad.push_back(std::vector<uint8_t>(good.begin(), good.end() - 1));
    auto hugeCount = good;
    hugeCount[7] = 0xFF; // count far above the limit, and above the size
    bad.push_back(hugeCount);
    bad.push_back(RangeTableImage({{1, "US"}}));                           // not from 0
    bad.push_back(RangeTableImage({{0, ""}, {5, "US"}, {5, "DE"}}));       // repeated start
    bad.push_back(RangeTableImage({{0, ""}, {9, "US"}, {5, "DE"}}));       // descending
    bad.push_back(RangeTableImage({{0, ""}, {9, "us"}}));                  // lower case
    bad.push_back(RangeTableImage({{0, ""}, {9, std::string("U\0", 2)}})); // half a code
    bad.push_back(RangeTableImage({{0, ""}, {9, "U-"}}));

    for (size_t i = 0; i < bad.size(); ++i) {
        CountryRanges ranges;
        ASSERT_TRUE(Parse(ranges, good));
        EXPECT_FALSE(Parse(ranges, bad[i])) << "image " << i;
        EXPECT_EQ(ranges.RunCount(), 0u) << "image " << i;
        EXPECT_EQ(ranges.Find(Ip(8, 8, 8, 8)), 0) << "image " << i;
    }
}
