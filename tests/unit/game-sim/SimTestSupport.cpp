#include "SimTestSupport.h"

#include "utils/OutStreamT.h"
#include "utils/SocketStartup.h"

#include <algorithm>

namespace SimTest {

namespace {

// Winsock start-up for the whole test program (a no-op elsewhere).
const Utils::SocketStartup startup;

} // namespace

std::string Header(const std::string& rest) {
    return std::string("\xFF\xFF\xFF\xFF", 4) + rest;
}

std::string Bytes(const char* data, size_t size) {
    return std::string(data, size);
}

std::string Le32(uint32_t value) {
    std::string bytes;
    for (int i = 0; i < 4; ++i)
        bytes += char(value >> (8 * i));
    return bytes;
}

std::string Le16(uint16_t value) {
    return std::string(1, char(value)) + char(value >> 8);
}

Client::Client() : UdpSocket(0, kLoopback) {
    Start();
}

bool Client::Send(const Portico::SimAddress& to, const std::string& bytes) {
    Utils::OutStreamT<unsigned char> stream;
    stream.Write(bytes.data(), uint32_t(bytes.size()));
    return SendTo(stream, to.ip, to.port);
}

std::vector<Datagram> Client::WaitFor(size_t count) {
    std::unique_lock<std::mutex> guard(lock);
    changed.wait_for(guard, kPatience, [&] { return received.size() >= count; });
    return std::vector<Datagram>(received.begin(),
                                 received.begin() + std::min(count, received.size()));
}

Datagram Client::Ask(const Portico::SimAddress& to, const std::string& bytes) {
    Clear();
    if (!Send(to, bytes))
        return Datagram{0, 0, std::string()};
    const std::vector<Datagram> answers = WaitFor(1);
    return answers.empty() ? Datagram{0, 0, std::string()} : answers[0];
}

size_t Client::Count() {
    std::lock_guard<std::mutex> guard(lock);
    return received.size();
}

void Client::Clear() {
    std::lock_guard<std::mutex> guard(lock);
    received.clear();
}

void Client::OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) {
    const auto* data = reinterpret_cast<const char*>(stream.Data()) + stream.Position();
    std::lock_guard<std::mutex> guard(lock);
    received.push_back(Datagram{ip, port, std::string(data, stream.Remaining())});
    changed.notify_all();
}

} // namespace SimTest
