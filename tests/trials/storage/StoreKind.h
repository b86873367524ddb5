// One of the two stores that share fps.dat, as the storage trials drive it.
#pragma once

#include "Generations.h"
#include "StoredState.h"

namespace Trials {

struct StoreKind {
    const char* name;
    bool (*save)(Portico::HostInfo&, uint32_t, const std::function<void()>&);
    Verdict (*read)(Portico::HostInfo&);
};

inline const StoreKind kFavouritesStore = {"favourites", SaveFavourites, StoredFavourites};
inline const StoreKind kServersStore = {"servers", SaveServers, StoredServers};

} // namespace Trials
