#include "rcon/RconSession.h"

#include "common/Messages.h"
#include "rcon/RconDatagram.h"
#include "rcon/RconNotice.h"

#include <chrono>
#include <exception>

namespace Portico {

namespace {

// How long Stop waits between two runs of its pump.
constexpr std::chrono::milliseconds kPumpPause{10};

} // namespace

RconSession::RconSession(const ServerAddress& server, GameProtocol* game)
    : server(server), game(game) {}

RconSession::~RconSession() {
    Stop(nullptr);
}

RconKind RconSession::Kind() const {
    return game ? game->GetRconKind() : kRconNone;
}

RconSession::Begun RconSession::Begin(const std::string& secret, MessageWindow& target) {
    const RconKind kind = Kind();
    if (kind == kRconNone || tcp || connecting.joinable())
        return Begun::NoConsole;
    if (secret.empty())
        return Begun::NoPassword;
    password = secret;
    {
        std::lock_guard<std::mutex> guard(lock);
        window = &target;
    }
    if (kind != kRconTcp) {
        pool.SetOwner(this);
        pool.SetServer(server.ip, server.port);
        if (!pool.Open(1))
            return Begun::NoSocket;
        OpenDatagrams();
        return Begun::Started;
    }
    // A connect blocks until the server answers or the system gives up: not on the window's
    // thread.
    try {
        tcp.reset(new RconTcp);
        tcp->SetOwner(this);
        tcp->ClearBuffer();
        connecting = std::thread([this] { Connect(); });
    } catch (const std::exception&) {
        tcp.reset();
        return Begun::NoSocket;
    }
    return Begun::Started;
}

void RconSession::OpenDatagrams() {
    ByteOutStream request;
    if (BuildRconChallengeRequest(*game, request))
        pool.Send(server.ip, server.port, request, 0);
    else
        challengeKnown = true; // the game needs none: commands go with challenge 0
}

// Commands may go once the login is out, never beside it: two senders would mix their bytes.
void RconSession::Connect() {
    if (!tcp->Connect(server.ip, server.port)) {
        Send(kMsgRconNotify, uintptr_t(RconNotice::kEnded), RconEnd::kNotConnected);
        return;
    }
    if (!tcp->SendPacket(0, SourceRcon::kAuth, password))
        return; // the failed send has told kEnded
    connected = true;
    Send(kMsgRconNotify, uintptr_t(RconNotice::kConnected), 0);
}

RconSession::Sent RconSession::SendCommand(const std::string& command) {
    if (Kind() == kRconTcp) {
        if (!connected)
            return Sent::NotReady;
        if (command.size() > SourceRcon::kMaxBody)
            return Sent::TooLong;
        return tcp->SendPacket(0, SourceRcon::kExecCommand, command) ? Sent::Sent : Sent::Failed;
    }
    if (!pool.GetSocket(0))
        return Sent::NotReady;
    ByteOutStream datagram;
    BuildRconCommand(*game, password, challenge, command, datagram);
    return pool.Send(server.ip, server.port, datagram, 0) ? Sent::Sent : Sent::Failed;
}

int32_t RconSession::MarkEnd() {
    return connected ? tcp->SendEndMarker() : 0;
}

intptr_t RconSession::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    const auto notice = intptr_t(wParam);
    MessageWindow* target;
    {
        std::lock_guard<std::mutex> guard(lock);
        if (!window || finished)
            return 0;
        if (notice == RconNotice::kChallenge) {
            challenge = uint32_t(lParam);
            challengeKnown = true;
        }
        if (notice == RconNotice::kRejected || notice == RconNotice::kEnded)
            finished = true;
        target = window;
        ++inFlight;
    }
    const intptr_t result = target->Send(message, wParam, lParam);
    {
        std::lock_guard<std::mutex> guard(lock);
        --inFlight;
    }
    drained.notify_all();
    return result;
}

void RconSession::Stop(const std::function<void()>& pump) {
    std::unique_lock<std::mutex> guard(lock);
    window = nullptr;
    while (inFlight != 0) {
        if (pump) {
            guard.unlock();
            pump();
            guard.lock();
        } else {
            drained.wait_for(guard, kPumpPause);
        }
    }
    guard.unlock();
    if (connecting.joinable())
        connecting.join();
    connected = false;
    tcp.reset();
    pool.CloseAll();
}

} // namespace Portico
