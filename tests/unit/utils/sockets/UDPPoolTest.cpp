#include "query/UDPPoolT.h"

#include "SocketTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace SocketTest;

namespace {

// Counts its live instances, so a test can tell that the pool released every socket.
class CountedUdp : public RecordingUdp {
public:
    CountedUdp(uint16_t port, uint32_t ip) : RecordingUdp(port, ip) { ++alive; }
    ~CountedUdp() override {
        Close();
        --alive;
    }
    static std::atomic<int> alive;
};

std::atomic<int> CountedUdp::alive{0};

using Pool = Portico::UDPPoolT<CountedUdp>;

// The port the browser's pool starts from.
constexpr uint16_t kQueryPort = 20100;

bool PortTaken(uint16_t port) {
    RecordingUdp probe(port, 0);
    return probe.AddressInUse();
}

} // namespace

TEST(UDPPoolOpen, TakenPortIsSkipped) {
    RecordingUdp other(kQueryPort, 0); // may fail when someone else holds it: taken either way
    Pool pool;
    pool.SetPort(kQueryPort);
    ASSERT_TRUE(pool.Open(2));
    ASSERT_NE(pool.GetSocket(0), nullptr);
    ASSERT_NE(pool.GetSocket(1), nullptr);
    const uint16_t first = pool.GetSocket(0)->LocalPort();
    const uint16_t second = pool.GetSocket(1)->LocalPort();
    // 20101 and 20102 unless other programs hold those too: every skipped port must be taken.
    EXPECT_GT(first, kQueryPort);
    EXPECT_GT(second, first);
    for (uint16_t port = kQueryPort + 1; port < second; ++port) {
        if (port != first) {
            EXPECT_TRUE(PortTaken(port)) << port;
        }
    }
    EXPECT_TRUE(pool.GetSocket(0)->IsRunning());
}

TEST(UDPPoolOpen, ZeroSocketsClosesEverything) {
    Pool pool;
    pool.SetPort(61300);
    ASSERT_TRUE(pool.Open(2));
    EXPECT_TRUE(PortTaken(pool.GetSocket(0)->LocalPort()));
    EXPECT_EQ(CountedUdp::alive, 2);
    EXPECT_TRUE(pool.Open(0));
    EXPECT_EQ(pool.GetSocket(0), nullptr);
    EXPECT_EQ(CountedUdp::alive, 0);
}

TEST(UDPPoolOpen, StopsAtLastPortWithNothingLeftOpen) {
    Pool pool;
    pool.SetPort(65535);
    EXPECT_FALSE(pool.Open(2));
    EXPECT_EQ(pool.GetSocket(0), nullptr);
    EXPECT_EQ(CountedUdp::alive, 0);
    pool.SetPort(61500);
    EXPECT_TRUE(pool.Open(2)); // usable again after the failure
    EXPECT_NE(pool.GetSocket(1), nullptr);
}

TEST(UDPPoolSockets, GetSocketAndSendAreBounded) {
    Pool pool;
    pool.SetPort(61400);
    ASSERT_TRUE(pool.Open(2));
    EXPECT_EQ(pool.GetSocket(-1), nullptr);
    EXPECT_EQ(pool.GetSocket(2), nullptr);
    ASSERT_NE(pool.GetSocket(0), nullptr);
    ASSERT_NE(pool.GetSocket(1), nullptr);
    EXPECT_NE(pool.GetSocket(0), pool.GetSocket(1));
    RecordingUdp target;
    EXPECT_FALSE(pool.Send(kLoopback, target.LocalPort(), StreamOf("x"), 2));
}
