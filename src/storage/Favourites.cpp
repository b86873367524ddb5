#include "storage/Favourites.h"

#include "common/MessageWindow.h"
#include "common/Messages.h"
#include "query/QueryScheduler.h"

namespace Portico {

using Guard = std::lock_guard<std::recursive_mutex>;

void Favourites::AddFavourite(ServerRecord& record) {
    record.direct = 1;
    Guard guard(lock);
    records[record.Address()] = record;
}

void Favourites::RemoveFavourite(const ServerAddress& address) {
    Guard guard(lock);
    records.erase(address);
}

void Favourites::RefreshFavourite(const ServerRecord& record) {
    Guard guard(lock);
    auto found = records.find(record.Address());
    if (found != records.end())
        found->second = record;
}

void Favourites::ShowFavourites(MessageWindow& window) {
    window.Send(kMsgListRefill, 0, 0);
    Guard guard(lock);
    for (auto& entry : records) {
        entry.second.direct = 1;
        window.Send(kMsgServerRecord, 0, reinterpret_cast<intptr_t>(&entry.second));
    }
}

void Favourites::QueryFavourites(QueryScheduler& scheduler) {
    std::vector<ServerAddress> addresses;
    {
        Guard guard(lock);
        for (const auto& entry : records)
            addresses.push_back(entry.first);
    }
    // Handed over with our lock released, so the two locks are only ever nested one way.
    for (const ServerAddress& address : addresses)
        scheduler.AddServer(address, false);
    queried = true;
}

void Favourites::Replace(const std::vector<ServerRecord>& loaded) {
    Guard guard(lock);
    records.clear();
    for (const ServerRecord& record : loaded)
        records[record.Address()] = record;
    queried = false;
}

std::vector<ServerRecord> Favourites::Snapshot() {
    Guard guard(lock);
    std::vector<ServerRecord> out;
    for (const auto& entry : records)
        out.push_back(entry.second);
    return out;
}

ServerRecord Favourites::CopyRecord(const ServerRecord* record) {
    Guard guard(lock);
    return *record;
}

} // namespace Portico
