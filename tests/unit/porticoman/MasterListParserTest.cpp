#include "MasterListParser.h"
#include "Packet.h"

#include <gtest/gtest.h>

using namespace Portico;
using ProtocolTest::Ip;
using ProtocolTest::Packet;

TEST(ValveMasterList, EntriesUntilTheEmptyOne) {
    Packet p;
    p.Ip(127, 0, 0, 1).U16Be(27015).Ip(127, 0, 0, 2).U16Be(27016).Ip(10, 0, 0, 1).U16Be(0);
    p.Ip(0, 0, 0, 0).U16Be(0).Ip(127, 0, 0, 9).U16Be(1);
    PacketReader reader(p.data.data(), uint32_t(p.data.size()));
    Utils::ArrayT<ServerAddress> servers;
    MasterListParser::ParseValve(reader, 1003, servers);
    ASSERT_EQ(servers.Size(), 2u); // port 0 left out, nothing after 0.0.0.0:0
    EXPECT_EQ(servers[0], (ServerAddress{Ip(127, 0, 0, 1), 27015, 1003}));
    EXPECT_EQ(servers[1], (ServerAddress{Ip(127, 0, 0, 2), 27016, 1003}));
}

TEST(ValveMasterList, ACutEntryIsDropped) {
    Packet p;
    p.Ip(127, 0, 0, 1).U16Be(27015).Ip(127, 0, 0, 2).U8(0x69);
    PacketReader reader(p.data.data(), uint32_t(p.data.size()));
    Utils::ArrayT<ServerAddress> servers;
    MasterListParser::ParseValve(reader, 1005, servers);
    EXPECT_EQ(servers.Size(), 1u);
}

TEST(QuakeMasterList, EntriesAreReadByPositionEvenWithBackslashBytes) {
    Packet p;
    p.Text("\n").Text("\\").Ip(127, 92, 92, 1).U16Be(27960); // 92 is '\'
    p.Text("\\").Ip(127, 0, 0, 5).U16Be(0x5C5C);
    p.Text("\\EOT").Bytes({0, 0, 0}).Text("\\").Ip(127, 0, 0, 6).U16Be(27960);
    PacketReader reader(p.data.data(), uint32_t(p.data.size()));
    Utils::ArrayT<ServerAddress> servers;
    MasterListParser::ParseQuake(reader, 1010, servers);
    ASSERT_EQ(servers.Size(), 2u);
    EXPECT_EQ(servers[0], (ServerAddress{Ip(127, 92, 92, 1), 27960, 1010}));
    EXPECT_EQ(servers[1], (ServerAddress{Ip(127, 0, 0, 5), 0x5C5C, 1010}));
}

TEST(QuakeMasterList, EndOfListAndShortOrForeignEntriesStopTheList) {
    auto listed = [](const Packet& p) {
        PacketReader reader(p.data.data(), uint32_t(p.data.size()));
        Utils::ArrayT<ServerAddress> servers;
        MasterListParser::ParseQuake(reader, 1010, servers);
        return servers.Size();
    };
    Packet end;
    end.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("\\EOF").Bytes({0, 0, 0});
    end.Text("\\").Ip(127, 0, 0, 2).U16Be(27960);
    EXPECT_EQ(listed(end), 1u);
    Packet shortTail;
    shortTail.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("\\").Ip(127, 0, 0, 2).U8(1);
    EXPECT_EQ(listed(shortTail), 1u);
    Packet foreign;
    foreign.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("/").Ip(127, 0, 0, 2).U16Be(1);
    EXPECT_EQ(listed(foreign), 1u);
}
