#include "browser/ServerStore.h"

#include <gtest/gtest.h>

using Portico::ServerAddress;
using Portico::ServerStore;

namespace {

// Third byte of the address: region; fourth: 'A' + country letter.
uint8_t Lookup(uint32_t ip, uint8_t out[3]) {
    out[0] = 'X';
    out[1] = static_cast<uint8_t>('A' + (ip & 0xFF));
    return static_cast<uint8_t>(ip >> 8);
}

ServerAddress At(uint8_t region, uint8_t country, uint16_t game = 7) {
    return ServerAddress{uint32_t(region) << 8 | country, 27015, game};
}

} // namespace

TEST(ServerStore, SelectsByRegionAndCountryInStoreOrder) {
    ServerStore store(Lookup);
    store.AddKnownServer(At(0, 1));  // no region: dropped
    store.AddKnownServer(At(33, 1)); // beyond the mask: dropped
    store.AddKnownServer(At(8, 2));
    store.AddKnownServer(At(7, 3));
    store.AddKnownServer(At(7, 3)); // kept twice
    store.AddKnownServer(At(8, 3, 9));
    store.AddKnownServer(At(1, 2));
    EXPECT_EQ(store.Size(), 5u);

    using List = std::vector<ServerAddress>;
    List out;
    store.SelectByRegion(7, 0xC0, out);
    EXPECT_EQ(out, (List{At(8, 2), At(7, 3), At(7, 3)}));
    out.clear();
    store.SelectByRegion(7, 0, out);
    EXPECT_TRUE(out.empty());

    store.SelectByCountry(7, ('X' << 8) | ('A' + 2), out); // appended
    EXPECT_EQ(out, (List{At(8, 2), At(1, 2)}));
    out.clear();
    store.SelectByCountry(9, ('X' << 8) | ('A' + 2), out); // other game
    EXPECT_TRUE(out.empty());
}
