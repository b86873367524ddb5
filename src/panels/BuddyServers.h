// Where each buddy plays, as the buddy relay and the answers of the probes report it, and the
// join onto the selected buddy's server. Used on the buddy-list view's thread only.
#pragma once

#include "abi/ProtocolInterface.h"
#include "browser/BrowserHost.h"
#include "panels/BuddySelector.h"
#include "query/QueryContext.h"

#include <cstdint>
#include <map>

namespace Portico {

class BuddyServers {
public:
    enum class JoinOutcome {
        kToHost,           // the buddy plays on no server known here: the host's own join
        kSelectionUnknown, // the selected buddy cannot be known: the host's own join
        kCancelled,        // the password was not given: nothing happens
        kLaunched,
    };

    // A buddy's game and server name (kMsgBuddyGame): keeps the password flag. False for a
    // null answer, which changes nothing.
    bool NoteGame(const ProbeAnswer* answer);
    // The buddy plays on no server (kMsgBuddyNoServer).
    void NoteNoServer(uint32_t key) { servers.erase(key); }
    // Where the buddy plays (kMsgBuddyAddress); a null address changes nothing.
    void NoteAddress(uint32_t key, const ServerAddress* address);
    // False when the buddy plays on no known server.
    bool FindServer(uint32_t key, ServerAddress& out) const;

    // The host's command that joins the selected buddy's game: launched onto the buddy's
    // server, after the password when that server needs one.
    JoinOutcome Join(BuddySelector& selector, BrowserHost& host);

private:
    std::map<uint32_t, ServerAddress> servers;
    std::map<uint32_t, uint8_t> passwordFlags; // the last flag heard for each buddy
};

} // namespace Portico
