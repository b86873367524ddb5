#include "ServerListTestData.h"

#include "serverlist/Deployment.h"
#include "serverlist/ServerListFile.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

bool Decode(const std::vector<unsigned char>& body, std::vector<ServerAddress>& servers) {
    return DecodeServerList(body.data(), body.size(), servers);
}

void SetSize(std::vector<unsigned char>& body, uint32_t n) {
    for (int b = 0; b < 4; ++b)
        body[b] = static_cast<unsigned char>(n >> (8 * b));
}

// Changes the compressed data as the decoder sees it, after descrambling.
template <typename Change> void ChangePlain(std::vector<unsigned char>& body, Change change) {
    ScrambleServerList(body.data() + 4, body.size() - 4);
    change(body.data() + 4);
    ScrambleServerList(body.data() + 4, body.size() - 4);
}

} // namespace

TEST(ServerListFile, ScramblesWholeWordsWithTheKeyAndIsItsOwnInverse) {
    std::vector<unsigned char> data(8 * 4 + 4 + 3, 0);
    ScrambleServerList(data.data(), data.size());
    for (size_t word = 0; word < 9; ++word) {
        const uint32_t key = kServerListKey[word % 8];
        for (int b = 0; b < 4; ++b)
            EXPECT_EQ(data[word * 4 + b], static_cast<unsigned char>(key >> (8 * b))) << word;
    }
    for (size_t i = 36; i < data.size(); ++i)
        EXPECT_EQ(data[i], 0) << "the last size mod 4 bytes stay";
    ScrambleServerList(data.data(), data.size());
    EXPECT_EQ(data, std::vector<unsigned char>(data.size(), 0));
}

TEST(ServerListFile, RoundTripsInTableOrderWithGameIdZero) {
    const std::vector<ServerAddress> servers = {
        Server(1, 2, 3, 4, 27015), Server(192, 168, 0, 1, 80), Server(255, 255, 255, 255, 65535)};
    const std::vector<unsigned char> body = Pack(servers);
    ASSERT_GT(body.size(), 9u);
    EXPECT_EQ(body[0], 18); // N little-endian
    EXPECT_EQ(body[1] | body[2] | body[3], 0);
    std::vector<ServerAddress> decoded;
    ASSERT_TRUE(Decode(body, decoded));
    EXPECT_EQ(decoded, servers);
}

TEST(ServerListFile, EmptyTableGivesAnEmptyListAndPartialEntryIsZeroFilled) {
    std::vector<ServerAddress> servers = {Server(9, 9, 9, 9, 9)};
    ASSERT_TRUE(Decode(PackTable({}), servers));
    EXPECT_TRUE(servers.empty());

    // 6 + 3 bytes: the second entry is 0x0A0B0C00... with the missing bytes zero.
    const std::vector<unsigned char> table = {4, 3, 2, 1, 0x50, 0, 0x0C, 0x0B, 0x0A};
    ASSERT_TRUE(Decode(PackTable(table), servers));
    ASSERT_EQ(servers.size(), 2u);
    EXPECT_EQ(servers[0], Server(1, 2, 3, 4, 80));
    EXPECT_EQ(servers[1], Server(0, 10, 11, 12, 0));
}

TEST(ServerListFile, RefusesShortBodiesAndSizesBeyondTheBounds) {
    std::vector<ServerAddress> servers;
    for (size_t size : {0, 3, 4, 8}) {
        std::vector<unsigned char> body = PackTable({});
        body.resize(size);
        EXPECT_FALSE(Decode(body, servers)) << size;
    }
    std::vector<unsigned char> body = Pack(ManyServers(10));
    SetSize(body, kMaxServerListTable + 1);
    EXPECT_FALSE(Decode(body, servers));
    // More than any LZMA data of this size could expand to.
    SetSize(body, uint32_t((body.size() - 4) * kMaxLzmaExpansion + 1));
    EXPECT_FALSE(Decode(body, servers));
    EXPECT_TRUE(servers.empty());
}

TEST(ServerListFile, DataThatDoesNotMakeExactlyNBytesFails) {
    const std::vector<ServerAddress> five = ManyServers(5);
    std::vector<ServerAddress> servers;
    std::vector<unsigned char> body = Pack(five);
    SetSize(body, 36); // the stream ends after 30 bytes
    EXPECT_FALSE(Decode(body, servers));
    SetSize(body, 24); // fewer than the stream holds: the first 24 bytes are the list
    ASSERT_TRUE(Decode(body, servers));
    EXPECT_EQ(servers, std::vector<ServerAddress>(five.begin(), five.begin() + 4));

    body = Pack(ManyServers(5000));
    body.resize(body.size() / 2); // cut off
    EXPECT_FALSE(Decode(body, servers));
    body = Pack(five);
    ChangePlain(body, [](unsigned char* lzma) { lzma[0] = 225; }); // beyond lc/lp/pb's range
    EXPECT_FALSE(Decode(body, servers));
    body = Pack(five);
    body[12] ^= 0x80; // the key makes this one garbage
    const bool decoded = Decode(body, servers);
    EXPECT_FALSE(decoded && servers == five);
}

TEST(ServerListFile, DeclaredDictionaryIsNotTrustedForAllocation) {
    const std::vector<ServerAddress> five = ManyServers(5);
    std::vector<unsigned char> body = Pack(five);
    ChangePlain(body, [](unsigned char* lzma) { lzma[1] = lzma[2] = lzma[3] = lzma[4] = 0xFF; });
    std::vector<ServerAddress> servers;
    ASSERT_TRUE(Decode(body, servers));
    EXPECT_EQ(servers, five);
}

TEST(ServerListFile, AMillionServersFit) {
    EXPECT_GE(kMaxServerListTable, 1000000u * kServerListEntryBytes);
    // Compressible on purpose so that packing stays quick.
    std::vector<ServerAddress> servers(1000000, Server(10, 0, 0, 1, 27015));
    servers.back() = Server(10, 0, 0, 2, 27016);
    std::vector<ServerAddress> decoded;
    ASSERT_TRUE(Decode(Pack(servers), decoded));
    ASSERT_EQ(decoded.size(), servers.size());
    EXPECT_EQ(decoded.back(), servers.back());
}
