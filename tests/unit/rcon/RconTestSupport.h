// Helpers of the remote-console tests: a window that records notifications, and simulated
// servers with every kind of console on loopback.
#pragma once

#include "Eventually.h"

#include "GameServerSimulator.h"
#include "abi/ProtocolInterface.h"
#include "common/MessageWindow.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace RconTest {

using TestSupport::Eventually;

constexpr char kPassword[] = "secret";
// Output long enough for several packets (4000 bytes each) or datagrams (1000 bytes each).
std::string LongOutput();

struct Notice {
    intptr_t kind;
    intptr_t value;   // lParam; for output: 1 when a text came, 0 when none
    std::string text; // output text, copied during the call
};

class RecordingWindow : public Portico::MessageWindow {
public:
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    std::vector<Notice> Notices();
    // All output texts so far, joined.
    std::string Output();
    bool Has(intptr_t kind, intptr_t value);
    // True when a notice of kind came within the patience bound.
    bool WaitFor(intptr_t kind);

private:
    std::mutex lock; // guards notices
    std::vector<Notice> notices;
};

// One server per console kind, on 127.0.0.1 with ports of their own.
class ConsoleServers {
public:
    enum Index { kSource, kGoldSrc, kQuake, kOversize, kEndless, kCount };

    ConsoleServers();
    ~ConsoleServers() { simulator.Stop(); }
    bool Started() const { return started; }
    const std::string& Error() const { return error; }
    // The server's address to talk to: the TCP console's for Source servers.
    Portico::ServerAddress Address(Index index) const;
    Portico::GameProtocol* Game(Index index) const;
    void Stop() { simulator.Stop(); }

private:
    Portico::GameServerSimulator simulator;
    bool started = false;
    std::string error;
};

} // namespace RconTest
