// The datagram console: reading replies, the datagrams built from the game's texts, and the
// socket that reads only its server.
#include "RconTestSupport.h"

#include "PorticoManager.h"
#include "rcon/RconDatagram.h"
#include "rcon/RconNotice.h"
#include "rcon/RconUDPPool.h"
#include "rcon/RconUdpReply.h"
#include "utils/OutStreamT.h"

#include <gtest/gtest.h>

#include <memory>

namespace Portico {
namespace {

using RconTest::RecordingWindow;
using Kind = RconUdpReply::Kind;

RconUdpReply Read(const std::string& bytes) {
    Utils::InStreamT<unsigned char> datagram(reinterpret_cast<const unsigned char*>(bytes.data()),
                                             uint32_t(bytes.size()));
    return ReadRconUdpReply(datagram);
}

std::string Header(const std::string& rest) {
    return std::string(4, '\xFF') + rest;
}

std::string Bytes(const ByteOutStream& stream) {
    return std::string(reinterpret_cast<const char*>(stream.Data()), stream.Size());
}

TEST(RconUdpReply, ChallengesAreReadOnlyAfterTheFullPrefix) {
    EXPECT_EQ(12345u, Read(Header("challenge rcon 12345\n") + '\0').challenge);
    EXPECT_EQ(Kind::Challenge, Read(Header("challenge rcon 12345\n")).kind);
    EXPECT_EQ(7u, Read(Header("challenge rcon   7")).challenge);
    const RconUdpReply letters = Read(Header("challenge rcon abc"));
    EXPECT_EQ(Kind::Challenge, letters.kind);
    EXPECT_EQ(0u, letters.challenge);
    EXPECT_EQ(4294967295u, Read(Header("challenge rcon 99999999999")).challenge);
    EXPECT_EQ(Kind::Ignored, Read(Header("challenge rcon")).kind);
    EXPECT_EQ(Kind::Ignored, Read(Header("challenge rcon\n")).kind);
}

TEST(RconUdpReply, OutputOfBothDialectsAndWhatIsIgnored) {
    const RconUdpReply goldSrc = Read(Header("lHello") + '\0' + "after the NUL");
    EXPECT_EQ(Kind::Output, goldSrc.kind);
    EXPECT_EQ("Hello", goldSrc.text);
    EXPECT_EQ("Hello\n", Read(Header("print\nHello\n")).text);
    // The 'l' test comes first.
    EXPECT_EQ("print\nx", Read(Header("lprint\nx")).text);
    EXPECT_EQ(Kind::Ignored, Read(Header("")).kind);
    EXPECT_EQ(Kind::Ignored, Read(Header("printHello")).kind);
    EXPECT_EQ(Kind::Ignored, Read(std::string("\xFE\xFF\xFF\xFFlHello")).kind);
    EXPECT_EQ(Kind::Ignored, Read("\xFF\xFF\xFF").kind);
}

TEST(RconDatagram, GoldSrcAsksForAChallengeAndQuakeDoesNot) {
    GameProtocol* goldSrc = PorticoManager::Instance().GetProtocol(1005);
    GameProtocol* quake = PorticoManager::Instance().GetProtocol(1010);
    ASSERT_TRUE(goldSrc && quake);
    ByteOutStream request;
    ASSERT_TRUE(BuildRconChallengeRequest(*goldSrc, request));
    EXPECT_EQ(Header("challenge rcon\n") + '\0', Bytes(request));
    ByteOutStream none;
    EXPECT_FALSE(BuildRconChallengeRequest(*quake, none));
    EXPECT_EQ(0u, none.Size());

    ByteOutStream command;
    BuildRconCommand(*goldSrc, "pw", 42, "status", command);
    EXPECT_EQ(Header("rcon 42 \"pw\" status") + '\0', Bytes(command));
    ByteOutStream plain;
    BuildRconCommand(*quake, "pw", 42, "map q3dm17", plain);
    EXPECT_EQ(Header("rcon pw map q3dm17") + '\0', Bytes(plain));
}

class RconUdpSocket : public ::testing::Test {
protected:
    // A stand-in server and a stranger, both on loopback.
    std::unique_ptr<RconUdp> Peer() {
        std::unique_ptr<RconUdp> peer(new RconUdp(0, 0x7F000001));
        EXPECT_TRUE(peer->Start());
        return peer;
    }
    bool SendFrom(RconUdp& from, const std::string& bytes) {
        ByteOutStream out;
        out.Write(bytes.data(), uint32_t(bytes.size()));
        return from.SendTo(out, 0x7F000001, pool.GetSocket(0)->LocalPort());
    }

    RecordingWindow window;
    RconUDPPool pool;
};

TEST_F(RconUdpSocket, OnlyTheServersDatagramsReachTheWindow) {
    auto server = Peer();
    auto stranger = Peer();
    pool.SetOwner(&window);
    ASSERT_TRUE(pool.Open(1));
    pool.SetServer(0x7F000001, server->LocalPort());
    ASSERT_TRUE(SendFrom(*stranger, Header("challenge rcon 666\n")));
    ASSERT_TRUE(SendFrom(*stranger, Header("lforged")));
    ASSERT_TRUE(SendFrom(*server, Header("challenge rcon 5\n")));
    ASSERT_TRUE(SendFrom(*server, Header("lfrom the server")));
    ASSERT_TRUE(window.WaitFor(RconNotice::kOutput));
    const auto notices = window.Notices();
    ASSERT_EQ(2u, notices.size());
    EXPECT_EQ(RconNotice::kChallenge, notices[0].kind);
    EXPECT_EQ(5, notices[0].value);
    EXPECT_EQ("from the server", notices[1].text);
}

TEST_F(RconUdpSocket, PortsFrom20220UpwardAndTheOwnerReachesNewSockets) {
    RconUDPPool first;
    ASSERT_TRUE(first.Open(1));
    const uint16_t taken = first.GetSocket(0)->LocalPort();
    EXPECT_GE(taken, RconUDPPool::kFirstPort);
    auto server = Peer();
    pool.SetOwner(&window);
    pool.SetServer(0x7F000001, server->LocalPort());
    ASSERT_TRUE(pool.Open(1));
    EXPECT_GT(pool.GetSocket(0)->LocalPort(), taken);
    ASSERT_TRUE(SendFrom(*server, Header("print\nafter open")));
    ASSERT_TRUE(window.WaitFor(RconNotice::kOutput));
    EXPECT_EQ("after open", window.Output());
}

} // namespace
} // namespace Portico
