#include "FakeQueryContext.h"

#include "common/Messages.h"
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
    // Every reply is a challenge that asks for a follow-up.
    void AnswerWithChallenges() {
        context.protocols.parse = [](ByteInStream&, const ServerAddress&, auto*, auto*, auto*,
                                     bool* followUp, auto&) { *followUp = true; };
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

TEST_F(ReplyTest, ListsAreTakenOnlyFromAskedAddressesAndOnlyPlayableEntries) {
    const ServerAddress master = Address(1, 1, 27010);
    const ServerAddress loopbackMaster{0x7F000001, 27010, 1};
    context.protocols.parse = [](ByteInStream&, const ServerAddress&,
                                 Utils::ArrayT<ServerAddress>* further, auto*, auto*, bool*,
                                 auto&) {
        further->Append(Address(2, 1));
        further->Append(ServerAddress{0x7F000005, 27015, 1}); // loopback
        further->Append(ServerAddress{0, 27015, 1});
        further->Append(ServerAddress{0xFFFFFFFF, 27015, 1});
        further->Append(ServerAddress{0xE0000001, 27015, 1}); // multicast
        further->Append(Address(2, 2, 0));                    // port 0
    };
    Receive(room, master); // never asked
    EXPECT_TRUE(room.QueuedServers().empty());

    ByteOutStream request;
    request << (unsigned char)1;
    room.AskForList(master.ip, master.port, request);
    // The context hears of the whole list, once its servers are queued.
    size_t listed = 0, queuedByThen = 0;
    context.onList = [&](uint32_t, uint16_t, const Utils::ArrayT<ServerAddress>& list) {
        listed = list.Size();
        queuedByThen = room.QueuedServers().size();
    };
    Receive(room, master);
    EXPECT_EQ(listed, 6u);
    EXPECT_EQ(queuedByThen, 1u);
    EXPECT_EQ(room.QueuedServers(), std::vector<ServerAddress>{Address(2, 1)});
    ServerRecord record{};
    EXPECT_FALSE(room.FindRecord(Address(2, 1), record)); // no record before its query

    // A list from loopback may name loopback servers (the simulator's).
    room.AskForList(loopbackMaster.ip, loopbackMaster.port, request);
    Receive(room, loopbackMaster);
    EXPECT_EQ(room.QueuedServers().size(), 2u);
}

TEST_F(ReplyTest, AChallengeFromAnAddressNeverAskedIsNotAnswered) {
    AnswerWithChallenges();
    Receive(browser, Address(1, 1));
    EXPECT_EQ(context.SentCount(), 0u);
}

TEST_F(ReplyTest, PlayerListGoesToTheOwnersWindow) {
    context.protocols.parse = [](ByteInStream&, const ServerAddress& address, auto*, auto*,
                                 PlayerList* players, bool*, auto&) {
        players->address = address;
        players->entries.Append(PlayerEntry{5, 60, "ann"});
    };
    window.onMessage = [&](uint32_t message, uintptr_t, intptr_t l) {
        if (message != kMsgPlayerList)
            return;
        const auto* seen = reinterpret_cast<const PlayerList*>(l);
        ASSERT_EQ(seen->entries.Size(), 1u);
        EXPECT_STREQ(seen->entries[0].name, "ann");
    };
    Receive(browser, Address(1, 1));
    EXPECT_EQ(window.Count(kMsgPlayerList), 1u);
    Receive(room, Address(1, 1)); // the room scheduler has no window here
    EXPECT_EQ(window.Count(kMsgPlayerList), 1u);
}

TEST_F(ReplyTest, FollowUpRestartsTheTimingOfTheRequestItAnswers) {
    // Two games at one address, neither of them the selected game.
    const ServerAddress first = Address(1, 1, 27015, 2);
    const ServerAddress second = Address(1, 1, 27015, 3);
    room.SetQueuePaused(false);
    room.SetRegionMask(0xFFFF);
    room.AddServer(first, false);
    room.AddServer(second, false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 2; }));
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    AnswerWithChallenges();
    Receive(room, first);
    ASSERT_EQ(context.SentCount(), 3u);
    const SentDatagram detail = context.Sent()[2];
    EXPECT_EQ(detail.bytes, std::vector<unsigned char>{'D'});
    EXPECT_EQ(detail.socketIndex, 1u); // back through the receiving socket
    EXPECT_EQ(detail.ip, first.ip);
    // The answer to the follow-up measures one round trip, not the handshake as well.
    room.HandleResult(first, Info("m"));
    room.HandleResult(second, Info("m"));
    ServerRecord record{};
    ASSERT_TRUE(room.FindRecord(first, record));
    EXPECT_LT(record.time, 40u);
    ASSERT_TRUE(room.FindRecord(second, record));
    EXPECT_LT(record.time, 40u);
}

TEST_F(ReplyTest, AChallengeToThePlayersRequestLeavesTheInfoTimingAlone) {
    const ServerAddress server = Address(1, 1);
    browser.SetQueuePaused(false);
    browser.SetRegionMask(0xFFFF);
    browser.AddServer(server, false);
    ASSERT_TRUE(Eventually([&] { return context.SentCount() == 1; }));
    browser.RequestDetails(server);
    std::this_thread::sleep_for(std::chrono::milliseconds(40));
    AnswerWithChallenges();
    Receive(browser, server);
    ASSERT_EQ(context.SentCount(), 3u); // the players request repeated
    browser.HandleResult(server, Info("m"));
    ServerRecord record{};
    ASSERT_TRUE(browser.FindRecord(server, record));
    EXPECT_GE(record.time, 40u);
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
