// The simulator on real loopback sockets: addresses, faults, challenges, consoles, masters,
// the demo, and stopping.
#include "A2sEncoder.h"
#include "GameServerSimulator.h"
#include "ReplyQueue.h"
#include "SimTestSupport.h"

#include <gtest/gtest.h>

#include <mutex>
#include <set>

namespace Portico {
namespace {

using SimTest::Client;
using SimTest::Datagram;
using SimTest::Eventually;
using SimTest::Header;
using SimTest::Le32;

const std::string kInfo = Header("TSource Engine Query") + '\0';

class RecordingSink : public ReplySink {
public:
    void SendReply(const SimBytes& bytes, uint32_t, uint16_t) override {
        std::lock_guard<std::mutex> guard(lock);
        sent.push_back(bytes);
    }
    std::vector<std::string> Sent() {
        std::lock_guard<std::mutex> guard(lock);
        return sent;
    }

private:
    std::mutex lock; // guards sent
    std::vector<std::string> sent;
};

TEST(ReplyQueue, SendsInOrderOfDueTime) {
    RecordingSink sink;
    ReplyQueue queue;
    ASSERT_TRUE(queue.Start());
    ASSERT_TRUE(queue.Push(&sink, "late", 1, 1, 900));
    ASSERT_TRUE(queue.Push(&sink, "early", 1, 1, 100));
    ASSERT_TRUE(queue.Push(&sink, "middle", 1, 1, 500));
    ASSERT_TRUE(Eventually([&] { return sink.Sent().size() == 3; }));
    EXPECT_EQ((std::vector<std::string>{"early", "middle", "late"}), sink.Sent());
    queue.Stop();
}

TEST(ReplyQueue, StopDropsWhatIsPendingAndRefusesMore) {
    RecordingSink sink;
    ReplyQueue queue;
    EXPECT_FALSE(queue.Push(&sink, "before start", 1, 1, 0));
    ASSERT_TRUE(queue.Start());
    ASSERT_TRUE(queue.Push(&sink, "never", 1, 1, 60000));
    EXPECT_EQ(1u, queue.Pending());
    queue.Stop();
    EXPECT_EQ(0u, queue.Pending());
    EXPECT_FALSE(queue.Push(&sink, "after stop", 1, 1, 0));
    EXPECT_TRUE(sink.Sent().empty());
}

SimServer LoopbackServer(SimProtocol protocol, uint32_t host) {
    SimServer server;
    server.protocol = protocol;
    server.address = SimAddress{0x7F000000 | host, 0};
    server.name = "Loop " + std::to_string(host);
    server.map = "map" + std::to_string(host);
    server.maxPlayers = 8;
    server.players = {{"Ann", 3, 12.5f, 40}};
    return server;
}

// A loopback port that was free a moment ago.
uint16_t FreePort() {
    Client probe;
    return probe.LocalPort();
}

class SimulatorTest : public ::testing::Test {
protected:
    void Serve(const SimConfig& config) {
        std::string error;
        ASSERT_TRUE(simulator.Start(config, error)) << error;
    }
    SimAddress Server(size_t i) const { return simulator.ServerAddresses().at(i); }

    GameServerSimulator simulator;
    Client client;
};

TEST_F(SimulatorTest, AnswersFromTheAddressItReportsAndStartsAgain) {
    SimConfig config;
    config.servers = {LoopbackServer(SimProtocol::Source, 0x0701),
                      LoopbackServer(SimProtocol::Quake3, 0x0702)};
    Serve(config);
    ASSERT_EQ(2u, simulator.ServerAddresses().size());
    if (simulator.UsesPorts()) {
        EXPECT_EQ(0x7F000001u, Server(0).ip);
        EXPECT_NE(Server(0).port, Server(1).port);
    } else {
        EXPECT_EQ(0x7F000701u, Server(0).ip);
        EXPECT_EQ(0x7F000702u, Server(1).ip);
    }
    const Datagram info = client.Ask(Server(0), kInfo);
    EXPECT_EQ(EncodeSourceInfo(config.servers[0]), info.bytes);
    EXPECT_EQ(Server(0).ip, info.ip);
    EXPECT_EQ(Server(0).port, info.port);
    const Datagram status = client.Ask(Server(1), Header("getstatus"));
    EXPECT_EQ(0u, status.bytes.find(Header("statusResponse\n\\sv_hostname\\Loop 1794")));
    EXPECT_EQ(Server(1).port, status.port);
    // Stopping ends it all, and it may start again.
    simulator.Stop();
    EXPECT_FALSE(simulator.Running());
    Serve(config);
}

TEST_F(SimulatorTest, DropRateLosesReplyDatagrams) {
    SimConfig config;
    config.seed = 1234;
    config.servers = {LoopbackServer(SimProtocol::Source, 0x0705),
                      LoopbackServer(SimProtocol::Source, 0x0706)};
    config.servers[0].drop = 1;
    config.servers[1].drop = 0.5;
    Serve(config);
    constexpr uint32_t kRequests = 100;
    for (uint32_t i = 0; i < kRequests; ++i) {
        ASSERT_TRUE(client.Send(Server(0), kInfo));
        ASSERT_TRUE(client.Send(Server(1), kInfo));
        // Paced, so that the loopback buffers never lose a request.
        if (i % 10 == 9) {
            ASSERT_TRUE(Eventually([&] { return simulator.ServerStats(1).requests == i + 1; }));
        }
    }
    ASSERT_TRUE(Eventually([&] {
        return simulator.ServerStats(0).requests == kRequests &&
               simulator.ServerStats(1).requests == kRequests;
    }));
    const SimStats none = simulator.ServerStats(0);
    EXPECT_EQ(kRequests, none.dropped);
    EXPECT_EQ(0u, none.sent);
    const SimStats half = simulator.ServerStats(1);
    EXPECT_EQ(kRequests, half.dropped + half.sent);
    EXPECT_GT(half.dropped, 10u);
    EXPECT_GT(half.sent, 10u);
    ASSERT_TRUE(Eventually([&] { return client.Count() == half.sent; }));
}

TEST_F(SimulatorTest, DelayedRepliesStillArrive) {
    SimConfig config;
    config.servers = {LoopbackServer(SimProtocol::Source, 0x0707)};
    config.servers[0].delayMinMs = 50;
    config.servers[0].delayMaxMs = 150;
    config.servers[0].split = 64;
    config.servers[0].players.resize(10, SimPlayer{"Somebody", 1, 2, 3});
    Serve(config);
    const std::string challenge = client.Ask(Server(0), Header("U") + Le32(0xFFFFFFFF)).bytes;
    ASSERT_EQ('A', challenge.at(4));
    client.Clear();
    ASSERT_TRUE(client.Send(Server(0), Header("U") + challenge.substr(5)));
    const std::string whole = EncodeA2sPlayers(config.servers[0].players);
    const size_t pieces = (whole.size() + 63) / 64;
    const std::vector<Datagram> received = client.WaitFor(pieces);
    ASSERT_EQ(pieces, received.size());
    std::string joined;
    for (size_t i = 0; i < pieces; ++i) {
        EXPECT_EQ(char(i), received[i].bytes.at(9)); // in order, despite the delay
        joined += received[i].bytes.substr(12);
    }
    EXPECT_EQ(whole, joined);
}

TEST_F(SimulatorTest, MastersListTheBoundAddresses) {
    SimConfig config;
    config.servers = {LoopbackServer(SimProtocol::Source, 0x0708),
                      LoopbackServer(SimProtocol::Quake3, 0x0709),
                      LoopbackServer(SimProtocol::GoldSrc, 0x070A)};
    config.servers[2].listed = false;
    config.masters.resize(1);
    config.masters[0].kind = SimMasterKind::Both;
    config.masters[0].address = SimAddress{0x7F000001, 0};
    Serve(config);
    const SimAddress master = simulator.MasterAddress(SimMasterKind::Quake);
    ASSERT_NE(0, master.port);
    EXPECT_EQ(master.port, simulator.MasterAddress(SimMasterKind::Valve).port);

    const auto entry = [](const SimAddress& a) {
        return std::string{char(a.ip >> 24), char(a.ip >> 16),  char(a.ip >> 8),
                           char(a.ip),       char(a.port >> 8), char(a.port)};
    };
    EXPECT_EQ(Header("\x66\x0A") + entry(Server(0)) + std::string(6, '\0'),
              client
                  .Ask(master, std::string("\x31\xFF"
                                           "0.0.0.0:0\0\0",
                                           13))
                  .bytes);
    EXPECT_EQ(Header("getserversResponse\\") + entry(Server(1)) + std::string("\\EOT\0\0\0", 7),
              client.Ask(master, Header("getservers 68 empty full")).bytes);
}

TEST_F(SimulatorTest, PortsAddressingPutsEveryEndpointOnOneAddress) {
    SimConfig config;
    config.addressing = SimAddressing::Ports;
    config.servers = {LoopbackServer(SimProtocol::Source, 0x0801),
                      LoopbackServer(SimProtocol::GoldSrc, 0x0802)};
    config.servers[1].rcon = SimRcon::UdpChallenge;
    config.servers[1].rconPassword = "pw";
    // Configured on 127.0.0.1 itself: keeps its port (one that was free a moment ago).
    config.masters.resize(1);
    config.masters[0].address = SimAddress{0x7F000001, FreePort()};
    Serve(config);
    EXPECT_TRUE(simulator.UsesPorts());
    std::set<uint16_t> ports;
    for (const SimAddress& address : simulator.ServerAddresses()) {
        EXPECT_EQ(0x7F000001u, address.ip);
        ports.insert(address.port);
    }
    EXPECT_EQ(2u, ports.size());
    EXPECT_EQ(config.masters[0].address.port, simulator.MasterAddresses().at(0).port);
    EXPECT_EQ(EncodeSourceInfo(config.servers[1]), client.Ask(Server(1), kInfo).bytes);
    EXPECT_EQ(
        0u,
        client.Ask(Server(1), Header("challenge rcon\n")).bytes.find(Header("challenge rcon ")));
}

TEST(GameServerSimulator, RefusesAddressesOutsideLoopback) {
    SimConfig config;
    config.servers = {LoopbackServer(SimProtocol::Source, 1)};
    config.servers[0].address.ip = 0xC0A80001;
    GameServerSimulator simulator;
    std::string error;
    EXPECT_FALSE(simulator.Start(config, error));
    EXPECT_NE(std::string::npos, error.find("192.168.0.1:0 is outside 127.0.0.0/8")) << error;
    EXPECT_FALSE(simulator.Running());
    EXPECT_TRUE(simulator.ServerAddresses().empty());
}

TEST(GameServerSimulator, TakenAddressFailsTheWholeStart) {
    SimConfig first;
    first.addressing = SimAddressing::Aliases;
    first.servers = {LoopbackServer(SimProtocol::Source, 1)};
    GameServerSimulator one;
    std::string error;
    ASSERT_TRUE(one.Start(first, error)) << error;

    SimConfig second = first;
    second.servers.insert(second.servers.begin(), LoopbackServer(SimProtocol::Quake3, 1));
    second.servers[1].address.port = one.ServerAddresses()[0].port;
    GameServerSimulator two;
    EXPECT_FALSE(two.Start(second, error));
    EXPECT_NE(std::string::npos, error.find("in use")) << error;
    EXPECT_FALSE(two.Running());
    EXPECT_TRUE(two.ServerAddresses().empty());
    // The first one still serves.
    Client client;
    EXPECT_EQ('I', client.Ask(one.ServerAddresses()[0], kInfo).bytes.at(4));
}

} // namespace
} // namespace Portico
