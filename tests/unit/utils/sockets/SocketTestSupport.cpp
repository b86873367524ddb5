#include "SocketTestSupport.h"

#include "utils/SocketStartup.h"

namespace SocketTest {

namespace Shim = Utils::SocketShim;

namespace {

// Winsock start-up for the whole test program (a no-op elsewhere).
const Utils::SocketStartup startup;

constexpr uint32_t kPollMs = 50;

} // namespace

Utils::OutStreamT<unsigned char> StreamOf(const std::string& bytes) {
    Utils::OutStreamT<unsigned char> stream;
    stream.Write(bytes.data(), uint32_t(bytes.size()));
    return stream;
}

std::string TextOf(Utils::InStreamT<unsigned char>& stream) {
    const uint32_t start = stream.Position();
    return std::string(reinterpret_cast<const char*>(stream.Data()) + start, stream.Size() - start);
}

std::string RecordingClient::WaitForText(size_t count) {
    std::string text;
    Eventually([&] {
        text.clear();
        for (const std::string& piece : pieces.Items())
            text += piece;
        return text.size() >= count;
    });
    return text;
}

TcpPeer::TcpPeer() {
    listener = Shim::OpenStream();
    if (listener == Shim::kNoSocket)
        return;
    if (Shim::Bind(listener, kLoopback, 0) == 0 && Shim::Listen(listener) == 0)
        port = Shim::LocalPort(listener);
}

TcpPeer::~TcpPeer() {
    Close();
    if (listener != Shim::kNoSocket)
        Shim::CloseSocket(listener);
}

bool TcpPeer::Accept() {
    if (port == 0 || !Shim::WaitReadable(listener, uint32_t(kPatience.count() * 1000)))
        return false;
    connection = Shim::Accept(listener);
    return connection != Shim::kNoSocket;
}

bool TcpPeer::Send(const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    return Shim::Send(connection, data, uint32_t(bytes.size())) == int32_t(bytes.size());
}

std::string TcpPeer::Receive(size_t count) {
    std::string text;
    ReadUntil(text, count);
    return text;
}

bool TcpPeer::WaitForEnd() {
    std::string ignored;
    return ReadUntil(ignored, SIZE_MAX);
}

bool TcpPeer::ReadUntil(std::string& text, size_t count) {
    const auto deadline = std::chrono::steady_clock::now() + kPatience;
    while (text.size() < count && std::chrono::steady_clock::now() < deadline) {
        if (!Shim::WaitReadable(connection, kPollMs))
            continue;
        uint8_t buffer[256];
        const Shim::Received received = Shim::Receive(connection, buffer, sizeof buffer);
        if (received.outcome == Shim::Outcome::Closed || received.outcome == Shim::Outcome::Error)
            return true;
        text.append(reinterpret_cast<const char*>(buffer), received.size);
    }
    return false;
}

void TcpPeer::Close() {
    if (connection != Shim::kNoSocket)
        Shim::CloseSocket(connection);
    connection = Shim::kNoSocket;
}

void TcpPeer::Reset() {
    if (connection != Shim::kNoSocket)
        Shim::SetAbortiveClose(connection);
    Close();
}

uint16_t ClosedUdpPort() {
    RecordingUdp probe(0, kLoopback);
    return probe.LocalPort();
}

} // namespace SocketTest
