// Reaches the game-protocol library: loaded on first use by whichever thread asks, kept for
// the life of the process. Without the library or its entry there is no manager, and the
// engine then sends nothing and drops every datagram.
#pragma once

#include "abi/ProtocolInterface.h"

#include <string>

namespace Portico {

class ProtocolLibrary {
public:
    // The process-wide manager, or null; the library is looked for once.
    static ProtocolManager* Manager();

    // Where Manager() looks (UTF-8). Windows: the executable's folder + dlls\PorticoMan.dll,
    // entry by ordinal 1. Linux: the folder named by PORTICO_LIBS_DIR, or else the
    // executable's folder + dlls, + /libporticoman.so, entry PorticoManEntry.
    static std::string DefaultPath();

    // Loads the library at path and calls its entry; null when either is missing. A module
    // that loads stays loaded.
    static ProtocolManager* Load(const std::string& path);
};

} // namespace Portico
