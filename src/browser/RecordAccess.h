// How the browser reads and writes the records its rows point to. The records belong to a
// query scheduler or to the favourites, whose other threads write them under their own
// locks: the plug-in's implementation takes those locks, tests may copy plainly.
#pragma once

#include "query/ServerRecord.h"

#include <cstdint>

namespace Portico {

class RecordAccess {
public:
    // A consistent copy of the record.
    virtual ServerRecord Copy(const ServerRecord* record) = 0;
    // The player count that the server's player list has just shown.
    virtual void SetPlayers(const ServerRecord* record, uint8_t players) = 0;

protected:
    ~RecordAccess() = default;
};

} // namespace Portico
