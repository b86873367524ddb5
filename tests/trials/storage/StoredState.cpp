#include "StoredState.h"

#include "Generations.h"

#include "serverlist/ServerListStore.h"
#include "storage/DatabaseSqlite.h"
#include "storage/StorePaths.h"
#include "storage/UserStore.h"

#include <cstring>
#include <set>
#include <vector>

namespace Trials {

namespace {

bool SameFavourite(const Portico::ServerRecord& a, const Portico::ServerRecord& b) {
    return a.Address() == b.Address() && a.info.needPass == b.info.needPass &&
           std::memcmp(a.info.name, b.info.name, sizeof a.info.name) == 0;
}

// Compares rows read back with the generation's own, both in the same order: whole, fewer
// (only its own rows, some missing) or mixed (rows that belong elsewhere).
template <typename Row, typename Same>
Verdict Compare(uint32_t generation, const std::vector<Row>& stored,
                const std::vector<Row>& expected, Same same) {
    Verdict verdict;
    verdict.generation = generation;
    verdict.rows = stored.size();
    size_t next = 0;
    bool foreign = false;
    for (const Row& row : stored) {
        while (next < expected.size() && !same(row, expected[next]))
            ++next;
        if (next == expected.size()) {
            foreign = true;
            break;
        }
        ++next;
    }
    if (foreign)
        verdict.state = Stored::Mixed;
    else
        verdict.state = stored.size() == expected.size() ? Stored::Generation : Stored::Fewer;
    return verdict;
}

} // namespace

Verdict StoredFavourites(Portico::HostInfo& host) {
    Portico::UserStore store(host);
    bool inFavourites = false;
    uint32_t filter = 0;
    if (!store.LoadUserStore(inFavourites, filter))
        return Verdict();
    const std::vector<Portico::ServerRecord> stored = store.GetFavourites().Snapshot();
    if (filter == 0) {
        Verdict nothing;
        nothing.state = stored.empty() ? Stored::Nothing : Stored::Mixed;
        nothing.rows = stored.size();
        return nothing;
    }
    const uint32_t generation = (filter >> 16) - 1;
    Verdict verdict = Compare(generation, stored, FavouritesOf(generation), SameFavourite);
    if (inFavourites != InFavouritesOf(generation))
        verdict.state = Stored::Mixed; // the two settings belong to another save
    return verdict;
}

Verdict StoredServers(Portico::HostInfo& host) {
    Utils::DatabaseSqlite database;
    Portico::ServerListStore store(database);
    if (!store.Open(Portico::UserStoreFilePath(host)))
        return Verdict();
    const std::vector<Portico::ServerAddress> stored = store.ReadServers(kArea);
    int64_t time = 0;
    if (!store.ReadTime(kArea, time)) {
        Verdict nothing;
        nothing.state = stored.empty() ? Stored::Nothing : Stored::Mixed;
        nothing.rows = stored.size();
        return nothing;
    }
    const uint32_t generation = uint32_t(time - ListTimeOf(0));
    return Compare(
        generation, stored, ServersOf(generation),
        [](const Portico::ServerAddress& a, const Portico::ServerAddress& b) { return a == b; });
}

bool DatabaseIntact(const std::string& file) {
    Utils::DatabaseSqlite database;
    if (!database.Open(file.c_str()))
        return false;
    auto result = database.Query("PRAGMA integrity_check");
    return result && result->RowCount() == 1 && result->CellAt(0, 0).AsText() == "ok";
}

std::string Describe(const Verdict& verdict) {
    const std::string generation = verdict.generation == kNoGeneration
                                       ? std::string("rows of no save")
                                       : "generation " + std::to_string(verdict.generation);
    const std::string rows = " (" + std::to_string(verdict.rows) + " rows)";
    switch (verdict.state) {
    case Stored::Generation:
        return generation + rows;
    case Stored::Nothing:
        return "nothing";
    case Stored::Fewer:
        return generation + " with rows missing" + rows;
    case Stored::Mixed:
        return generation + " mixed with rows of another save" + rows;
    case Stored::Unreadable:
        break;
    }
    return "a store that does not open";
}

} // namespace Trials
