#include "CountryRanges.h"
#include "RangeTableImage.h"
#include "abi/RegionTable.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
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

TEST(CountryRanges, AgreesWithALinearScanOverDenseAndSparseRuns) {
    // Runs crowded into a few /16 blocks and spread thinly elsewhere, so that some blocks hold
    // hundreds of runs and others none.
    std::mt19937 random(7);
    std::vector<uint32_t> starts{0};
    for (int i = 0; i < 3000; ++i)
        starts.push_back(Ip(10, 20, 0, 0) + random() % 0x30000);
    for (int i = 0; i < 3000; ++i)
        starts.push_back(static_cast<uint32_t>(random()));
    std::sort(starts.begin(), starts.end());
    starts.erase(std::unique(starts.begin(), starts.end()), starts.end());
    std::vector<std::pair<uint32_t, std::string>> runs;
    const char* codes[] = {"", "DE", "US", "A1", "FR"};
    for (size_t i = 0; i < starts.size(); ++i)
        runs.emplace_back(starts[i], codes[i % 5]);
    CountryRanges ranges;
    ASSERT_TRUE(Parse(ranges, RangeTableImage(runs)));

    auto expected = [&](uint32_t ip) {
        size_t run = 0;
        while (run + 1 < runs.size() && runs[run + 1].first <= ip)
            ++run;
        const std::string& code = runs[run].second;
        return code.empty() ? uint16_t{0} : CountryCode(code[0], code[1]);
    };
    std::vector<uint32_t> probes{0, 0xFFFFFFFF};
    for (uint32_t start : starts) {
        probes.push_back(start);
        probes.push_back(start - 1);
    }
    for (int i = 0; i < 3000; ++i) {
        probes.push_back(static_cast<uint32_t>(random()));
        probes.push_back(Ip(10, 20, 0, 0) + random() % 0x30000);
    }
    for (uint32_t ip : probes)
        ASSERT_EQ(ranges.Find(ip), expected(ip)) << std::hex << ip;
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
