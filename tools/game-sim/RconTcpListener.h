// A simulated Source RCON endpoint: a loopback TCP listener and one thread per connection,
// each running a SourceRconSession against the server's console.
#pragma once

#include "RconConsole.h"
#include "SimConfig.h"
#include "utils/SocketShim.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace Portico {

class RconTcpListener {
public:
    // Connections served at once; more are closed as soon as they are accepted.
    static constexpr size_t kMaxConnections = 16;

    // Bytes of filler an endless console sends at most on one connection.
    static constexpr uint64_t kEndlessBytes = uint64_t(64) << 20;

    explicit RconTcpListener(RconConsole console, SimRconFault fault = SimRconFault::None)
        : console(std::move(console)), fault(fault) {}
    ~RconTcpListener() { Stop(); }
    RconTcpListener(const RconTcpListener&) = delete;
    RconTcpListener& operator=(const RconTcpListener&) = delete;

    // Binds and listens; false with the reason in error.
    bool Open(const SimAddress& address, std::string& error);
    uint16_t Port() const { return port; }
    bool Start();
    // Tells every thread to end without waiting; Stop then waits.
    void BeginStop();
    // Ends the threads, closes every socket; returns within about one wake period.
    void Stop();

private:
    struct Connection {
        Utils::SocketShim::Handle handle;
        std::thread thread;
        std::atomic<bool> done{false};
    };

    void AcceptLoop();
    void Serve(Connection& connection);
    // Sends filler until the client goes, the listener stops or kEndlessBytes are out.
    void SendFiller(Connection& connection);
    // Joins the threads of ended connections; with all, of every connection.
    void Reap(bool all);

    const RconConsole console;
    const SimRconFault fault;
    std::atomic<Utils::SocketShim::Handle> listener{Utils::SocketShim::kNoSocket};
    uint16_t port = 0;
    std::atomic<bool> running{false};
    std::thread acceptThread;  // started and joined only by the controlling thread
    std::recursive_mutex lock; // guards connections
    std::vector<std::unique_ptr<Connection>> connections;
};

} // namespace Portico
