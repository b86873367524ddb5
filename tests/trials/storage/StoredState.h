// What a store holds after a trial: one whole generation, nothing, or something it must never
// hold (part of a generation, pieces of two, a database that does not open).
#pragma once

#include "common/HostInfo.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Trials {

enum class Stored { Generation, Nothing, Fewer, Mixed, Unreadable };

constexpr uint32_t kNoGeneration = 0xFFFFFFFF;

struct Verdict {
    Stored state = Stored::Unreadable;
    uint32_t generation = kNoGeneration; // the one the settings or the area's time name
    size_t rows = 0;
};

// Read as the browser reads them at its start: through a fresh user store's load.
Verdict StoredFavourites(Portico::HostInfo& host);
// Read as the server-list cache reads the area: its time, then its rows.
Verdict StoredServers(Portico::HostInfo& host);
// The database opens and SQLite's own check finds nothing wrong.
bool DatabaseIntact(const std::string& file);

// "generation 12 (1000 rows)", "12 with fewer rows (700)", ...
std::string Describe(const Verdict& verdict);
inline bool Holds(const Verdict& verdict, uint32_t generation) {
    return verdict.state == Stored::Generation && verdict.generation == generation;
}

} // namespace Trials
