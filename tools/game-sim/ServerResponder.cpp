#include "ServerResponder.h"

#include "A2sEncoder.h"
#include "QuakeEncoder.h"
#include "RconEncoder.h"
#include "SimConfigCheck.h"
#include "SplitEncoder.h"

#include <algorithm>

namespace Portico {

namespace {

constexpr uint32_t kNoChallenge = 0xFFFFFFFF;
// Beyond the 4096-byte receive buffers of clients, far below the datagram limit.
constexpr size_t kOversizedBytes = 8192;
constexpr size_t kMaxNoiseBytes = 1400;
// An unfinished answer is cut into pieces of this size after padding to three of them.
constexpr size_t kUnfinishedPiece = kMinSimSplit;

bool IsA2s(SimProtocol protocol) {
    return protocol == SimProtocol::Source || protocol == SimProtocol::GoldSrc;
}

} // namespace

uint64_t MixBits(uint64_t value) {
    value += 0x9E3779B97F4A7C15ull;
    value = (value ^ (value >> 30)) * 0xBF58476D1CE4E5B9ull;
    value = (value ^ (value >> 27)) * 0x94D049BB133111EBull;
    return value ^ (value >> 31);
}

ServerResponder::ServerResponder(const SimServer& server, const SimAddress& bound, uint64_t secret)
    : server(server), bound(bound), secret(secret), console(server.rconPassword, server.commands),
      nextAnswerId(uint32_t(MixBits(secret ^ 0xA5A5)) & 0x7FFFFFFF) {}

uint32_t ServerResponder::A2sChallengeFor(uint32_t ip) const {
    const uint32_t challenge = uint32_t(MixBits(secret ^ ip));
    return challenge == kNoChallenge ? 0x12345678 : challenge;
}

// Positive and short, as the servers print it.
uint32_t ServerResponder::RconChallengeFor(uint32_t ip) const {
    return uint32_t(MixBits(secret ^ (uint64_t(ip) << 32)) % 1000000000u) + 1;
}

SimBytes NoiseDatagram(uint64_t seed) {
    uint64_t word = MixBits(seed);
    const size_t size = 1 + size_t(word % kMaxNoiseBytes);
    SimBytes bytes;
    if (word % 3 == 0)
        bytes = kSimHeader;
    else if (word % 3 == 1)
        bytes = "\xFE\xFF\xFF\xFF";
    while (bytes.size() < size) {
        word = MixBits(word);
        for (int i = 0; i < 8 && bytes.size() < size; ++i)
            bytes += char(word >> (8 * i));
    }
    bytes.resize(size);
    return bytes;
}

std::vector<SimBytes> ServerResponder::Respond(const SimRequest& request, uint32_t ip,
                                               uint16_t /*port*/) {
    switch (request.kind) {
    case SimRequestKind::A2sInfo:
    case SimRequestKind::A2sPlayer:
    case SimRequestKind::A2sRules:
    case SimRequestKind::A2sGetChallenge:
        if (IsA2s(server.protocol))
            return server.hostile == SimHostile::None ? AnswerA2s(request, ip) : Misbehave(request);
        break;
    case SimRequestKind::QuakeStatus:
    case SimRequestKind::QuakeInfo:
        if (server.protocol == SimProtocol::Quake3)
            return server.hostile == SimHostile::None ? Deliver(WholeAnswer(request))
                                                      : Misbehave(request);
        break;
    case SimRequestKind::RconChallenge:
        if (server.rcon == SimRcon::UdpChallenge)
            return AnswerRconChallenge(ip);
        break;
    case SimRequestKind::Rcon:
        return AnswerRcon(request, ip);
    default:
        break;
    }
    return {};
}

// Players and rules always need the client's challenge, as on current servers; info only when
// the server is configured so.
std::vector<SimBytes> ServerResponder::AnswerA2s(const SimRequest& request, uint32_t ip) {
    const uint32_t challenge = A2sChallengeFor(ip);
    const bool challengeMet = request.hasChallenge && request.challenge == challenge;
    const bool needed = request.kind != SimRequestKind::A2sInfo || server.challenge;
    if (request.kind == SimRequestKind::A2sGetChallenge || (needed && !challengeMet))
        return {EncodeA2sChallenge(challenge)};
    return Deliver(WholeAnswer(request));
}

SimBytes ServerResponder::WholeAnswer(const SimRequest& request) const {
    switch (request.kind) {
    case SimRequestKind::A2sInfo:
        if (server.protocol == SimProtocol::GoldSrc && server.oldInfo)
            return EncodeGoldSrcInfo(server, bound);
        return EncodeSourceInfo(server);
    case SimRequestKind::A2sPlayer:
        return EncodeA2sPlayers(server.players);
    case SimRequestKind::A2sRules:
        return EncodeA2sRules(server.rules);
    case SimRequestKind::QuakeStatus:
        return EncodeQuakeStatus(server, request.challengeText);
    case SimRequestKind::QuakeInfo:
        return EncodeQuakeInfo(server, request.challengeText);
    default:
        return SimBytes();
    }
}

// Challenges are never met, since each is new, and garbage comes whatever was asked; the other
// faults start from the real answer (a request that has none gets nothing).
std::vector<SimBytes> ServerResponder::Misbehave(const SimRequest& request) {
    const uint64_t draw = MixBits(secret ^ ++misbehaviours);
    SimBytes answer = WholeAnswer(request);
    const bool answersAnything =
        server.hostile == SimHostile::Challenges || server.hostile == SimHostile::Garbage;
    if (answer.empty() && !answersAnything)
        return {};
    switch (server.hostile) {
    case SimHostile::Challenges:
        return {EncodeA2sChallenge(uint32_t(draw) == kNoChallenge ? 1 : uint32_t(draw))};
    case SimHostile::Oversized:
        answer.resize(kOversizedBytes, '\0');
        return {answer};
    case SimHostile::Truncated:
        return {answer.substr(0, answer.size() / 2)};
    case SimHostile::Unfinished: {
        answer.resize(std::max(answer.size(), 3 * kUnfinishedPiece), '\0');
        std::vector<SimBytes> pieces =
            SplitAnswer(answer, nextAnswerId++, kUnfinishedPiece, SplitLayoutOf(server));
        pieces.pop_back();
        return pieces;
    }
    case SimHostile::Garbage:
        return {NoiseDatagram(draw)};
    default:
        return {};
    }
}

std::vector<SimBytes> ServerResponder::AnswerRconChallenge(uint32_t ip) const {
    return {EncodeRconChallenge(RconChallengeFor(ip))};
}

// GoldSrc: rcon <challenge> "<password>" <command>; Quake III: rcon <password> <command>.
// Failures are only text, as on the real servers.
std::vector<SimBytes> ServerResponder::AnswerRcon(const SimRequest& request, uint32_t ip) {
    std::vector<std::string> words;
    std::string command;
    if (server.rcon == SimRcon::UdpChallenge) {
        if (!SplitRconWords(request.rconText, 2, words, command))
            return {};
        if (words[0] != std::to_string(RconChallengeFor(ip)))
            return EncodeGoldSrcOutput("Bad challenge.\n");
        if (!console.Accepts(words[1]))
            return EncodeGoldSrcOutput("Bad rcon_password.\n");
        return EncodeGoldSrcOutput(console.Run(command));
    }
    if (server.rcon == SimRcon::Udp) {
        if (!SplitRconWords(request.rconText, 1, words, command))
            return {};
        if (!console.Accepts(words[0]))
            return EncodeQuakeOutput("Bad rconpassword.\n");
        return EncodeQuakeOutput(console.Run(command));
    }
    return {};
}

std::vector<SimBytes> ServerResponder::Deliver(SimBytes answer) {
    if (server.split == 0 || answer.size() <= server.split)
        return {std::move(answer)};
    return SplitAnswer(answer, nextAnswerId++, server.split, SplitLayoutOf(server));
}

} // namespace Portico
