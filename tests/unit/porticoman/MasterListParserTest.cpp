#include "MasterListParser.h"
#include "Packet.h"

#include <gtest/gtest.h>

using namespace Portico;
using ProtocolTest::Ip;
using ProtocolTest::Packet;

namespace {

Utils::ArrayT<ServerAddress> List(const Packet& p, bool quake, uint16_t game) {
    PacketReader reader(p.data.data(), uint32_t(p.data.size()));
    Utils::ArrayT<ServerAddress> servers;
    if (quake)
        MasterListParser::ParseQuake(reader, game, servers);
    else
        MasterListParser::ParseValve(reader, game, servers);
    return servers;
}

} // namespace

TEST(ValveMasterList, EntriesUntilTheEmptyOneACutEntryDropped) {
    Packet p;
    p.Ip(127, 0, 0, 1).U16Be(27015).Ip(127, 0, 0, 2).U16Be(27016).Ip(10, 0, 0, 1).U16Be(0);
    p.Ip(0, 0, 0, 0).U16Be(0).Ip(127, 0, 0, 9).U16Be(1);
    const auto servers = List(p, false, 1003);
    ASSERT_EQ(servers.Size(), 2u); // port 0 left out, nothing after 0.0.0.0:0
    EXPECT_EQ(servers[0], (ServerAddress{Ip(127, 0, 0, 1), 27015, 1003}));
    EXPECT_EQ(servers[1], (ServerAddress{Ip(127, 0, 0, 2), 27016, 1003}));
    Packet cut;
    cut.Ip(127, 0, 0, 1).U16Be(27015).Ip(127, 0, 0, 2).U8(0x69);
    EXPECT_EQ(List(cut, false, 1005).Size(), 1u);
}

TEST(QuakeMasterList, EntriesAreReadByPositionEvenWithBackslashBytes) {
    Packet p;
    p.Text("\n").Text("\\").Ip(127, 92, 92, 1).U16Be(27960); // 92 is '\'
    p.Text("\\").Ip(127, 0, 0, 5).U16Be(0x5C5C);
    p.Text("\\EOT").Bytes({0, 0, 0}).Text("\\").Ip(127, 0, 0, 6).U16Be(27960);
    const auto servers = List(p, true, 1010);
    ASSERT_EQ(servers.Size(), 2u);
    EXPECT_EQ(servers[0], (ServerAddress{Ip(127, 92, 92, 1), 27960, 1010}));
    EXPECT_EQ(servers[1], (ServerAddress{Ip(127, 0, 0, 5), 0x5C5C, 1010}));
}

TEST(QuakeMasterList, EndOfListAndShortOrForeignEntriesStopTheList) {
    Packet end;
    end.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("\\EOF").Bytes({0, 0, 0});
    end.Text("\\").Ip(127, 0, 0, 2).U16Be(27960);
    Packet shortTail;
    shortTail.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("\\").Ip(127, 0, 0, 2).U8(1);
    Packet foreign;
    foreign.Text("\\").Ip(127, 0, 0, 1).U16Be(27960).Text("/").Ip(127, 0, 0, 2).U16Be(1);
    for (const Packet* p : {&end, &shortTail, &foreign})
        EXPECT_EQ(List(*p, true, 1010).Size(), 1u);
}
