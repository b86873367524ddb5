#include "LoopbackProbe.h"

#include "utils/SocketShim.h"

#include <cstdint>

namespace Portico {

namespace Shim = Utils::SocketShim;

namespace {

constexpr uint32_t kMainLoopback = 0x7F000001;
constexpr uint32_t kOtherLoopback = 0x7F000002;
constexpr uint32_t kProbeWaitMs = 2000;

class ProbeSocket {
public:
    explicit ProbeSocket(uint32_t ip) : handle(Shim::OpenDatagram()) {
        if (handle != Shim::kNoSocket && Shim::Bind(handle, ip, 0) == 0)
            port = Shim::LocalPort(handle);
    }
    ~ProbeSocket() {
        if (handle != Shim::kNoSocket)
            Shim::CloseSocket(handle);
    }
    ProbeSocket(const ProbeSocket&) = delete;
    ProbeSocket& operator=(const ProbeSocket&) = delete;

    const Shim::Handle handle;
    uint16_t port = 0;
};

} // namespace

bool LoopbackAliasesWork() {
    ProbeSocket receiver(kMainLoopback);
    ProbeSocket sender(kOtherLoopback);
    if (receiver.port == 0 || sender.port == 0)
        return false;
    const uint8_t probe[] = {'p', 'r', 'o', 'b', 'e'};
    if (Shim::SendTo(sender.handle, probe, sizeof probe, kMainLoopback, receiver.port) <= 0 ||
        !Shim::WaitReadable(receiver.handle, kProbeWaitMs))
        return false;
    uint8_t buffer[16];
    const Shim::Received received = Shim::ReceiveFrom(receiver.handle, buffer, sizeof buffer);
    return received.outcome == Shim::Outcome::Data && received.ip == kOtherLoopback;
}

} // namespace Portico
