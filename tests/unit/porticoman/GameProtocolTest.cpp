#include "GameTable.h"
#include "Packet.h"
#include "PorticoManager.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

using namespace Portico;
using ProtocolTest::Ip;

namespace {

std::u16string PlayerTime(GameProtocol& protocol, uint32_t time) {
    char16_t buffer[kPlayerTimeChars] = {};
    protocol.FormatPlayerTime(buffer, time);
    return buffer;
}

class GameProtocolTest : public ::testing::Test {
protected:
    GameProtocol& Game(uint32_t id) {
        GameProtocol* protocol = manager.GetProtocol(id);
        EXPECT_NE(protocol, nullptr) << id;
        return *protocol;
    }

    PorticoManager manager;
};

} // namespace

TEST_F(GameProtocolTest, TheFourGamesAndNoOther) {
    for (const uint32_t id : {1003u, 1028u, 1005u, 1010u})
        EXPECT_EQ(Game(id).GameId(), id);
    EXPECT_EQ(manager.GetProtocol(0), nullptr);
    EXPECT_EQ(manager.GetProtocol(1004), nullptr);
    EXPECT_EQ(manager.GetProtocol(0x10000 + 1003), nullptr);
    EXPECT_EQ(manager.InterfaceVersion(), kProtocolInterfaceVersion);
}

TEST_F(GameProtocolTest, ConnectArgumentsUseThePortGivenOrNothingWhenTooLong) {
    char16_t buffer[64];
    Game(1010).GetConnectArguments(buffer, 64, ServerAddress{Ip(10, 20, 30, 255), 27960, 1010});
    EXPECT_EQ(std::u16string(buffer), u"+connect 10.20.30.255:27960");
    Game(1003).GetConnectArguments(buffer, 20, ServerAddress{Ip(127, 0, 0, 1), 27015, 1003});
    EXPECT_EQ(buffer[0], 0);
}

TEST_F(GameProtocolTest, PlayerColumnsAndTimes) {
    EXPECT_EQ(Game(1003).GetPlayerColumnText(), GameTable::kTextPlayTime);
    EXPECT_EQ(Game(1010).GetPlayerColumnText(), GameTable::kTextPing);
    EXPECT_EQ(PlayerTime(Game(1003), 0), u"0:00");
    EXPECT_EQ(PlayerTime(Game(1005), 754), u"12:34");
    EXPECT_EQ(PlayerTime(Game(1028), 3723), u"1:02:03");
    EXPECT_EQ(PlayerTime(Game(1003), 0xFFFFFFFF), u"1193046:28:15");
    EXPECT_EQ(PlayerTime(Game(1010), 48), u"48 ms");
}

TEST_F(GameProtocolTest, RemoteConsoleTexts) {
    EXPECT_EQ(Game(1003).GetRconKind(), kRconTcp);
    EXPECT_EQ(Game(1028).GetRconKind(), kRconTcp);
    EXPECT_EQ(Game(1005).GetRconKind(), kRconUdp);
    EXPECT_EQ(Game(1010).GetRconKind(), kRconUdp);

    // The console tool's runs against simulated consoles cover the rest of these texts.
    std::vector<char> buffer(kRconBufferBytes, 'z');
    EXPECT_FALSE(Game(1003).BuildRconChallenge(buffer.data()));
    std::fill(buffer.begin(), buffer.end(), 0);
    Game(1005).BuildRconPrefix(buffer.data(), "s3cret", 4000000000u);
    EXPECT_STREQ(buffer.data(), "rcon 4000000000 \"s3cret\" ");
    Game(1003).BuildRconPrefix(buffer.data(), "s3cret", 5);
    EXPECT_STREQ(buffer.data(), "");
}

TEST_F(GameProtocolTest, APrefixThatCannotFitIsLeftEmpty) {
    const std::string longPassword(kRconBufferBytes - 8, 'p');
    std::vector<char> buffer(kRconBufferBytes, 0);
    Game(1010).BuildRconPrefix(buffer.data(), longPassword.c_str(), 0);
    EXPECT_EQ(std::strlen(buffer.data()), kRconBufferBytes - 2); // "rcon " + password + " "
    const std::string tooLong(kRconBufferBytes, 'p');
    std::fill(buffer.begin(), buffer.end(), 0);
    Game(1005).BuildRconPrefix(buffer.data(), tooLong.c_str(), 0);
    EXPECT_STREQ(buffer.data(), "");
}
