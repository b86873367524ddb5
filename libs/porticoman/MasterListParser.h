// Decoders of the master-server answers that list servers. Entries become further servers of
// the given game; entries without an address or port are left out.
#pragma once

#include "PacketReader.h"
#include "abi/ProtocolInterface.h"

namespace Portico {

class MasterListParser {
public:
    // After FF FF FF FF 66 0A: 6-byte entries (address, big-endian port); 0.0.0.0:0 ends.
    static void ParseValve(PacketReader& reader, uint16_t gameId,
                           Utils::ArrayT<ServerAddress>& servers);
    // After "getserversResponse": entries of '\' and 6 bytes, read by position (address
    // bytes may be '\'), ended by "\EOT" or "\EOF" or by the end of the datagram.
    static void ParseQuake(PacketReader& reader, uint16_t gameId,
                           Utils::ArrayT<ServerAddress>& servers);
};

} // namespace Portico
