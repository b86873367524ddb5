#include "MasterRequest.h"

namespace Portico {

void BuildMasterRequest(uint16_t gameId, const std::string& filter, ByteOutStream& out) {
    if (gameId == kQuakeGame) {
        out << (unsigned int)0xFFFFFFFF;
        // Connectionless text: no terminator on the wire.
        static const char kGetServers[] = "getservers 68 empty full";
        out.Write(kGetServers, sizeof kGetServers - 1);
        return;
    }
    // Any region, first page (seed 0.0.0.0:0).
    out << (unsigned char)0x31 << (unsigned char)0xFF << "0.0.0.0:0" << filter.c_str();
}

} // namespace Portico
