#include "RconTcpListener.h"

#include "SimBytes.h"
#include "SourceRcon.h"

#include <system_error>

namespace Portico {

namespace Shim = Utils::SocketShim;

namespace {

// Longest wait of a thread before it looks at the run flag again: a shutdown does not wake a
// waiting thread everywhere.
constexpr uint32_t kWakeMs = 200;
constexpr uint32_t kReceiveBytes = 4096;

bool SendAll(Shim::Handle handle, const SimBytes& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const int32_t n = Shim::Send(handle, reinterpret_cast<const uint8_t*>(bytes.data()) + done,
                                     uint32_t(bytes.size() - done));
        if (n <= 0)
            return false;
        done += size_t(n);
    }
    return true;
}

} // namespace

bool RconTcpListener::Open(const SimAddress& address, std::string& error) {
    const Shim::Handle handle = Shim::OpenStream();
    if (handle == Shim::kNoSocket) {
        error = "cannot open a TCP socket";
        return false;
    }
    int status = Shim::AllowListenerRebind(handle);
    if (status == 0)
        status = Shim::Bind(handle, address.ip, address.port);
    if (status == 0)
        status = Shim::Listen(handle);
    if (status != 0) {
        Shim::CloseSocket(handle);
        error = "cannot listen on TCP " + AddressText(address.ip, address.port) + " (error " +
                std::to_string(status) + ")";
        return false;
    }
    listener = handle;
    port = Shim::LocalPort(handle);
    return true;
}

bool RconTcpListener::Start() {
    if (listener == Shim::kNoSocket || acceptThread.joinable())
        return false;
    running = true;
    try {
        acceptThread = std::thread([this] { AcceptLoop(); });
    } catch (const std::system_error&) {
        running = false;
        return false;
    }
    return true;
}

void RconTcpListener::BeginStop() {
    running = false;
    const Shim::Handle handle = listener;
    if (handle != Shim::kNoSocket)
        Shim::Shutdown(handle);
    std::lock_guard<std::recursive_mutex> guard(lock);
    for (const auto& connection : connections)
        Shim::Shutdown(connection->handle);
}

void RconTcpListener::Stop() {
    BeginStop();
    if (acceptThread.joinable())
        acceptThread.join();
    Reap(true);
    const Shim::Handle handle = listener.exchange(Shim::kNoSocket);
    if (handle != Shim::kNoSocket)
        Shim::CloseSocket(handle);
}

void RconTcpListener::AcceptLoop() {
    while (running) {
        Reap(false);
        if (!Shim::WaitReadable(listener, kWakeMs) || !running)
            continue;
        const Shim::Handle handle = Shim::Accept(listener);
        if (handle == Shim::kNoSocket)
            continue;
        Shim::SetBlocking(handle);
        std::lock_guard<std::recursive_mutex> guard(lock);
        if (connections.size() >= kMaxConnections) {
            Shim::CloseSocket(handle);
            continue;
        }
        auto connection = std::make_unique<Connection>();
        connection->handle = handle;
        Connection& served = *connection;
        try {
            served.thread = std::thread([this, &served] { Serve(served); });
        } catch (const std::system_error&) {
            Shim::CloseSocket(handle);
            continue;
        }
        connections.push_back(std::move(connection));
    }
}

// The connection's socket is closed by Reap, after its thread has ended.
void RconTcpListener::Serve(Connection& connection) {
    SourceRconSession session(console, fault);
    unsigned char buffer[kReceiveBytes];
    while (running) {
        if (!Shim::WaitReadable(connection.handle, kWakeMs))
            continue;
        const Shim::Received received = Shim::Receive(connection.handle, buffer, kReceiveBytes);
        if (received.outcome == Shim::Outcome::Retry)
            continue;
        if (received.outcome != Shim::Outcome::Data || received.size == 0)
            break;
        SimBytes answer;
        const bool keep =
            session.Feed(reinterpret_cast<const char*>(buffer), received.size, answer);
        if (!SendAll(connection.handle, answer) || !keep)
            break;
        if (session.Endless()) {
            SendFiller(connection);
            break;
        }
    }
    Shim::Shutdown(connection.handle);
    connection.done = true;
}

void RconTcpListener::SendFiller(Connection& connection) {
    const SimBytes filler(kReceiveBytes, 'x');
    for (uint64_t sent = 0; running && sent < kEndlessBytes; sent += filler.size()) {
        if (!SendAll(connection.handle, filler))
            return;
    }
}

void RconTcpListener::Reap(bool all) {
    std::vector<std::unique_ptr<Connection>> ended;
    {
        std::lock_guard<std::recursive_mutex> guard(lock);
        for (auto it = connections.begin(); it != connections.end();) {
            if (all || (*it)->done) {
                ended.push_back(std::move(*it));
                it = connections.erase(it);
            } else {
                ++it;
            }
        }
    }
    for (const auto& connection : ended) {
        connection->thread.join();
        Shim::CloseSocket(connection->handle);
    }
}

} // namespace Portico
