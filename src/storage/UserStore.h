// The user's store fps.dat: favourites and the browser's two settings, loaded when the
// browser starts and written back when it closes. Owns the favourites in memory.
#pragma once

#include "common/HostInfo.h"
#include "storage/Database.h"
#include "storage/Favourites.h"

#include <cstdint>
#include <memory>

namespace Portico {

class UserStore {
public:
    explicit UserStore(HostInfo& host);
    // Tests hand in a database of their own.
    UserStore(HostInfo& host, std::unique_ptr<Utils::Database> database);
    UserStore(const UserStore&) = delete;
    UserStore& operator=(const UserStore&) = delete;

    // Opens the store, creates its tables, replaces the favourites with the stored ones and
    // reads the settings; a setting that is not stored keeps the caller's value. The store
    // stays open for the save. False, with nothing changed and the store closed (so that the
    // save writes nothing), when it cannot be opened or its favourites cannot be read.
    bool LoadUserStore(bool& inFavourites, uint32_t& filter);
    // Writes the settings and the favourites in one transaction, then compacts and closes the
    // store. False, with the stored data as it was, when any write fails or nothing was loaded.
    bool SaveUserStore(bool inFavourites, uint32_t filter);

    Favourites& GetFavourites() { return favourites; }

    // One region bit at most: the lowest of bits 0 to 15, and the two regions that the
    // browser shows as one (bits 6 and 7) together. Filters without a region bit stay.
    static uint32_t NormaliseFilter(uint32_t filter);

private:
    bool ReadFavourites(); // false when they could not be read whole
    void ReadSettings(bool& inFavourites, uint32_t& filter);
    bool WriteAll(bool inFavourites, uint32_t filter, const std::vector<ServerRecord>& records);

    HostInfo& host;
    std::unique_ptr<Utils::Database> database; // open from load to save
    Favourites favourites;                     // its lock is the store's lock
};

} // namespace Portico
