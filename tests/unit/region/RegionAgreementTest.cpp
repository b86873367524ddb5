// The library against libGeoIP reading the same geoip-database file (Linux only).
#include "abi/RegionTable.h"
#include "region/RegionLibrary.h"

#include <GeoIP.h>
#include <gtest/gtest.h>

#include <cstdint>

using Portico::CountryCode;
using Portico::RegionLibrary;
using Portico::RegionTable;

namespace {

class Agreement : public testing::Test {
protected:
    void SetUp() override {
        database = GeoIP_open(PORTICO_GEOIP_DAT, GEOIP_MEMORY_CACHE | GEOIP_SILENCE);
        ASSERT_NE(database, nullptr) << PORTICO_GEOIP_DAT;
        ASSERT_TRUE(RegionLibrary::Instance().IsLoaded());
    }
    void TearDown() override {
        if (database)
            GeoIP_delete(database);
    }

    // Compares one address; returns whether libGeoIP knows a country for it.
    bool Compare(uint32_t ip) {
        const char* code = GeoIP_country_code_by_ipnum(database, ip);
        uint16_t expected = code ? CountryCode(code[0], code[1]) : 0;
        uint8_t out[3];
        uint8_t region = RegionLibrary::Instance().Lookup(ip, out);
        EXPECT_EQ(CountryCode(static_cast<char>(out[0]), static_cast<char>(out[1])), expected)
            << std::hex << ip;
        EXPECT_EQ(region, RegionTable::Lookup(expected)) << std::hex << ip;
        EXPECT_EQ(out[2], expected ? 1 : 0) << std::hex << ip;
        return expected != 0;
    }

    GeoIP* database = nullptr;
};

} // namespace

TEST_F(Agreement, FirstAndLastAddressOfEveryBlock) {
    uint64_t ip = 1;
    size_t blocks = 0;
    while (ip <= 0xFFFFFFFFull && !HasFailure()) {
        GeoIPLookup lookup{};
        GeoIP_id_by_ipnum_gl(database, static_cast<unsigned long>(ip), &lookup);
        ASSERT_GE(lookup.netmask, 1);
        uint64_t last = ip | ((uint64_t{1} << (32 - lookup.netmask)) - 1);
        Compare(static_cast<uint32_t>(ip));
        Compare(static_cast<uint32_t>(last));
        ip = last + 1;
        ++blocks;
    }
    EXPECT_GT(blocks, 100000u);
    Compare(0);
}
