// The rows of the server list: one per server, placed by round-trip time when it first
// arrives and updated in place afterwards, filtered by game, tab and ping limit. Not locked:
// its owner calls it under the window's lock.
#pragma once

#include "browser/FlagCache.h"
#include "browser/RecordAccess.h"
#include "browser/ServerRows.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

namespace Portico {

// Which records get a row.
struct RowFilter {
    uint32_t gameId = 0;         // only this game's records
    bool favouritesOnly = false; // only records marked direct
    uint32_t pingLimit = 0;      // ms; 0 = no limit
};

class ServerRowModel {
public:
    struct Shown {
        int32_t row = -1; // -1: the filter left the record out
        bool inserted = false;
    };

    ServerRowModel(ServerRows& rows, RecordAccess& records, FlagCache& flags)
        : rows(rows), records(records), flags(flags) {}

    // A record was made, answered or replayed; copy is its current content.
    Shown Show(const ServerRecord* record, const ServerRecord& copy, const RowFilter& filter);
    void Clear();
    void Delete(int32_t row);
    // Reorders the rows by a sort key (ServerRowOrder).
    void Sort(int32_t key);
    // -1 when no row shows that server.
    int32_t Find(const ServerAddress& address);
    // False for a row without a record.
    bool AddressAt(int32_t row, ServerAddress& out);
    // Copies of the selected rows' records, in row order; rows without one are skipped.
    std::vector<ServerRecord> SelectedRecords();
    // The server at row has count players by its player list: its record and its player
    // column follow, when the row still shows that server.
    void UpdatePlayerCount(int32_t row, const ServerAddress& server, uint32_t count);

    ServerRows& Rows() { return rows; }
    RecordAccess& Records() { return records; }

private:
    // What a row was placed by: the record's address and its time at its last message.
    struct RowKey {
        ServerAddress address;
        uint64_t time;
    };
    const RowKey& KeyOf(const ServerRecord* record);

    ServerRows& rows;
    RecordAccess& records;
    FlagCache& flags;
    // By record pointer: the scan over every row for each message reads no record.
    std::unordered_map<const ServerRecord*, RowKey> keys;
};

} // namespace Portico
