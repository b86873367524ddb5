// A simulated game server: A2S (Source, GoldSrc) or Quake III queries, challenges, split
// answers and the datagram remote console, from its configuration alone.
#pragma once

#include "RconConsole.h"
#include "SimConfig.h"
#include "SimResponder.h"

namespace Portico {

class ServerResponder : public SimResponder {
public:
    // bound: the address the server answers from. secret seeds its challenges and answer ids.
    ServerResponder(const SimServer& server, const SimAddress& bound, uint64_t secret);

    std::vector<SimBytes> Respond(const SimRequest& request, uint32_t ip, uint16_t port) override;

    // The challenges a client at ip is given: the same for the same client, never FF FF FF FF.
    uint32_t A2sChallengeFor(uint32_t ip) const;
    uint32_t RconChallengeFor(uint32_t ip) const;

private:
    std::vector<SimBytes> AnswerA2s(const SimRequest& request, uint32_t ip);
    // The answer to a query request whole, before any splitting; empty for other requests.
    SimBytes WholeAnswer(const SimRequest& request) const;
    std::vector<SimBytes> Misbehave(const SimRequest& request);
    std::vector<SimBytes> AnswerRcon(const SimRequest& request, uint32_t ip);
    std::vector<SimBytes> AnswerRconChallenge(uint32_t ip) const;
    // The answer whole, or in pieces when the server splits answers of its size.
    std::vector<SimBytes> Deliver(SimBytes answer);

    const SimServer server;
    const SimAddress bound;
    const uint64_t secret;
    const RconConsole console;
    uint32_t nextAnswerId;
    uint64_t misbehaviours = 0; // draws for hostile answers
};

// A 64-bit mix of a value (splitmix64's finaliser), for challenges and seeds.
uint64_t MixBits(uint64_t value);
// A datagram of 1 to 1400 random bytes drawn from seed; most start like a real answer
// (FF FF FF FF or the split header FE FF FF FF), so that a reader looks further.
SimBytes NoiseDatagram(uint64_t seed);

} // namespace Portico
