// The host's catalogue file for login: "Game" + language + ".dat" in the host folder,
// or the English one, read through the storage layer's catalogue reader.
#pragma once

#include "common/CatalogueSource.h"
#include "common/HostInfo.h"

namespace Portico {

class HostCatalogueSource : public CatalogueSource {
public:
    explicit HostCatalogueSource(HostInfo& host) : host(host) {}
    bool ReadGames(std::vector<CatalogueGame>& games) override;

private:
    HostInfo& host;
};

} // namespace Portico
