// Reads and writes the records of one query scheduler under the scheduler's lock: how the
// chat-room panel reads the room scheduler's records that its rows point to.
#pragma once

#include "browser/RecordAccess.h"
#include "query/QueryScheduler.h"

namespace Portico {

class SchedulerRecords : public RecordAccess {
public:
    explicit SchedulerRecords(QueryScheduler& scheduler) : scheduler(scheduler) {}

    ServerRecord Copy(const ServerRecord* record) override { return scheduler.CopyRecord(record); }
    void SetPlayers(const ServerRecord* record, uint8_t players) override {
        scheduler.SetPlayers(record, players);
    }

private:
    QueryScheduler& scheduler;
};

} // namespace Portico
