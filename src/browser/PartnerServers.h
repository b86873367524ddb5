// The partner servers that login seeds into the server store: five host names of the
// deployment, each resolved once per login, with fixed ports and game 1003.
#pragma once

#include "browser/ServerStore.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Portico {

constexpr uint16_t kPartnerGameId = 1003;

// The environment variable whose comma-separated names replace the built-in ones (tests, demos).
constexpr char kPartnerHostsVariable[] = "PORTICO_PARTNER_HOSTS";

// The built-in names (under .invalid, so they reach nothing) when configured is null, else the
// names of that comma-separated list.
std::vector<std::string> PartnerHostNames(const char* configured);

// Partners 1, 2, 3 and 5 get ports 27015 to 27019, partner 4 ports 27015 and 27016 (22
// addresses for five names), in that order. An unresolved name gives the resolver's failure
// value, which the store's own rules then judge.
void SeedPartnerServers(ServerStore& store, const std::vector<std::string>& hosts,
                        uint32_t (*resolve)(const char* name));

} // namespace Portico
