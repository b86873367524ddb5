#include "utils/AddressText.h"

#include <gtest/gtest.h>

#include <string>

using namespace Utils;

TEST(AddressText, DottedQuadsAreReadWhole) {
    uint32_t ip = 0;
    ASSERT_TRUE(ParseIPv4("255.255.255.255", ip)); // an address, not a failure
    EXPECT_EQ(ip, 0xFFFFFFFFu);
    ASSERT_TRUE(ParseIPv4("127.20.30.40", ip));
    EXPECT_EQ(ip, 0x7F141E28u);
    for (const std::string& bad : std::initializer_list<std::string>{
             "127.2.3.4.5", "127.300.1.1", "127.2.3", "", "127.02.3.4", " 127.2.3.4", "0x7f.0.0.1",
             std::string("127.2.3.4\0", 10)}) {
        ip = 7;
        EXPECT_FALSE(ParseIPv4(bad, ip)) << bad;
        EXPECT_EQ(ip, 7u) << bad;
    }
}

TEST(AddressText, PortsToReachAreOneTo65535) {
    uint16_t port = 0;
    ASSERT_TRUE(ParsePort("65535", port));
    EXPECT_EQ(port, 65535);
    for (const char* bad : {"", "0", "65536", "+80", "-1", "80x", " 80"})
        EXPECT_FALSE(ParsePort(bad, port)) << bad;
}

TEST(AddressText, AddressesWithPortsKeepPortZero) {
    uint32_t ip = 0;
    uint16_t port = 1;
    ASSERT_TRUE(ParseIPv4Port("127.0.12.250:65535", ip, port));
    EXPECT_EQ(ip, 0x7F000CFAu);
    EXPECT_EQ(port, 65535);
    ASSERT_TRUE(ParseIPv4Port("0.0.0.0:0", ip, port)); // a master list's first page
    EXPECT_EQ(ip, 0u);
    EXPECT_EQ(port, 0);
    // The address's and the port's own rules are shown above; one of each shows they apply.
    for (const char* bad : {"127.0.0.1", "127.0.0.1:", ":1", "127.0.0.1:65536", "127.0.0.1:1x",
                            "127.0.0:1", "host:80"})
        EXPECT_FALSE(ParseIPv4Port(bad, ip, port)) << bad;
}

TEST(AddressText, HostsAndPortsSplitAtTheLastColon) {
    std::string host;
    uint16_t port = 0;
    ASSERT_TRUE(ParseHostPort("localhost:27950", host, port));
    EXPECT_EQ(host, "localhost");
    EXPECT_EQ(port, 27950);
    // A bracketed IPv6 address is a host, one that an IPv4 lookup will not find.
    ASSERT_TRUE(ParseHostPort("[::1]:27015", host, port));
    EXPECT_EQ(host, "[::1]");
    for (const char* bad : {"host", "host:", ":80", "host:0", "host:65536", "a:b:"})
        EXPECT_FALSE(ParseHostPort(bad, host, port)) << bad;
}
