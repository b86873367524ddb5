#include "FakeQueryContext.h"

#include "core/Messages.h"
#include "query/QueryReply.h"
#include "query/QueryScheduler.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

class ReplyTest : public ::testing::Test {
protected:
    FakeQueryContext context;
    RecordingWindow window;
    QueryScheduler browser{context, 0};
    QueryScheduler room{context, 1};

    void SetUp() override {
        browser.SetWindow(&window);
        browser.SetQueuePaused(true);
        room.SetQueuePaused(true);
    }
    void Receive(QueryScheduler& owner, const ServerAddress& from) {
        ByteInStream datagram(reinterpret_cast<const unsigned char*>("x"), 1);
        HandleQueryReply(context, owner, from.ip, from.port, datagram);
    }
};

} // namespace

TEST_F(ReplyTest, OneReplyStoredUnderEveryListedGame) {
    const ServerAddress first = Address(1, 1, 27015, 1);
    const ServerAddress second = Address(1, 1, 27015, 2);
    browser.AddServer(first, false);
    browser.AddServer(second, false);
    context.protocols.parse = [](ByteInStream&, const ServerAddress& address, auto*,
                                 ServerInfo* info, auto*, bool*, Utils::ArrayT<uint32_t>& games) {
        EXPECT_EQ(address.gameId, 1); // the browser's selected game
        *info = Info("twice");
        games.Append(0x10001); // only the low 16 bits name the game
        games.Append(2);
        games.Append(3); // no record: ignored
    };
    Receive(browser, first);
    ServerRecord a{}, b{};
    ASSERT_TRUE(browser.FindRecord(first, a));
    ASSERT_TRUE(browser.FindRecord(second, b));
    EXPECT_EQ(a.status, kStatusReplied);
    EXPECT_STREQ(b.info.map, "twice");
    ServerRecord none{};
    EXPECT_FALSE(browser.FindRecord(Address(1, 1, 27015, 3), none));
}

TEST_F(ReplyTest, NoServerInformationStoresNothing) {
    const ServerAddress server = Address(1, 1);
    browser.AddServer(server, false);
    context.protocols.parse = [](ByteInStream&, const ServerAddress&, auto*, ServerInfo* info,
                                 auto*, bool*, Utils::ArrayT<uint32_t>& games) {
        info->players = 3; // maxPlayers stays 0
        games.Append(1);
    };
    Receive(browser, server);
    ServerRecord record{};
    ASSERT_TRUE(browser.FindRecord(server, record));
    EXPECT_EQ(record.status, kStatusMade);
}

TEST_F(ReplyTest, FurtherServersAreQueuedFromTheList) {
    context.protocols.parse = [](ByteInStream&, const ServerAddress&,
                                 Utils::ArrayT<ServerAddress>* further, auto*, auto*, bool*,
                                 auto&) {
        further->Append(Address(2, 1));
        further->Append(Address(2, 2));
    };
    Receive(room, Address(1, 1));
    EXPECT_EQ(room.QueuedServers().size(), 2u);
    ServerRecord record{};
    EXPECT_FALSE(room.FindRecord(Address(2, 1), record)); // no record before its query
}

TEST_F(ReplyTest, PlayerListGoesToTheOwnersWindow) {
    context.protocols.parse = [](ByteInStream&, const ServerAddress& address, auto*, auto*,
                                 PlayerList* players, bool*, auto&) {
        players->address = address;
        players->entries.Append(PlayerEntry{5, 60, "ann"});
    };
    const PlayerList* seen = nullptr;
    window.onMessage = [&](uint32_t message, uintptr_t, intptr_t l) {
        if (message == kMsgPlayerList)
            seen = reinterpret_cast<const PlayerList*>(l);
        ASSERT_EQ(seen->entries.Size(), 1u);
        EXPECT_STREQ(seen->entries[0].name, "ann");
    };
    Receive(browser, Address(1, 1));
    EXPECT_EQ(window.Count(kMsgPlayerList), 1u);
    Receive(room, Address(1, 1)); // the room scheduler has no window here
    EXPECT_EQ(window.Count(kMsgPlayerList), 1u);
}

TEST_F(ReplyTest, FollowUpGoesBackThroughTheReceivingSocketAndRestartsTiming) {
    const ServerAddress server = Address(1, 1);
    room.SetQueuePaused(false);
    room.SetRegionMask(0xFFFF);
    room.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 1; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    context.protocols.parse = [](ByteInStream&, const ServerAddress&, auto*, auto*, auto*,
                                 bool* followUp, auto&) { *followUp = true; };
    Receive(room, server);
    ASSERT_EQ(context.SentCount(), 2u);
    const SentDatagram detail = context.Sent()[1];
    EXPECT_EQ(detail.bytes, std::vector<unsigned char>{'D'});
    EXPECT_EQ(detail.socketIndex, 1u);
    EXPECT_EQ(detail.ip, server.ip);
    // The answer to the follow-up measures one round trip, not the handshake as well.
    room.HandleResult(server, Info("m"));
    ServerRecord record{};
    ASSERT_TRUE(room.FindRecord(server, record));
    EXPECT_LT(record.time, 30u);
}

TEST_F(ReplyTest, WithoutTheLibraryNothingHappens) {
    context.withLibrary = false;
    bool parsed = false;
    context.protocols.parse = [&](auto&, auto&, auto*, auto*, auto*, bool*, auto&) {
        parsed = true;
    };
    Receive(browser, Address(1, 1));
    EXPECT_FALSE(parsed);
    EXPECT_EQ(context.SentCount(), 0u);
}
