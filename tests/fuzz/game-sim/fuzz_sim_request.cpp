// Feeds arbitrary bytes to what the simulator reads from the network: the request parser, a
// simulated server of each protocol (with its console, or hostile), a master answering both
// list kinds, and the Source RCON session over a TCP stream. The first byte picks the server's
// settings.
#include "FuzzRequire.h"
#include "MasterResponder.h"
#include "ServerResponder.h"
#include "SimRequest.h"
#include "SourceRcon.h"

#include <cstddef>
#include <cstdint>

using namespace Portico;

namespace {

SimServer ServerFor(uint8_t settings) {
    SimServer server;
    server.protocol = SimProtocol(settings % 3);
    server.name = "fuzz";
    server.challenge = settings & 0x04;
    server.oldInfo = settings & 0x08;
    server.split = settings & 0x10 ? 64 : 0;
    server.rcon = SimRcon((settings >> 5) & 3);
    server.rconPassword = "pw";
    server.commands = {{"status", "ok\n"}};
    server.players = {{"a", 1, 2, 3}, {"b", 4, 5, 6}};
    server.rules = {{"r", "1"}};
    if (settings & 0x80) // one of the hostile modes of servers
        server.hostile = SimHostile(1 + settings % 6);
    return server;
}

std::vector<MasterListing> Listings() {
    std::vector<MasterListing> listings(3);
    listings[0].address = SimAddress{0x7F000105, 27015};
    listings[0].folder = "harbor";
    listings[1].address = SimAddress{0x7F00015C, 27960};
    listings[1].protocol = SimProtocol::Quake3;
    listings[1].netProtocol = 68;
    listings[2].address = SimAddress{0x7F000201, 27016};
    return listings;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const char* bytes = reinterpret_cast<const char*>(data) + 1;
    const size_t length = size - 1;
    const SimRequest request = ParseSimRequest(bytes, length);
    Require(request.challengeText.size() <= kMaxQuakeChallenge);
    Require(request.rconText.size() < size);

    ServerResponder server(ServerFor(data[0]), SimAddress{0x7F000105, 27015}, data[0]);
    for (const SimBytes& reply : server.Respond(request, 0x7F000001, 20100))
        Require(!reply.empty() && reply.size() < 70000);

    SimMaster master;
    master.kind = SimMasterKind::Both;
    master.page = data[0] % 4;
    MasterResponder masterResponder(master, Listings());
    for (const SimBytes& reply : masterResponder.Respond(request, 0x7F000001, 20100))
        Require(reply.size() >= 6);

    const RconConsole console("pw", {{"status", "ok\n"}});
    SourceRconSession session(console);
    SimBytes out;
    const size_t half = length / 2; // two receives, as a stream may be cut anywhere
    if (session.Feed(bytes, half, out))
        session.Feed(bytes + half, length - half, out);
    return 0;
}
