#include "SimConfig.h"

namespace Portico {

uint8_t NetProtocolOf(const SimServer& server) {
    if (server.netProtocol != 0)
        return server.netProtocol;
    switch (server.protocol) {
    case SimProtocol::Quake3:
        return 68;
    case SimProtocol::GoldSrc:
        return server.oldInfo ? 47 : 48;
    case SimProtocol::Source:
        break;
    }
    return 17;
}

SimSplitLayout SplitLayoutOf(const SimServer& server) {
    if (server.splitLayout != SimSplitLayout::Default)
        return server.splitLayout;
    return server.protocol == SimProtocol::GoldSrc ? SimSplitLayout::GoldSrc
                                                   : SimSplitLayout::Source;
}

bool IsLoopback(uint32_t ip) {
    return (ip >> 24) == 127;
}

} // namespace Portico
