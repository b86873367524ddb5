#include "panels/BuddyServerRelay.h"
#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/QueryContext.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace Portico {
namespace {

using Bytes = std::vector<uint8_t>;
using Events = std::vector<std::string>;

std::string Describe(const char* what, uint32_t key, uint32_t gameId, uint32_t ip, uint16_t port) {
    char text[80];
    std::snprintf(text, sizeof text, "%s %u %u %08x:%u", what, key, gameId, ip, port);
    return text;
}

// Every event of the relay in order, as text: panel messages, probes, cancels and sends.
// Pointers in messages are read during the send, as the real panel does.
class RecordingContext : public BuddyRelayContext, public MessageWindow {
public:
    Events events;
    bool attached = true;
    uint32_t runningGame = 0;
    bool sendResult = true;

    bool SendProtocolMessage(uint8_t type, const uint8_t* data, uint32_t length) override {
        std::string text = "send" + std::to_string(type);
        for (uint32_t i = 0; i < length; ++i) {
            char hex[4];
            std::snprintf(hex, sizeof hex, " %02x", data[i]);
            text += hex;
        }
        events.push_back(text);
        return sendResult;
    }
    MessageWindow* BuddyWindow() override { return attached ? this : nullptr; }
    void ProbeServer(const ServerAddress& address, uint32_t tag) override {
        events.push_back(Describe("probe", tag, address.gameId, address.ip, address.port));
    }
    void CancelProbe(uint32_t tag) override { events.push_back("cancel " + std::to_string(tag)); }
    uint32_t RunningGameId() override { return runningGame; }

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (message == kMsgBuddyNoServer) {
            events.push_back("none " + std::to_string(wParam));
        } else if (message == kMsgBuddyGame) {
            const auto* answer = reinterpret_cast<const ProbeAnswer*>(wParam);
            const auto* name = reinterpret_cast<const char16_t*>(lParam);
            const std::string named =
                name ? std::to_string(std::char_traits<char16_t>::length(name)) : "no";
            events.push_back("game " + std::to_string(answer->tag) + " " +
                             std::to_string(answer->gameId) + " pass " +
                             std::to_string(answer->needPass) + " name " + named);
        } else if (message == kMsgBuddyAddress) {
            const auto* address = reinterpret_cast<const ServerAddress*>(lParam);
            events.push_back(
                Describe("address", uint32_t(wParam), address->gameId, address->ip, address->port));
        } else {
            events.push_back("other");
        }
        return 0;
    }
};

Bytes Entry(uint32_t key, uint16_t game, uint32_t ip, uint16_t port) {
    Bytes out;
    for (auto [value, n] : {std::pair<uint32_t, int>{key, 4}, {game, 2}, {ip, 4}, {port, 2}})
        for (int i = 0; i < n; ++i)
            out.push_back(uint8_t(value >> (8 * i)));
    return out;
}

Bytes AllBuddies(uint16_t count, std::initializer_list<Bytes> entries) {
    Bytes out{uint8_t(count), uint8_t(count >> 8)};
    for (const Bytes& e : entries)
        out.insert(out.end(), e.begin(), e.end());
    return out;
}

Bytes Cut(Bytes bytes, size_t size) {
    bytes.resize(size);
    return bytes;
}

class RelayTest : public ::testing::Test {
protected:
    RecordingContext context;
    BuddyServerRelay relay{context};

    void Deliver(uint8_t type, const Bytes& bytes) {
        ByteInStream in(bytes.data(), uint32_t(bytes.size()));
        relay.Receive(type, in);
    }
};

TEST_F(RelayTest, RequestAndAnnouncementsAreSentLittleEndian) {
    EXPECT_TRUE(relay.Request());
    context.runningGame = 1003;
    relay.Announce(0x7F000001, 27015);
    context.runningGame = 1028;
    relay.Announce(0, 27015); // on no server: game id 0
    EXPECT_EQ(context.events,
              (Events{"send4", "send7 eb 03 01 00 00 7f 87 69", "send7 00 00 00 00 00 00 87 69"}));
    context.sendResult = false;
    EXPECT_FALSE(relay.Request());
}

TEST_F(RelayTest, EntriesBecomePanelMessagesAndProbesReadNoFurtherThanThePayload) {
    const std::string server = "1028 7f000002:27016";
    const struct {
        const char* name;
        uint8_t type;
        Bytes payload;
        Events events;
    } cases[] = {
        {"one buddy on a server: game, address, probe",
         kRelayOneBuddy,
         Entry(42, 1028, 0x7F000002, 27016),
         {"game 42 1028 pass 0 name no", "address 42 " + server, "probe 42 " + server}},
        {"address 0 cancels whatever the port and game",
         kRelayOneBuddy,
         Entry(42, 1003, 0, 27015),
         {"cancel 42", "none 42"}},
        {"a short entry reads its missing address as 0",
         kRelayOneBuddy,
         Cut(Entry(77, 1003, 0x7F000001, 27015), 6),
         {"cancel 77", "none 77"}},
        {"all buddies in order, with empty names",
         kRelayAllBuddies,
         AllBuddies(2, {Entry(1, 1028, 0x7F000002, 27016), Entry(2, 1005, 0, 0)}),
         {"game 1 1028 pass 0 name 0", "address 1 " + server, "probe 1 " + server, "cancel 2",
          "none 2"}},
        {"a count beyond the payload stops at its end",
         kRelayAllBuddies,
         AllBuddies(60000, {Entry(9, 1003, 0, 0)}),
         {"cancel 9", "none 9"}},
        {"count 0", kRelayAllBuddies, AllBuddies(0, {Entry(5, 1003, 0x7F000001, 27015)}), {}},
        {"no count", kRelayAllBuddies, {}, {}},
        {"half a count", kRelayAllBuddies, {1}, {}},
        {"type 3", 3, Entry(1, 1003, 0x7F000001, 27015), {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        context.events.clear();
        Deliver(c.type, c.payload);
        EXPECT_EQ(context.events, c.events);
    }
}

TEST_F(RelayTest, WithoutThePanelOnlyTheSchedulerHearsOfIt) {
    context.attached = false;
    Deliver(kRelayOneBuddy, Entry(3, 1003, 0x7F000001, 27015));
    Deliver(kRelayOneBuddy, Entry(3, 1003, 0, 0));
    EXPECT_EQ(context.events, (Events{"probe 3 1003 7f000001:27015", "cancel 3"}));
}

} // namespace
} // namespace Portico
