#include "panels/BuddyServerRelay.h"
#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/QueryContext.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Portico {
namespace {

// One event of the relay, in the order it happened: a panel message, a probe, a cancel or a
// protocol send. Pointers in messages are read during the send, as the real panel does.
struct Event {
    std::string what;
    uint32_t key = 0;
    uint32_t gameId = 0;
    uint32_t ip = 0;
    uint16_t port = 0;
    bool nullName = false;
    std::u16string name;
    std::vector<uint8_t> bytes;
};

Event Make(const char* what, uint32_t key, uint32_t gameId = 0, uint32_t ip = 0,
           uint16_t port = 0) {
    Event e;
    e.what = what;
    e.key = key;
    e.gameId = gameId;
    e.ip = ip;
    e.port = port;
    return e;
}

class RecordingContext : public BuddyRelayContext, public MessageWindow {
public:
    std::vector<Event> events;
    bool attached = true;
    uint32_t runningGame = 0;
    bool sendResult = true;

    bool SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) override {
        Event e;
        e.what = "send" + std::to_string(type);
        if (data)
            e.bytes.assign(data, data + length);
        else
            EXPECT_EQ(length, 0u);
        events.push_back(e);
        return sendResult;
    }
    MessageWindow* BuddyWindow() override { return attached ? this : nullptr; }
    void ProbeServer(const ServerAddress& address, uint32_t tag) override {
        events.push_back(Make("probe", tag, address.gameId, address.ip, address.port));
    }
    void CancelProbe(uint32_t tag) override { events.push_back(Make("cancel", tag)); }
    uint32_t RunningGameId() override { return runningGame; }

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        Event e;
        if (message == kMsgBuddyNoServer) {
            e.what = "none";
            e.key = uint32_t(wParam);
        } else if (message == kMsgBuddyGame) {
            const auto* answer = reinterpret_cast<const ProbeAnswer*>(wParam);
            e.what = "game";
            e.key = answer->tag;
            e.gameId = answer->gameId;
            EXPECT_EQ(answer->needPass, 0);
            const auto* name = reinterpret_cast<const char16_t*>(lParam);
            e.nullName = name == nullptr;
            if (name)
                e.name = name;
        } else if (message == kMsgBuddyAddress) {
            const auto* address = reinterpret_cast<const ServerAddress*>(lParam);
            e = Make("address", uint32_t(wParam), address->gameId, address->ip, address->port);
        } else {
            e.what = "other";
        }
        events.push_back(e);
        return 0;
    }
};

std::vector<uint8_t> Entry(uint32_t key, uint16_t game, uint32_t ip, uint16_t port) {
    std::vector<uint8_t> out;
    auto put = [&out](uint32_t v, int n) {
        for (int i = 0; i < n; ++i)
            out.push_back(uint8_t(v >> (8 * i)));
    };
    put(key, 4);
    put(game, 2);
    put(ip, 4);
    put(port, 2);
    return out;
}

std::vector<uint8_t> AllBuddies(uint16_t count, const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> out{uint8_t(count), uint8_t(count >> 8)};
    for (const auto& e : entries)
        out.insert(out.end(), e.begin(), e.end());
    return out;
}

class RelayTest : public ::testing::Test {
protected:
    RecordingContext context;
    BuddyServerRelay relay{context};

    void Deliver(uint8_t type, const std::vector<uint8_t>& bytes) {
        ByteInStream in(bytes.data(), uint32_t(bytes.size()));
        relay.Receive(type, in);
    }
    std::vector<std::string> Kinds() const {
        std::vector<std::string> kinds;
        for (const auto& e : context.events)
            kinds.push_back(e.what);
        return kinds;
    }
};

TEST_F(RelayTest, RequestSendsTypeFourWithEmptyPayload) {
    EXPECT_TRUE(relay.Request());
    ASSERT_EQ(context.events.size(), 1u);
    EXPECT_EQ(context.events[0].what, "send4");
    EXPECT_TRUE(context.events[0].bytes.empty());
    context.sendResult = false;
    EXPECT_FALSE(relay.Request());
}

TEST_F(RelayTest, AnnouncementCarriesRunningGameAndLittleEndianAddress) {
    context.runningGame = 1003;
    relay.Announce(0x7F000001, 27015);
    ASSERT_EQ(context.events.size(), 1u);
    EXPECT_EQ(context.events[0].what, "send7");
    const std::vector<uint8_t> expected{0xEB, 0x03, 0x01, 0x00, 0x00, 0x7F, 0x87, 0x69};
    EXPECT_EQ(context.events[0].bytes, expected);
}

TEST_F(RelayTest, WithoutAnAddressTheGameIdIsZero) {
    context.runningGame = 1028;
    relay.Announce(0, 27015);
    ASSERT_EQ(context.events.size(), 1u);
    EXPECT_EQ(context.events[0].bytes, (std::vector<uint8_t>{0, 0, 0, 0, 0, 0, 0x87, 0x69}));
}

TEST_F(RelayTest, AddressZeroCancelsProbeAndClearsWhateverPortAndGame) {
    Deliver(kRelayOneBuddy, Entry(42, 1003, 0, 27015));
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"cancel", "none"}));
    EXPECT_EQ(context.events[0].key, 42u);
    EXPECT_EQ(context.events[1].key, 42u);
}

TEST_F(RelayTest, OneBuddyOnAServerGivesGameThenAddressThenProbe) {
    Deliver(kRelayOneBuddy, Entry(42, 1028, 0x7F000002, 27016));
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"game", "address", "probe"}));
    EXPECT_EQ(context.events[0].key, 42u);
    EXPECT_EQ(context.events[0].gameId, 1028u);
    EXPECT_TRUE(context.events[0].nullName);
    for (int i = 1; i < 3; ++i) {
        EXPECT_EQ(context.events[i].key, 42u);
        EXPECT_EQ(context.events[i].ip, 0x7F000002u);
        EXPECT_EQ(context.events[i].port, 27016);
        EXPECT_EQ(context.events[i].gameId, 1028u);
    }
}

TEST_F(RelayTest, AllBuddiesHandledInOrderWithEmptyNames) {
    Deliver(kRelayAllBuddies,
            AllBuddies(2, {Entry(1, 1003, 0x7F000001, 27015), Entry(2, 1005, 0, 0)}));
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"game", "address", "probe", "cancel", "none"}));
    EXPECT_FALSE(context.events[0].nullName);
    EXPECT_TRUE(context.events[0].name.empty());
    EXPECT_EQ(context.events[3].key, 2u);
}

TEST_F(RelayTest, CountBeyondThePayloadStopsAtItsEnd) {
    Deliver(kRelayAllBuddies, AllBuddies(60000, {Entry(9, 1003, 0, 0)}));
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"cancel", "none"}));
}

TEST_F(RelayTest, ShortEntryReadsMissingFieldsAsZero) {
    // Key and game id only: the address reads as 0, so the buddy is on no server.
    std::vector<uint8_t> bytes = Entry(77, 1003, 0x7F000001, 27015);
    bytes.resize(6);
    Deliver(kRelayOneBuddy, bytes);
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"cancel", "none"}));
    EXPECT_EQ(context.events[0].key, 77u);

    context.events.clear();
    Deliver(kRelayOneBuddy, {});
    ASSERT_EQ(Kinds(), (std::vector<std::string>{"cancel", "none"}));
    EXPECT_EQ(context.events[0].key, 0u);
}

TEST_F(RelayTest, ZeroOrShortCountOrOtherTypesDoNothing) {
    Deliver(kRelayAllBuddies, AllBuddies(0, {Entry(5, 1003, 0x7F000001, 27015)}));
    Deliver(kRelayAllBuddies, {});
    Deliver(kRelayAllBuddies, {1});
    Deliver(3, Entry(1, 1003, 0x7F000001, 27015));
    Deliver(0, {});
    Deliver(255, Entry(1, 1003, 0x7F000001, 27015));
    EXPECT_TRUE(context.events.empty());
}

TEST_F(RelayTest, WithoutThePanelOnlyTheSchedulerHearsOfIt) {
    context.attached = false;
    Deliver(kRelayOneBuddy, Entry(3, 1003, 0x7F000001, 27015));
    Deliver(kRelayOneBuddy, Entry(3, 1003, 0, 0));
    EXPECT_EQ(Kinds(), (std::vector<std::string>{"probe", "cancel"}));
}

} // namespace
} // namespace Portico
