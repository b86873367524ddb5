#include "RconClient.h"

#include "common/Messages.h"
#include "rcon/RconNotice.h"

#include <cstring>

namespace Portico {

namespace {

// Datagram consoles output more pieces without an end mark: a short silence ends a command.
constexpr std::chrono::milliseconds kDatagramQuiet{300};

// How the datagram consoles of GoldSrc and Quake III servers refuse a command.
bool IsRefusal(const char* text) {
    for (const char* refusal : {"Bad rcon_password.", "Bad rconpassword.", "Bad challenge."})
        if (std::strncmp(text, refusal, std::strlen(refusal)) == 0)
            return true;
    return false;
}

} // namespace

RconClient::RconClient(const ServerAddress& server, GameProtocol& game,
                       std::chrono::milliseconds patience, std::FILE* out)
    : tcp(game.GetRconKind() == kRconTcp), patience(patience), out(out), session(server, &game) {}

RconClient::~RconClient() {
    session.Stop(nullptr);
}

intptr_t RconClient::Send(uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (message != kMsgRconNotify)
        return 0;
    const auto* text = reinterpret_cast<const char*>(lParam);
    std::lock_guard<std::mutex> guard(lock);
    lastSign = std::chrono::steady_clock::now();
    switch (intptr_t(wParam)) {
    case RconNotice::kConnected:
        state.connected = true;
        break;
    case RconNotice::kRejected:
        state.rejected = true;
        break;
    case RconNotice::kEnded:
        state.ended = true;
        state.endReason = lParam;
        break;
    case RconNotice::kEndOfOutput:
        state.lastMarker = int32_t(lParam);
        break;
    case RconNotice::kOutput:
        if (!text) {
            state.loggedIn = true;
            break;
        }
        ++state.outputs;
        state.refusalText = state.refusalText || (!tcp && IsRefusal(text));
        Print(text);
        break;
    }
    changed.notify_all();
    return 0;
}

void RconClient::Print(const char* text) {
    const size_t length = std::strlen(text);
    if (length == 0)
        return;
    std::fwrite(text, 1, length, out);
    std::fflush(out);
    lastChar = text[length - 1];
}

template <typename Done> bool RconClient::WaitFor(Done done) {
    std::unique_lock<std::mutex> guard(lock);
    lastSign = std::chrono::steady_clock::now();
    while (!done() && !state.ended && !state.rejected) {
        if (std::chrono::steady_clock::now() >= lastSign + patience)
            return false;
        changed.wait_until(guard, lastSign + patience);
    }
    return true;
}

RconClient::Outcome RconClient::Settled() const {
    if (state.rejected || state.refusalText)
        return Outcome::Refused;
    return state.ended ? Outcome::Lost : Outcome::Done;
}

RconClient::Outcome RconClient::Open(const std::string& password) {
    const RconSession::Begun begun = session.Begin(password, *this);
    if (begun == RconSession::Begun::NoPassword)
        return Outcome::Refused;
    if (begun != RconSession::Begun::Started)
        return Outcome::NoAnswer;
    bool answered = true;
    if (tcp)
        answered = WaitFor([&] { return state.connected && state.loggedIn; });
    else if (!session.ChallengeKnown())
        answered = WaitFor([&] { return session.ChallengeKnown(); });
    std::lock_guard<std::mutex> guard(lock);
    return answered ? Settled() : Outcome::NoAnswer;
}

RconClient::Outcome RconClient::Run(const std::string& command) {
    uint64_t before;
    {
        std::lock_guard<std::mutex> guard(lock);
        before = state.outputs;
    }
    const RconSession::Sent sent = session.SendCommand(command);
    if (sent == RconSession::Sent::TooLong)
        return Outcome::TooLong;
    if (sent != RconSession::Sent::Sent) {
        std::lock_guard<std::mutex> guard(lock);
        return state.ended ? Outcome::Lost : Settled();
    }
    const Outcome outcome = WaitForOutput(before);
    std::lock_guard<std::mutex> guard(lock);
    if (lastChar != '\n') {
        std::fputc('\n', out);
        lastChar = '\n';
    }
    return outcome;
}

RconClient::Outcome RconClient::WaitForOutput(uint64_t before) {
    bool answered;
    if (tcp) {
        const int32_t marker = session.MarkEnd();
        answered = marker != 0 && WaitFor([&] { return state.lastMarker == marker; });
    } else {
        answered = WaitFor([&] { return state.outputs > before; });
        if (answered) {
            std::unique_lock<std::mutex> guard(lock);
            // More pieces may follow; each one starts the quiet period again.
            while (std::chrono::steady_clock::now() < lastSign + kDatagramQuiet)
                changed.wait_until(guard, lastSign + kDatagramQuiet);
        }
    }
    std::lock_guard<std::mutex> guard(lock);
    const Outcome settled = Settled();
    return settled == Outcome::Done && !answered ? Outcome::NoAnswer : settled;
}

std::string RconClient::Problem(Outcome outcome) const {
    switch (outcome) {
    case Outcome::Refused:
        return "the server refused the password";
    case Outcome::Lost: {
        std::lock_guard<std::mutex> guard(lock);
        if (state.endReason == RconEnd::kNotConnected)
            return "cannot connect to the server";
        if (state.endReason == RconEnd::kProtocolError)
            return "the server sent a packet larger than the protocol allows";
        if (state.endReason == RconEnd::kServerClosed)
            return "the server closed the connection";
        return "the connection ended with error " + std::to_string(state.endReason);
    }
    case Outcome::NoAnswer:
        return "no answer from the server";
    case Outcome::TooLong:
        return "the command is too long for one packet";
    case Outcome::Done:
        break;
    }
    return std::string();
}

} // namespace Portico
