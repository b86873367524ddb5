// portico-rcon's side of a console session: prints what the server says as it comes, and
// waits for the login, the challenge and the end of each command's output.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/MessageWindow.h"
#include "rcon/RconSession.h"

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <string>

namespace Portico {

class RconClient : private MessageWindow {
public:
    enum class Outcome { Done, Refused, Lost, NoAnswer, TooLong };

    // patience: the longest silence of the server that is waited out.
    RconClient(const ServerAddress& server, GameProtocol& game, std::chrono::milliseconds patience,
               std::FILE* out);
    ~RconClient();

    // TCP: connects and logs in. GoldSrc: waits for the challenge. Quake III: nothing to wait.
    Outcome Open(const std::string& password);
    // Sends the command and prints its output until its end: the server's mirror of an end
    // marker (TCP), or a short silence after the last datagram (UDP).
    Outcome Run(const std::string& command);
    // What went wrong, for the user.
    std::string Problem(Outcome outcome) const;

private:
    struct State {
        bool connected = false;
        bool loggedIn = false;
        bool rejected = false;
        bool ended = false;
        intptr_t endReason = 0;
        int32_t lastMarker = 0;
        uint64_t outputs = 0;
        bool refusalText = false; // a datagram console's "Bad ..." answer
    };

    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void Print(const char* text);
    // Waits until done holds, the connection ends or the server says nothing for patience.
    template <typename Done> bool WaitFor(Done done);
    Outcome WaitForOutput(uint64_t before);
    Outcome Settled() const;

    const bool tcp;
    const std::chrono::milliseconds patience;
    std::FILE* const out;
    RconSession session;
    mutable std::mutex lock; // guards state, lastSign, lastChar
    std::condition_variable changed;
    State state;
    std::chrono::steady_clock::time_point lastSign;
    char lastChar = '\n';
};

} // namespace Portico
