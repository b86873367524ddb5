// The configuration's name of each value of the simulator's enums: one table per enum, read
// by the configuration reader and writer and by the summary the simulator prints.
#pragma once

#include "SimConfig.h"

#include <utility>
#include <vector>

namespace Portico {

template <typename Enum> using SimNameTable = std::vector<std::pair<const char*, Enum>>;

const SimNameTable<SimProtocol>& ProtocolNames();
const SimNameTable<SimMasterKind>& MasterKindNames();
const SimNameTable<SimRcon>& RconNames();
const SimNameTable<SimRconFault>& RconFaultNames();
const SimNameTable<SimHostile>& HostileNames();
const SimNameTable<SimSplitLayout>& SplitLayoutNames();
const SimNameTable<SimAddressing>& AddressingNames();

// The name of value in its table ("" for a value the table lacks).
template <typename Enum> const char* SimName(const SimNameTable<Enum>& table, Enum value) {
    for (const auto& entry : table) {
        if (entry.second == value)
            return entry.first;
    }
    return "";
}

} // namespace Portico
