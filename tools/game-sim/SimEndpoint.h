// One simulated UDP endpoint (a game server or a master): its socket, its responder and its
// faults (reply delay, lost datagrams).
#pragma once

#include "ReplyQueue.h"
#include "SimConfig.h"
#include "SimRandom.h"
#include "SimResponder.h"
#include "utils/UdpSocket.h"

#include <atomic>
#include <memory>

namespace Portico {

struct SimFaults {
    uint32_t delayMinMs = 0;
    uint32_t delayMaxMs = 0;
    double drop = 0;
};

struct SimStats {
    uint32_t requests = 0; // datagrams received
    uint32_t ignored = 0;  // datagrams that asked for nothing this endpoint answers
    uint32_t sent = 0;     // reply datagrams sent
    uint32_t dropped = 0;  // reply datagrams lost on purpose
};

class SimEndpoint : public Utils::UdpSocket, public ReplySink {
public:
    // Binds at once (IsRunning and LocalPort tell how that went); receives after Start.
    SimEndpoint(const SimAddress& address, const SimFaults& faults, ReplyQueue& queue,
                SimRandom& random);
    ~SimEndpoint() override { Close(); }

    // Before Start.
    void SetResponder(std::unique_ptr<SimResponder> responder);
    bool Bound() const { return LocalPort() != 0; }
    // Tells the receive thread to end without waiting for it, so that many endpoints can be
    // stopped together; Close then waits.
    void BeginStop();
    SimStats Stats() const;

    void OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) override;
    void SendReply(const SimBytes& bytes, uint32_t ip, uint16_t port) override;

private:
    const SimFaults faults;
    ReplyQueue& queue;
    SimRandom& random;
    std::unique_ptr<SimResponder> responder;
    std::atomic<uint32_t> requests{0};
    std::atomic<uint32_t> ignored{0};
    std::atomic<uint32_t> sent{0};
    std::atomic<uint32_t> dropped{0};
};

} // namespace Portico
