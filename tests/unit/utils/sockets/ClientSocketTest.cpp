#include "SocketTestSupport.h"

#include <gtest/gtest.h>

#include <atomic>

using namespace SocketTest;

namespace {

// Tries to reconnect from its own OnClose, which must be refused.
class ReconnectingClient : public RecordingClient {
public:
    ~ReconnectingClient() override { Close(); }
    void OnClose(int32_t error) override {
        reconnected = Connect(kLoopback, PeerPort());
        RecordingClient::OnClose(error);
    }
    std::atomic<bool> reconnected{true};
};

enum class Vanish { OnReceive, OnClose };

// Deletes itself from the named callback and reports its local port once gone. Its destructor
// does not call Close, which would shut the connection down before the handle is closed.
class SelfDeletingClient : public Utils::ClientSocket {
public:
    SelfDeletingClient(Vanish when, Inbox<uint16_t>& gone) : when(when), gone(gone) {}
    void OnReceive(Utils::InStreamT<unsigned char>&) override {
        if (when == Vanish::OnReceive)
            DeleteSelf();
    }
    void OnClose(int32_t) override {
        if (when == Vanish::OnClose)
            DeleteSelf();
    }

private:
    void DeleteSelf() {
        Inbox<uint16_t>& report = gone;
        const uint16_t port = Utils::SocketShim::LocalPort(socket);
        delete this;
        report.Put(port);
    }

    const Vanish when;
    Inbox<uint16_t>& gone;
};

// Connects the client to the peer and lets the peer accept it.
bool Join(Utils::ClientSocket& client, TcpPeer& peer) {
    return client.Connect(kLoopback, peer.Port()) && peer.Accept();
}

// Binding fails while any socket still holds the port.
bool TcpPortFree(uint16_t port) {
    namespace Shim = Utils::SocketShim;
    const Shim::Handle probe = Shim::OpenStream();
    const bool bound = Shim::Bind(probe, kLoopback, port) == 0;
    Shim::CloseSocket(probe);
    return bound;
}

} // namespace

TEST(ClientSocketConnection, PiecesBothWaysThenPeerCloseGivesOneOnCloseWithZero) {
    TcpPeer peer;
    RecordingClient client;
    ASSERT_TRUE(Join(client, peer));
    EXPECT_TRUE(client.IsRunning());
    EXPECT_EQ(client.PeerIp(), kLoopback);
    EXPECT_EQ(client.PeerPort(), peer.Port());

    EXPECT_TRUE(client.Send(StreamOf("ab")));
    EXPECT_TRUE(client.Send(StreamOf("cde")));
    EXPECT_TRUE(client.Send(StreamOf(std::string(5000, 'f'))));
    EXPECT_EQ(peer.Receive(5005), "abcde" + std::string(5000, 'f'));

    ASSERT_TRUE(peer.Send("hel"));
    ASSERT_TRUE(peer.Send("lo"));
    EXPECT_EQ(client.WaitForText(5), "hello");

    peer.Close();
    ASSERT_TRUE(client.closes.WaitFor(1));
    EXPECT_TRUE(Eventually([&] { return !client.IsRunning(); }));
    EXPECT_FALSE(client.Send(StreamOf("late")));
    client.Close();
    EXPECT_EQ(client.closes.Items(), std::vector<int32_t>{0});
}

TEST(ClientSocketConnection, PeerResetGivesOneOnCloseWithTheError) {
    TcpPeer peer;
    RecordingClient client;
    ASSERT_TRUE(Join(client, peer));
    peer.Reset();
    // Sends race the receive thread to notice the reset; only one of them may report it.
    for (int i = 0; i < 100 && client.Send(StreamOf("x")); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_TRUE(client.closes.WaitFor(1));
    client.Close();
    const std::vector<int32_t> closes = client.closes.Items();
    ASSERT_EQ(closes.size(), 1u);
    if (ResetMayArriveAsEnd()) {
        EXPECT_TRUE(closes[0] == 0 || closes[0] == Utils::SocketShim::Error::kConnectionReset);
    } else {
        EXPECT_EQ(closes[0], Utils::SocketShim::Error::kConnectionReset);
    }
}

TEST(ClientSocketConnection, ConnectToClosedPortFails) {
    uint16_t closed;
    {
        TcpPeer gone;
        closed = gone.Port();
    }
    RecordingClient client;
    EXPECT_FALSE(client.Connect(kLoopback, closed));
    EXPECT_FALSE(client.IsRunning());
    EXPECT_EQ(client.PeerIp(), 0u);
    EXPECT_FALSE(client.Send(StreamOf("x")));
}

TEST(ClientSocketConnection, ConnectFromOwnOnCloseIsRefusedAndLaterConnectWorks) {
    TcpPeer first;
    ReconnectingClient client;
    ASSERT_TRUE(Join(client, first));
    first.Close();
    ASSERT_TRUE(client.closes.WaitFor(1));
    EXPECT_FALSE(client.reconnected);

    TcpPeer second;
    ASSERT_TRUE(Join(client, second));
    EXPECT_EQ(client.PeerPort(), second.Port());
    ASSERT_TRUE(second.Send("again"));
    EXPECT_EQ(client.WaitForText(5), "again");
}

TEST(ClientSocketSend, EmptyStreamSucceedsOnlyWhenConnected) {
    RecordingClient client;
    EXPECT_FALSE(client.Send(Utils::OutStreamT<unsigned char>()));
    TcpPeer peer;
    ASSERT_TRUE(Join(client, peer));
    EXPECT_TRUE(client.Send(Utils::OutStreamT<unsigned char>()));
    EXPECT_TRUE(client.Send(StreamOf("x")));
    EXPECT_EQ(peer.Receive(1), "x");
}

TEST(ClientSocketClose, WakesTheWaitingThreadWithoutOnClose) {
    TcpPeer peer;
    RecordingClient client;
    ASSERT_TRUE(Join(client, peer));
    std::this_thread::sleep_for(std::chrono::milliseconds(50)); // let it block in its wait
    client.Close();
    EXPECT_FALSE(client.IsRunning());
    EXPECT_TRUE(peer.WaitForEnd());
    client.Close();
    EXPECT_TRUE(client.closes.Items().empty());
    EXPECT_FALSE(client.Send(StreamOf("x")));
}

// The far side sees the end only once the handle is closed.
TEST(ClientSocketClose, DeletedFromOwnOnReceiveClosesItsHandle) {
    TcpPeer peer;
    Inbox<uint16_t> gone;
    auto* client = new SelfDeletingClient(Vanish::OnReceive, gone);
    ASSERT_TRUE(Join(*client, peer));
    ASSERT_TRUE(peer.Send("bye"));
    ASSERT_TRUE(gone.WaitFor(1));
    EXPECT_TRUE(peer.WaitForEnd());
}

// The peer ends first, so the client's port is not held in a closing state after it goes.
TEST(ClientSocketClose, DeletedFromOwnOnCloseFreesItsPort) {
    TcpPeer peer;
    Inbox<uint16_t> gone;
    auto* client = new SelfDeletingClient(Vanish::OnClose, gone);
    ASSERT_TRUE(Join(*client, peer));
    peer.Close();
    ASSERT_TRUE(gone.WaitFor(1));
    const uint16_t port = gone.Items()[0];
    ASSERT_NE(port, 0);
    EXPECT_TRUE(Eventually([&] { return TcpPortFree(port); }));
}
