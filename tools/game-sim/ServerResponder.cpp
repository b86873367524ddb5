#include "ServerResponder.h"

#include "A2sEncoder.h"
#include "QuakeEncoder.h"
#include "RconEncoder.h"
#include "SplitEncoder.h"

namespace Portico {

namespace {

constexpr uint32_t kNoChallenge = 0xFFFFFFFF;

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
    : server(server), bound(bound), secret(secret),
      console(server.rconPassword, server.commands),
      nextAnswerId(uint32_t(MixBits(secret ^ 0xA5A5)) & 0x7FFFFFFF) {}

uint32_t ServerResponder::A2sChallengeFor(uint32_t ip) const {
    const uint32_t challenge = uint32_t(MixBits(secret ^ ip));
    return challenge == kNoChallenge ? 0x12345678 : challenge;
}

// Positive and short, as the servers print it.
uint32_t ServerResponder::RconChallengeFor(uint32_t ip) const {
    return uint32_t(MixBits(secret ^ (uint64_t(ip) << 32)) % 1000000000u) + 1;
}

std::vector<SimBytes> ServerResponder::Respond(const SimRequest& request, uint32_t ip,
                                               uint16_t /*port*/) {
    switch (request.kind) {
    case SimRequestKind::A2sInfo:
    case SimRequestKind::A2sPlayer:
    case SimRequestKind::A2sGetChallenge:
        if (IsA2s(server.protocol))
            return AnswerA2s(request, ip);
        break;
    case SimRequestKind::QuakeStatus:
    case SimRequestKind::QuakeInfo:
        if (server.protocol == SimProtocol::Quake3)
            return AnswerQuake(request);
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

std::vector<SimBytes> ServerResponder::AnswerA2s(const SimRequest& request, uint32_t ip) {
    const uint32_t challenge = A2sChallengeFor(ip);
    const bool challengeMet = request.hasChallenge && request.challenge == challenge;
    switch (request.kind) {
    case SimRequestKind::A2sInfo:
        if (server.challenge && !challengeMet)
            return {EncodeA2sChallenge(challenge)};
        if (server.protocol == SimProtocol::GoldSrc && server.oldInfo)
            return Deliver(EncodeGoldSrcInfo(server, bound));
        return Deliver(EncodeSourceInfo(server));
    case SimRequestKind::A2sPlayer:
        if (!challengeMet)
            return {EncodeA2sChallenge(challenge)};
        return Deliver(EncodeA2sPlayers(server.players));
    default:
        return {EncodeA2sChallenge(challenge)};
    }
}

std::vector<SimBytes> ServerResponder::AnswerQuake(const SimRequest& request) {
    if (request.kind == SimRequestKind::QuakeStatus)
        return Deliver(EncodeQuakeStatus(server, request.challengeText));
    return Deliver(EncodeQuakeInfo(server, request.challengeText));
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
