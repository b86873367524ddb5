// The user's favourite servers in memory: whole records keyed by address, each a copy of its
// own, never shared with a scheduler. Loaded and saved by the user store.
#pragma once

#include "abi/ProtocolInterface.h"
#include "query/ServerRecord.h"

#include <atomic>
#include <map>
#include <mutex>
#include <vector>

namespace Portico {

class MessageWindow;
class QueryScheduler;

class Favourites {
public:
    // Marks the caller's record direct, then stores a copy of it (replacing one).
    void AddFavourite(ServerRecord& record);
    void RemoveFavourite(const ServerAddress& address);
    // Overwrites a favourite's stored copy; nothing for other addresses.
    void RefreshFavourite(const ServerRecord& record);
    // Empties the window's list, then sends it every favourite.
    void ShowFavourites(MessageWindow& window);
    // Queues every favourite on the scheduler.
    void QueryFavourites(QueryScheduler& scheduler);
    bool FavouritesQueried() const { return queried; }

    // For the user store: replaces the whole map, clearing the queried mark.
    void Replace(const std::vector<ServerRecord>& records);
    std::vector<ServerRecord> Snapshot();
    // Windows read stored records through their row pointers with this.
    ServerRecord CopyRecord(const ServerRecord* record);
    // The user store holds this across a whole save.
    std::recursive_mutex& Lock() { return lock; }

private:
    // Guards the map and every stored record. Taken before a scheduler's lock, never after:
    // the schedulers hand records over with their own lock released.
    std::recursive_mutex lock;
    std::map<ServerAddress, ServerRecord> records; // nodes stay in place: windows keep pointers
    std::atomic<bool> queried{false};
};

} // namespace Portico
