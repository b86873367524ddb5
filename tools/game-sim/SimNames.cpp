#include "SimNames.h"

namespace Portico {

const SimNameTable<SimProtocol>& ProtocolNames() {
    static const SimNameTable<SimProtocol> names{{"source", SimProtocol::Source},
                                                 {"goldsrc", SimProtocol::GoldSrc},
                                                 {"quake3", SimProtocol::Quake3}};
    return names;
}

const SimNameTable<SimMasterKind>& MasterKindNames() {
    static const SimNameTable<SimMasterKind> names{{"valve", SimMasterKind::Valve},
                                                   {"quake", SimMasterKind::Quake},
                                                   {"both", SimMasterKind::Both}};
    return names;
}

const SimNameTable<SimRcon>& RconNames() {
    static const SimNameTable<SimRcon> names{{"off", SimRcon::Off},
                                             {"tcp", SimRcon::Tcp},
                                             {"udp-challenge", SimRcon::UdpChallenge},
                                             {"udp", SimRcon::Udp}};
    return names;
}

const SimNameTable<SimRconFault>& RconFaultNames() {
    static const SimNameTable<SimRconFault> names{{"none", SimRconFault::None},
                                                  {"oversize", SimRconFault::Oversize},
                                                  {"endless", SimRconFault::Endless},
                                                  {"close", SimRconFault::Close}};
    return names;
}

const SimNameTable<SimHostile>& HostileNames() {
    static const SimNameTable<SimHostile> names{{"none", SimHostile::None},
                                                {"silent", SimHostile::Silent},
                                                {"challenges", SimHostile::Challenges},
                                                {"oversized", SimHostile::Oversized},
                                                {"truncated", SimHostile::Truncated},
                                                {"unfinished", SimHostile::Unfinished},
                                                {"garbage", SimHostile::Garbage},
                                                {"huge", SimHostile::Huge}};
    return names;
}

const SimNameTable<SimSplitLayout>& SplitLayoutNames() {
    static const SimNameTable<SimSplitLayout> names{{"default", SimSplitLayout::Default},
                                                    {"source", SimSplitLayout::Source},
                                                    {"source-nosize", SimSplitLayout::SourceNoSize},
                                                    {"goldsrc", SimSplitLayout::GoldSrc}};
    return names;
}

const SimNameTable<SimAddressing>& AddressingNames() {
    static const SimNameTable<SimAddressing> names{{"auto", SimAddressing::Auto},
                                                   {"aliases", SimAddressing::Aliases},
                                                   {"ports", SimAddressing::Ports}};
    return names;
}

} // namespace Portico
