// A simulated master server: the Valve master list (paged by seed, with the common filter
// keys) and the Quake III server list.
#pragma once

#include "SimConfig.h"
#include "SimResponder.h"

#include <string>
#include <vector>

namespace Portico {

// What a master knows of one listed server.
struct MasterListing {
    SimAddress address; // where the server answers
    SimProtocol protocol = SimProtocol::Source;
    std::string folder;
    uint16_t appId = 0;
    uint8_t netProtocol = 0;
    uint8_t players = 0;
    uint8_t maxPlayers = 0;
    bool password = false;
};

MasterListing ListingOf(const SimServer& server, const SimAddress& bound);

class MasterResponder : public SimResponder {
public:
    // secret seeds the noise of a garbage master.
    MasterResponder(const SimMaster& master, std::vector<MasterListing> listings,
                    uint64_t secret = 0);

    std::vector<SimBytes> Respond(const SimRequest& request, uint32_t ip, uint16_t port) override;

private:
    std::vector<SimBytes> AnswerValve(const SimRequest& request) const;
    std::vector<SimBytes> AnswerQuake(const SimRequest& request) const;

    const SimMaster master;
    std::vector<MasterListing> listings; // ordered by address, then port
    const uint64_t secret;
    uint64_t noiseCount = 0;
};

// The made-up servers of a huge master, in address order: 127.128.x.y on ports 20000 and up,
// where nothing answers.
SimAddress MadeUpServer(uint32_t index);
// The index of the first made-up server after address (kHugeMasterEntries when none is).
uint32_t FirstMadeUpAfter(const SimAddress& address);

// A Valve master filter: \key\value pairs. Known keys: gamedir, appid, empty (\empty\1: not
// empty), full (\full\1: not full), password (\password\0: no password); others are ignored.
bool ValveFilterMatches(const std::string& filter, const MasterListing& listing);

} // namespace Portico
