// Reads what a region lookup wrote, for the region tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace RegionTest {

// The output starts as 0xAA bytes, so that bytes the lookup left unwritten show.
template <typename Database>
void ExpectAnswer(Database& database, uint32_t ip, int region, const std::string& code,
                  int source) {
    uint8_t out[3] = {0xAA, 0xAA, 0xAA};
    EXPECT_EQ(database.Lookup(ip, out), region) << std::hex << ip;
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(out), out[0] || out[1] ? 2 : 0), code)
        << std::hex << ip;
    EXPECT_EQ(out[2], source) << std::hex << ip;
}

} // namespace RegionTest
