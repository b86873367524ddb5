// One remote-console conversation with one server: the channel its game uses (Source RCON
// over TCP, or datagrams with or without a challenge), the password and the challenge, and the
// window that hears what the server says. The window's notifications (kMsgRconNotify, see
// RconNotice) come synchronously on the transports' threads; after the first kRejected or
// kEnded no more come.
#pragma once

#include "abi/ProtocolInterface.h"
#include "common/MessageWindow.h"
#include "rcon/RconTcp.h"
#include "rcon/RconUDPPool.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace Portico {

class RconSession : private MessageWindow {
public:
    enum class Begun { Started, NoConsole, NoPassword, NoSocket };
    enum class Sent { Sent, NotReady, TooLong, Failed };

    // game: the server's game protocol, or null (then there is no console).
    RconSession(const ServerAddress& server, GameProtocol* game);
    ~RconSession();
    RconSession(const RconSession&) = delete;
    RconSession& operator=(const RconSession&) = delete;

    RconKind Kind() const;
    // Once per session. TCP connects on a thread of its own and logs in; kConnected or kEnded
    // follows. UDP binds a socket from port 20220 upward and asks for the challenge when the
    // game has one.
    Begun Begin(const std::string& password, MessageWindow& window);
    // TCP: NotReady until kConnected, TooLong beyond one packet's body. UDP: sent with the
    // challenge known so far (0 before any).
    Sent SendCommand(const std::string& command);
    // TCP: asks the server to mirror an empty answer once the output of the commands before is
    // out (kEndOfOutput with the returned id); 0 when it cannot.
    int32_t MarkEnd();
    bool ChallengeKnown() const { return challengeKnown; }
    uint32_t Challenge() const { return challenge; }
    // No notification reaches the window once this returns. Those already on their way are let
    // through while pump runs (the window's thread handles the messages sent to it there); then
    // the channel closes. Not from inside a notification.
    void Stop(const std::function<void()>& pump);

private:
    // The transports notify here; the session keeps the challenge and passes the rest on.
    intptr_t Send(uint32_t message, uintptr_t wParam, intptr_t lParam) override;
    void Connect();
    void OpenDatagrams();

    const ServerAddress server;
    GameProtocol* const game;
    std::string password;
    std::unique_ptr<RconTcp> tcp;
    RconUDPPool pool;
    std::thread connecting; // started by Begin, joined by Stop
    std::atomic<bool> connected{false};
    std::atomic<bool> challengeKnown{false};
    std::atomic<uint32_t> challenge{0};

    // Guards window, finished and inFlight. Never held across a window send.
    std::mutex lock;
    std::condition_variable drained;
    MessageWindow* window = nullptr;
    bool finished = false;
    uint32_t inFlight = 0;
};

} // namespace Portico
