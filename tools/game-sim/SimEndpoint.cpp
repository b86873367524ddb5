#include "SimEndpoint.h"

#include "utils/OutStreamT.h"
#include "utils/SocketShim.h"

namespace Portico {

SimEndpoint::SimEndpoint(const SimAddress& address, const SimFaults& faults, ReplyQueue& queue,
                         SimRandom& random)
    : UdpSocket(address.port, address.ip), faults(faults), queue(queue), random(random) {}

void SimEndpoint::SetResponder(std::unique_ptr<SimResponder> value) {
    responder = std::move(value);
}

void SimEndpoint::BeginStop() {
    running = false;
    const Utils::SocketShim::Handle handle = socket;
    if (handle != Utils::SocketShim::kNoSocket)
        Utils::SocketShim::Shutdown(handle);
}

SimStats SimEndpoint::Stats() const {
    SimStats stats;
    stats.requests = requests;
    stats.ignored = ignored;
    stats.sent = sent;
    stats.dropped = dropped;
    return stats;
}

// One delay per request, so that the pieces of a split answer keep their order.
void SimEndpoint::OnReceive(uint32_t ip, uint16_t port, Utils::InStreamT<unsigned char>& stream) {
    ++requests;
    const auto* data = reinterpret_cast<const char*>(stream.Data()) + stream.Position();
    const SimRequest request = ParseSimRequest(data, stream.Remaining());
    std::vector<SimBytes> replies;
    if (responder)
        replies = responder->Respond(request, ip, port);
    if (replies.empty()) {
        ++ignored;
        return;
    }
    const uint32_t delayMs = random.Between(faults.delayMinMs, faults.delayMaxMs);
    for (SimBytes& reply : replies) {
        if (random.Chance(faults.drop))
            ++dropped;
        else if (delayMs == 0)
            SendReply(reply, ip, port);
        else if (!queue.Push(this, std::move(reply), ip, port, delayMs))
            ++dropped;
    }
}

void SimEndpoint::SendReply(const SimBytes& bytes, uint32_t ip, uint16_t port) {
    Utils::OutStreamT<unsigned char> stream;
    stream.Write(bytes.data(), uint32_t(bytes.size()));
    if (SendTo(stream, ip, port))
        ++sent;
}

} // namespace Portico
