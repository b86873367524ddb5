#include "FakeQueryContext.h"

#include "common/Messages.h"
#include "query/QueryScheduler.h"
#include "query/UDPPoolT.h"
#include "query/UDPWrapper.h"
#include "utils/SocketStartup.h"

#include <gtest/gtest.h>

using namespace Portico;
using namespace Portico::Test;

namespace {

constexpr uint32_t kLoopback = 0x7F000001;

// Answers every datagram at once with one byte.
class InstantServer : public Utils::UdpSocket {
public:
    InstantServer() : UdpSocket(0, kLoopback) { Start(); }
    ~InstantServer() override { Close(); }
    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>&) override {
        Utils::OutStreamT<unsigned char> reply;
        reply << (unsigned char)'R';
        SendTo(reply, ip, port);
    }
};

// Sends through a real pool and parses every 'R' as a full answer for game 1.
class PoolContext : public FakeQueryContext {
public:
    PoolContext() {
        protocols.parse = [](ByteInStream&, const ServerAddress&, auto*, ServerInfo* info, auto*,
                             bool*, Utils::ArrayT<uint32_t>& games) {
            *info = Info("looped");
            games.Append(1);
        };
    }
    bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
              uint32_t socketIndex) override {
        FakeQueryContext::Send(ip, port, datagram, socketIndex);
        return pool->Send(ip, port, datagram, socketIndex);
    }
    // Loopback addresses lie in region 1.
    uint8_t LookupRegion(uint32_t, uint8_t out[3]) override {
        out[0] = 'L';
        out[1] = 'O';
        return 1;
    }
    UDPPoolT<UDPWrapper>* pool = nullptr;
};

} // namespace

// A server that answers at once shows a small positive round trip, never "no answer" and never
// the time since start-up.
TEST(UDPWrapper, RepliesThroughThePoolReachTheOwningScheduler) {
    Utils::SocketStartup startup;
    PoolContext context;
    RecordingWindow browserWindow, roomWindow;
    QueryScheduler browser(context, 0), room(context, 1);
    browser.SetWindow(&browserWindow);
    room.SetWindow(&roomWindow);
    browser.SetRegionMask(0xFFFF);
    room.SetRegionMask(0xFFFF);
    UDPPoolT<UDPWrapper> pool; // closed before the schedulers go
    context.pool = &pool;
    pool.SetPort(0);
    ASSERT_TRUE(pool.Open(2));
    pool.GetSocket(0)->SetOwner(&browser);
    pool.GetSocket(1)->SetOwner(&room);

    InstantServer server;
    const ServerAddress address{kLoopback, server.LocalPort(), 1};
    room.AddServer(address, false);
    ASSERT_TRUE(Eventually([&] {
        ServerRecord record{};
        return room.FindRecord(address, record) && record.status == kStatusReplied;
    }));
    ServerRecord record{};
    ASSERT_TRUE(room.FindRecord(address, record));
    EXPECT_GE(record.time, 1u);
    EXPECT_LT(record.time, 2000u);
    EXPECT_STREQ(record.info.map, "looped");
    EXPECT_EQ(roomWindow.Count(kMsgServerRecord), 2u); // made, then answered
    ServerRecord none{};
    EXPECT_FALSE(browser.FindRecord(address, none)); // the other socket's scheduler saw nothing
}
