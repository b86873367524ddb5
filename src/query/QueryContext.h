// What the query engine needs from the rest of the plug-in: the protocol and region
// libraries, the query pool, the browser's selected game, the favourites and the buddy-list
// panel. The plug-in wires the real pieces; tests give their own.
#pragma once

#include "abi/ProtocolInterface.h"

#include <cstdint>

namespace Portico {

class MessageWindow;
struct ServerRecord;

class QueryContext {
public:
    // Null when the protocol library is missing: then nothing is sent or parsed.
    virtual ProtocolManager* Protocols() = 0;
    // Region index (0 = none); out receives the country code and the extra byte.
    virtual uint8_t LookupRegion(uint32_t ip, uint8_t out[3]) = 0;
    // Sends a datagram through the pool socket with that number.
    virtual bool Send(uint32_t ip, uint16_t port, const ByteOutStream& datagram,
                      uint32_t socketIndex) = 0;
    virtual uint16_t SelectedGame() = 0;
    // Keeps the copy of a replied server that was handed over individually.
    virtual void KeepFavourite(ServerRecord& record) = 0;
    // Receiver of probe answers (the buddy-list panel); null when there is none.
    virtual MessageWindow* ProbeWindow() = 0;
    // Every datagram from an address with an outstanding request, with the servers it lists
    // as the library read them, once they are queued (tools that page through a master follow
    // these).
    virtual void ListArrived(uint32_t ip, uint16_t port, const Utils::ArrayT<ServerAddress>& list) {
        (void)ip, (void)port, (void)list;
    }

protected:
    ~QueryContext() = default;
};

// The answer to a probe, handed to the buddy-list panel with the server's name.
struct ProbeAnswer {
    uint32_t tag;
    uint32_t gameId;
    uint8_t needPass;
};

} // namespace Portico
