// Relay payloads as the host hands them over: first byte the message type, the rest the data.
#include "common/MessageWindow.h"
#include "panels/BuddyServerRelay.h"
#include "query/QueryContext.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace {

// Reads every pointer the relay hands out, so that a bad one shows up under the sanitizer.
class Sink : public Portico::BuddyRelayContext, public Portico::MessageWindow {
public:
    bool SendProtocolMessage(uint8_t, const uint8_t*, uint32_t) override { return true; }
    Portico::MessageWindow* BuddyWindow() override { return this; }
    void ProbeServer(const Portico::ServerAddress& address, uint32_t tag) override {
        sum += address.ip + address.port + tag;
        ++calls;
    }
    void CancelProbe(uint32_t tag) override {
        sum += tag;
        ++calls;
    }
    uint32_t RunningGameId() override { return 0; }
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
        if (message == 0x2011) {
            sum += reinterpret_cast<const Portico::ProbeAnswer*>(wParam)->gameId;
            if (lParam)
                sum += *reinterpret_cast<const char16_t*>(lParam);
        } else if (message == 0x2012) {
            sum += reinterpret_cast<const Portico::ServerAddress*>(lParam)->port;
        }
        ++calls;
        return 0;
    }
    uint64_t sum = 0;
    size_t calls = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    Sink sink;
    Portico::BuddyServerRelay relay(sink);
    Portico::ByteInStream payload(data + 1, uint32_t(size - 1));
    relay.Receive(data[0], payload);
    // No entry is invented beyond the payload: at most three calls per started entry.
    const size_t entries = (size - 1) / Portico::kRelayEntryBytes + 1;
    if (sink.calls > 3 * entries)
        std::abort();
    return 0;
}
