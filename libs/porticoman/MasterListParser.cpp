#include "MasterListParser.h"

namespace Portico {

namespace {

void AddServer(uint32_t ip, uint16_t port, uint16_t gameId, Utils::ArrayT<ServerAddress>& servers) {
    if (ip != 0 && port != 0)
        servers.Append(ServerAddress{ip, port, gameId});
}

// The end marker of a Quake list: the text EOT (end of this answer) or EOF (end of the list)
// where an address would start, with no port.
bool IsEndMarker(uint32_t ip, uint16_t port) {
    const uint32_t word = ip >> 8;
    return port == 0 && (ip & 0xFF) == 0 && (word == 0x454F54 || word == 0x454F46);
}

} // namespace

void MasterListParser::ParseValve(PacketReader& reader, uint16_t gameId,
                                  Utils::ArrayT<ServerAddress>& servers) {
    uint32_t ip;
    uint16_t port;
    while (reader.U32BigEndian(ip) && reader.U16BigEndian(port)) {
        if (ip == 0 && port == 0)
            return;
        AddServer(ip, port, gameId, servers);
    }
}

void MasterListParser::ParseQuake(PacketReader& reader, uint16_t gameId,
                                  Utils::ArrayT<ServerAddress>& servers) {
    // The word may be followed by other bytes before the first entry.
    while (reader.Remaining() > 0 && *reader.Here() != '\\')
        reader.Skip(1);
    uint32_t ip;
    uint16_t port;
    while (reader.Remaining() >= 7 && reader.Literal("\\") && reader.U32BigEndian(ip) &&
           reader.U16BigEndian(port)) {
        if (IsEndMarker(ip, port))
            return;
        AddServer(ip, port, gameId, servers);
    }
}

} // namespace Portico
