#include "SocketTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

using namespace SocketTest;

namespace {

// Closes itself from its own receive thread on the first datagram.
class SelfClosingUdp : public RecordingUdp {
public:
    ~SelfClosingUdp() override { Close(); }
    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override {
        Close();
        RecordingUdp::OnReceive(ip, port, stream);
    }
};

// Owned by a holder that it empties from its own receive thread on the first datagram, as a
// console closing its pool from a callback does; reports its port once destroyed.
class OwnedUdp : public Utils::UdpSocket {
public:
    OwnedUdp(std::unique_ptr<OwnedUdp>& holder, Inbox<uint16_t>& gone)
        : UdpSocket(0, kLoopback), holder(holder), gone(gone) {}
    ~OwnedUdp() override { Close(); }
    void OnReceive(uint32_t, uint16_t, Utils::InStreamT<unsigned char>&) override {
        Inbox<uint16_t>& report = gone;
        const uint16_t port = LocalPort();
        holder.reset();
        report.Put(port);
    }

private:
    std::unique_ptr<OwnedUdp>& holder;
    Inbox<uint16_t>& gone;
};

} // namespace

TEST(UdpSocketBinding, TakenPortIsReportedAndOtherFailuresAreNot) {
    RecordingUdp first;
    ASSERT_TRUE(first.Start());
    EXPECT_TRUE(first.IsRunning());
    EXPECT_FALSE(first.AddressInUse());

    RecordingUdp second(first.LocalPort(), kLoopback);
    EXPECT_FALSE(second.Start());
    EXPECT_FALSE(second.IsRunning());
    EXPECT_TRUE(second.AddressInUse());

    // 192.0.2.1 is a documentation address that no interface of this machine has: binding to
    // it fails (Wine alone lets it succeed), and not because a port is taken.
    RecordingUdp foreign(0, 0xC0000201);
    EXPECT_FALSE(foreign.AddressInUse());
}

TEST(UdpSocketTraffic, RoundTripCarriesBytesAndSender) {
    RecordingUdp a, b;
    ASSERT_TRUE(a.Start());
    ASSERT_TRUE(b.Start());
    ASSERT_TRUE(a.SendTo(StreamOf("hello"), kLoopback, b.LocalPort()));
    ASSERT_TRUE(b.inbox.WaitFor(1));
    const Datagram got = b.inbox.Items()[0];
    EXPECT_EQ(got.bytes, "hello");
    EXPECT_EQ(got.ip, kLoopback);
    EXPECT_EQ(got.port, a.LocalPort());

    ASSERT_TRUE(b.SendTo(StreamOf(std::string("re\0ply", 6)), got.ip, got.port));
    ASSERT_TRUE(a.inbox.WaitFor(1));
    EXPECT_EQ(a.inbox.Items()[0].bytes, std::string("re\0ply", 6));
}

TEST(UdpSocketTraffic, DatagramWaitingBeforeStartArrivesAfterIt) {
    RecordingUdp sender, late;
    ASSERT_TRUE(sender.SendTo(StreamOf("early"), kLoopback, late.LocalPort()));
    EXPECT_FALSE(late.IsRunning());
    ASSERT_TRUE(late.Start());
    EXPECT_FALSE(late.Start());
    ASSERT_TRUE(late.inbox.WaitFor(1));
    EXPECT_EQ(late.inbox.Items()[0].bytes, "early");
}

TEST(UdpSocketFaults, OversizedDatagramIsDroppedAndReceivingGoesOn) {
    RecordingUdp sender, receiver;
    ASSERT_TRUE(receiver.Start());
    const uint16_t to = receiver.LocalPort();
    ASSERT_TRUE(sender.SendTo(StreamOf(std::string(4097, 'x')), kLoopback, to));
    ASSERT_TRUE(sender.SendTo(StreamOf(std::string(4096, 'z')), kLoopback, to));
    ASSERT_TRUE(sender.SendTo(StreamOf("after"), kLoopback, to));
    ASSERT_TRUE(receiver.inbox.WaitFor(2));
    const std::vector<Datagram> got = receiver.inbox.Items();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_EQ(got[0].bytes, std::string(4096, 'z'));
    EXPECT_EQ(got[1].bytes, "after");
    EXPECT_TRUE(receiver.IsRunning());
}

TEST(UdpSocketFaults, UnreachablePortReportedBackDoesNotStopReceiving) {
    RecordingUdp querier, server;
    ASSERT_TRUE(querier.Start());
    ASSERT_TRUE(server.Start());
    const uint16_t closed = ClosedUdpPort();
    ASSERT_NE(closed, 0);
    ASSERT_TRUE(querier.SendTo(StreamOf("nobody"), kLoopback, closed));
    ASSERT_TRUE(querier.SendTo(StreamOf("ping"), kLoopback, server.LocalPort()));
    ASSERT_TRUE(server.inbox.WaitFor(1));
    ASSERT_TRUE(server.SendTo(StreamOf("pong"), kLoopback, querier.LocalPort()));
    ASSERT_TRUE(querier.inbox.WaitFor(1));
    EXPECT_EQ(querier.inbox.Items()[0].bytes, "pong");
    EXPECT_TRUE(querier.IsRunning());
}

TEST(UdpSocketSend, EmptyStreamSucceedsWithoutSocket) {
    RecordingUdp socket;
    socket.Close();
    EXPECT_TRUE(socket.SendTo(Utils::OutStreamT<unsigned char>(), kLoopback, 9));
    EXPECT_FALSE(socket.SendTo(StreamOf("x"), kLoopback, 9));
}

TEST(UdpSocketClose, WakesTheWaitingThreadAndIsIdempotent) {
    RecordingUdp socket;
    ASSERT_TRUE(socket.Start());
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let it block in its wait
    socket.Close();
    EXPECT_FALSE(socket.IsRunning());
    EXPECT_EQ(socket.LocalPort(), 0);
    socket.Close();
    EXPECT_FALSE(socket.Start());
}

TEST(UdpSocketClose, FromOwnCallbackStopsReceiving) {
    SelfClosingUdp socket;
    RecordingUdp sender;
    ASSERT_TRUE(socket.Start());
    ASSERT_TRUE(sender.SendTo(StreamOf("stop"), kLoopback, socket.LocalPort()));
    ASSERT_TRUE(socket.inbox.WaitFor(1));
    EXPECT_FALSE(socket.IsRunning());
}

TEST(UdpSocketClose, DestroyedFromOwnCallbackFreesItsPort) {
    Inbox<uint16_t> gone;
    std::unique_ptr<OwnedUdp> socket;
    socket.reset(new OwnedUdp(socket, gone));
    const uint16_t port = socket->LocalPort(); // the socket is not touched once it runs
    ASSERT_TRUE(socket->Start());
    RecordingUdp sender;
    // The second datagram waits in the buffer of a socket that no longer exists.
    ASSERT_TRUE(sender.SendTo(StreamOf("one"), kLoopback, port));
    ASSERT_TRUE(sender.SendTo(StreamOf("two"), kLoopback, port));
    ASSERT_TRUE(gone.WaitFor(1));
    EXPECT_EQ(gone.Items()[0], port);
    EXPECT_EQ(socket, nullptr);
    EXPECT_TRUE(Eventually([&] { return RecordingUdp(port, kLoopback).LocalPort() == port; }));
}
