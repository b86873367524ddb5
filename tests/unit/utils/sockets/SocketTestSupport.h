// Loopback helpers for the socket tests: recording sockets, a TCP far side and byte helpers.
#pragma once

#include "Eventually.h"

#include "utils/ClientSocket.h"
#include "utils/InStreamT.h"
#include "utils/OutStreamT.h"
#include "utils/SocketShim.h"
#include "utils/UdpSocket.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace SocketTest {

constexpr uint32_t kLoopback = 0x7F000001;
using TestSupport::Eventually;
using TestSupport::kPatience;

Utils::OutStreamT<unsigned char> StreamOf(const std::string& bytes);
// The bytes from the read position to the end.
std::string TextOf(Utils::InStreamT<unsigned char>& stream);

// What callbacks saw, filled on a receive thread and read by the test.
template <typename Item> class Inbox {
public:
    void Put(Item item) {
        std::lock_guard<std::mutex> guard(lock);
        items.push_back(std::move(item));
        changed.notify_all();
    }
    // False when fewer than count items came within kPatience.
    bool WaitFor(size_t count) {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, kPatience, [&] { return items.size() >= count; });
    }
    std::vector<Item> Items() {
        std::lock_guard<std::mutex> guard(lock);
        return items;
    }

private:
    std::mutex lock; // guards items
    std::condition_variable changed;
    std::vector<Item> items;
};

struct Datagram {
    uint32_t ip;
    uint16_t port;
    std::string bytes;
};

class RecordingUdp : public Utils::UdpSocket {
public:
    explicit RecordingUdp(uint16_t port = 0, uint32_t ip = kLoopback) : UdpSocket(port, ip) {}
    ~RecordingUdp() override { Close(); }
    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override {
        inbox.Put({ip, port, TextOf(stream)});
    }

    Inbox<Datagram> inbox;
};

class RecordingClient : public Utils::ClientSocket {
public:
    ~RecordingClient() override { Close(); }
    void OnReceive(Utils::InStreamT<unsigned char>& stream) override { pieces.Put(TextOf(stream)); }
    void OnClose(int32_t error) override { closes.Put(error); }

    uint32_t PeerIp() const { return ip; }
    uint16_t PeerPort() const { return port; }
    // Everything received so far, once at least count bytes came (or kPatience passed).
    std::string WaitForText(size_t count);

    Inbox<std::string> pieces;
    Inbox<int32_t> closes;
};

// The far side of a TCP connection: a loopback listener and the one connection it accepts.
class TcpPeer {
public:
    TcpPeer();
    ~TcpPeer();
    TcpPeer(const TcpPeer&) = delete;
    TcpPeer& operator=(const TcpPeer&) = delete;

    uint16_t Port() const { return port; }
    bool Accept();
    bool Send(const std::string& bytes);
    // Up to count bytes, fewer when the connection ends or kPatience passes.
    std::string Receive(size_t count);
    // True when the connection ended from the other side within kPatience.
    bool WaitForEnd();
    void Close();
    // Closes so that the other side sees a reset.
    void Reset();

private:
    // Appends what comes until count bytes came (false) or the connection ended (true), or
    // kPatience passed (false).
    bool ReadUntil(std::string& text, size_t count);

    Utils::SocketShim::Handle listener = Utils::SocketShim::kNoSocket;
    Utils::SocketShim::Handle connection = Utils::SocketShim::kNoSocket;
    uint16_t port = 0;
};

// A loopback port with nothing bound to it (it was free a moment ago).
uint16_t ClosedUdpPort();

// Whether TcpPeer::Reset may reach the other side as an orderly end (OnClose with 0).
bool ResetMayArriveAsEnd();

} // namespace SocketTest
