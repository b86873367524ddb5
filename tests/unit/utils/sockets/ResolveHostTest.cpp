#include "utils/ResolveHost.h"

#include "SocketTestSupport.h"

#include <gtest/gtest.h>

using Utils::kNoAddress;
using Utils::ResolveHost;

TEST(ResolveHost, DottedTextAndNamesGiveHostOrder) {
    EXPECT_EQ(ResolveHost("127.20.30.40"), 0x7F141E28u);
    EXPECT_EQ(ResolveHost("localhost") >> 24, 127u);
}

TEST(ResolveHost, UnresolvableOrMalformedTextGivesNoAddress) {
    // A label longer than 63 characters is refused before any query leaves the machine.
    const std::string name = "no-such-host-" + std::string(70, 'q') + ".invalid";
    EXPECT_EQ(ResolveHost(name.c_str()), kNoAddress);
    for (const char* text : {"1.2.3.4.5", "256.1.1.1", "12..34", "-1", "#x", ""})
        EXPECT_EQ(ResolveHost(text), kNoAddress) << text;
    EXPECT_EQ(ResolveHost(nullptr), kNoAddress);
}
