// Helpers of the simulator tests: byte texts and a loopback client that records answers.
#pragma once

#include "Eventually.h"

#include "SimConfig.h"
#include "utils/UdpSocket.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace SimTest {

constexpr uint32_t kLoopback = 0x7F000001;
using TestSupport::Eventually;
using TestSupport::kPatience;

// "FF FF FF FF" followed by text (the text may hold NULs when given with its length).
std::string Header(const std::string& rest);
std::string Bytes(const char* data, size_t size);
std::string Le32(uint32_t value);
std::string Le16(uint16_t value);

struct Datagram {
    uint32_t ip;
    uint16_t port;
    std::string bytes;
};

// A UDP socket on 127.0.0.1 that keeps what it receives.
class Client : public Utils::UdpSocket {
public:
    Client();
    ~Client() override { Close(); }

    bool Send(const Portico::SimAddress& to, const std::string& bytes);
    // The first count datagrams received since the last Clear; fewer when kPatience passed.
    std::vector<Datagram> WaitFor(size_t count);
    // Sends and waits for the first answer; empty bytes when none came.
    Datagram Ask(const Portico::SimAddress& to, const std::string& bytes);
    size_t Count();
    void Clear();

    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override;

private:
    std::mutex lock; // guards received
    std::condition_variable changed;
    std::vector<Datagram> received;
};

} // namespace SimTest
