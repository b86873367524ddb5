#include "browser/PartnerServers.h"

#include <gtest/gtest.h>

#include <cstring>

namespace Portico {
namespace {

uint32_t Resolve(const char* name) {
    if (std::strcmp(name, "bad") == 0)
        return 0xFFFFFFFF;
    return 0x7F000100u + uint32_t(name[0]);
}

// Every loopback address lies in region 7; the failure value lies nowhere.
uint8_t Lookup(uint32_t ip, uint8_t out[3]) {
    out[0] = out[1] = out[2] = 0;
    return (ip >> 24) == 127 ? 7 : 0;
}

std::vector<ServerAddress> Selected(const ServerStore& store) {
    std::vector<ServerAddress> out;
    store.SelectByRegion(kPartnerGameId, 1u << 6, out);
    return out;
}

TEST(PartnerServers, FivePartnersGiveTwentyTwoAddressesInOrder) {
    ServerStore store(&Lookup);
    SeedPartnerServers(store, {"a", "b", "c", "d", "e"}, &Resolve);
    // Five ports from 27015 of each, but two of the fourth.
    std::vector<ServerAddress> expected;
    for (const char* name : {"a", "b", "c", "d", "e"})
        for (uint16_t port = 27015; port < (*name == 'd' ? 27017 : 27020); ++port)
            expected.push_back({Resolve(name), port, kPartnerGameId});
    EXPECT_EQ(Selected(store), expected);
}

TEST(PartnerServers, UnresolvedNameIsLeftToTheStore) {
    ServerStore store(&Lookup);
    SeedPartnerServers(store, {"a", "bad", "c", "d", "e"}, &Resolve);
    EXPECT_EQ(Selected(store).size(), 17u);
    EXPECT_EQ(store.Size(), 17u);
}

TEST(PartnerServers, BuiltInNamesReachNothingAndConfiguredNamesReplaceThem) {
    const auto names = PartnerHostNames(nullptr);
    ASSERT_EQ(names.size(), 5u);
    for (const auto& name : names)
        EXPECT_EQ(name.substr(name.size() - 8), ".invalid") << name;
    EXPECT_EQ(PartnerHostNames("127.0.1.1,,127.0.2.2"),
              (std::vector<std::string>{"127.0.1.1", "127.0.2.2"}));
    EXPECT_TRUE(PartnerHostNames("").empty());
}

} // namespace
} // namespace Portico
